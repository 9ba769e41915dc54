#include "platform/registry/registry.h"
#include "practice/settings/wordwellapp.h"
#include "testsupport/isolatedhome.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <memory>

namespace reg = platform::registry;

class TestWordwellApp : public QObject {
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<IsolatedHome>(); }
    void cleanup() { m_home.reset(); }

    // The original's empty path put the clips at "/words/<word>.wav": nothing
    // stored, or nothing usable, means the folder Setup would propose.
    void storedValueIsReadAsStored_data()
    {
        QTest::addColumn<QString>("value");  // "-": nothing stored
        QTest::addColumn<bool>("machine");  // stored for the machine: not the setting
        QTest::newRow("nothing stored") << "-" << false;
        QTest::newRow("blanks and a trailing separator kept") << "/home/a b/Word well/" << false;
        QTest::newRow("empty value") << "" << false;
        QTest::newRow("the machine's hive") << "/machine" << true;
    }

    void storedValueIsReadAsStored()
    {
        QFETCH(QString, value);
        QFETCH(bool, machine);
        reg::Key key;
        const auto hive = machine ? reg::HKEY_LOCAL_MACHINE : reg::HKEY_CURRENT_USER;
        QVERIFY(value == "-"
                || (reg::CreateKey(hive, "Software\\Tolvane\\Wordwell Practice\\WordsPath", &key) == reg::ERROR_SUCCESS
                    && reg::SetStringValue(key, "Path", value) == reg::ERROR_SUCCESS));
        CWordwellApp app;
        app.EstablishSettings();
        QCOMPARE(GetWordwellApp(), &app);
        const QString proposed = m_home->dataHome() + "/Tolvane/Wordwell";
        QCOMPARE(app.m_strWordsPath, value.isEmpty() || value == "-" || machine ? proposed : value);
        if (value == "-") {
            QVERIFY(QFileInfo(proposed + "/words").isDir());
            // Reading settings writes nothing.
            QVERIFY(!QDir(m_home->configHome() + "/Tolvane").exists());
        }
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_GUILESS_MAIN(TestWordwellApp)
#include "tst_wordwellapp.moc"
