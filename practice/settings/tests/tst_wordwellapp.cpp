#include "platform/registry/registry.h"
#include "practice/settings/wordwellapp.h"
#include "testsupport/isolatedhome.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <memory>

namespace reg = platform::registry;

namespace {

void storeWordsPath(const QString& keyPath, const QString& value, const reg::Key& hive = reg::HKEY_CURRENT_USER)
{
    reg::Key key;
    QCOMPARE(reg::CreateKey(hive, keyPath, &key), reg::ERROR_SUCCESS);
    QCOMPARE(reg::SetStringValue(key, "Path", value), reg::ERROR_SUCCESS);
}

}  // namespace

class TestWordwellApp : public QObject {
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<IsolatedHome>(); }
    void cleanup() { m_home.reset(); }

    // The original's empty path put the clips at "/words/<word>.wav".
    void nothingStoredMeansTheFolderSetupWouldPropose()
    {
        CWordwellApp app;
        app.EstablishSettings();
        QCOMPARE(app.m_strWordsPath, m_home->dataHome() + "/Tolvane/Wordwell");
        QVERIFY(QFileInfo(app.m_strWordsPath + "/words").isDir());
        QCOMPARE(GetWordwellApp(), &app);
        // Reading settings writes nothing.
        QVERIFY(!QDir(m_home->configHome() + "/Tolvane").exists());
    }

    void storedValueIsReadAsStored_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("machine");  // stored for the machine: not the setting
        QTest::newRow("install folder") << "Software\\Tolvane\\Wordwell Practice\\WordsPath"
                                        << "/home/ann/.local/share/Tolvane/Wordwell" << false;
        QTest::newRow("trailing separator kept") << "Software\\Tolvane\\Wordwell Practice\\WordsPath" << "/srv/words/" << false;
        QTest::newRow("blanks") << "Software\\Tolvane\\Wordwell Practice\\WordsPath" << "/home/a b/Word well" << false;
        // An empty value names no folder: as if nothing were stored.
        QTest::newRow("empty value") << "Software\\Tolvane\\Wordwell Practice\\WordsPath" << "" << false;
        QTest::newRow("the machine's hive") << "Software\\Tolvane\\Wordwell Practice\\WordsPath" << "/machine" << true;
    }

    void storedValueIsReadAsStored()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(bool, machine);
        storeWordsPath(key, value, machine ? reg::HKEY_LOCAL_MACHINE : reg::HKEY_CURRENT_USER);
        CWordwellApp app;
        app.EstablishSettings();
        QCOMPARE(app.m_strWordsPath, value.isEmpty() || machine ? m_home->dataHome() + "/Tolvane/Wordwell" : value);
    }

    void valueIsReadOnceAtStartUp()
    {
        storeWordsPath("Software\\Tolvane\\Wordwell Practice\\WordsPath", "/first");
        CWordwellApp app;
        app.EstablishSettings();
        storeWordsPath("Software\\Tolvane\\Wordwell Practice\\WordsPath", "/second");
        QCOMPARE(app.m_strWordsPath, QString("/first"));
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_GUILESS_MAIN(TestWordwellApp)
#include "tst_wordwellapp.moc"
