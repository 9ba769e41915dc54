#include "platform/registry/registry.h"
#include "testsupport/isolatedhome.h"

#include <QFile>
#include <QSettings>
#include <QTest>

#include <memory>

using namespace platform::registry;

class TestRegistry : public QObject {
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<IsolatedHome>(); }
    void cleanup() { m_home.reset(); }

    void missingKeyIsNotFound()
    {
        Key key = HKEY_LOCAL_MACHINE;
        QCOMPARE(OpenKey(HKEY_LOCAL_MACHINE, "Software\\Tolvane\\Virir", &key), ERROR_FILE_NOT_FOUND);
        QVERIFY(key.isNull());
        QString value = "untouched";
        QCOMPARE(QueryStringValue(key, "Path", &value), ERROR_INVALID_HANDLE);
        QCOMPARE(GetStringValue(HKEY_LOCAL_MACHINE, "Software\\Tolvane\\Virir", "Path", &value), ERROR_FILE_NOT_FOUND);
        QCOMPARE(value, QString("untouched"));
        QCOMPARE(SetStringValue(key, "Path", "x"), ERROR_INVALID_HANDLE);
        QCOMPARE(DeleteValue(key, "Path"), ERROR_INVALID_HANDLE);
        QCOMPARE(DeleteKey(HKEY_LOCAL_MACHINE, "Software\\Tolvane\\Virir"), ERROR_FILE_NOT_FOUND);
        QCOMPARE(CloseKey(&key), ERROR_INVALID_HANDLE);
    }

    void keysAreFoundInAnyCaseAndUnderOpenKeysAndValuesRoundTrip()
    {
        Key company;
        QCOMPARE(CreateKey(HKEY_CURRENT_USER, "Software\\Tolvane", &company), ERROR_SUCCESS);
        QCOMPARE(CloseKey(&company), ERROR_SUCCESS);
        // Made again in another case, it is the same key, named as first stored.
        QCOMPARE(CreateKey(HKEY_CURRENT_USER, "SOFTWARE\\tolvane", &company), ERROR_SUCCESS);
        QCOMPARE(company.levels(), QStringList({"Software", "Tolvane"}));
        Key section;
        QCOMPARE(CreateKey(company, "Wordwell Practice\\WordsPath", &section), ERROR_SUCCESS);
        Key direct;
        QCOMPARE(OpenKey(HKEY_CURRENT_USER, "software\\Tolvane\\Wordwell Practice\\WordsPath", &direct), ERROR_SUCCESS);
        // Blanks, the default value, separators in the name, a leading at sign.
        const QList<QPair<QString, QString>> rows{
            {"Path", "/home/a b/Tolvane/Wordwell"}, {"", "/opt/Wordwell/Wordwell"}, {"a/b\\c%d", "x"},
            {"At", "@Invalid()"}};
        for (const auto& [name, data] : rows) {
            QCOMPARE(SetStringValue(section, name, data), ERROR_SUCCESS);
            QString read;
            QCOMPARE(QueryStringValue(direct, name.toUpper(), &read), ERROR_SUCCESS);
            QCOMPARE(read, data);
            read.clear();
            QCOMPARE(GetStringValue(company, "wordwell practice\\WORDSPATH", name, &read), ERROR_SUCCESS);
            QCOMPARE(read, data);
        }
        // The other hive is separate.
        QCOMPARE(OpenKey(HKEY_LOCAL_MACHINE, "Software\\Tolvane", &direct), ERROR_FILE_NOT_FOUND);
    }

    // Keys written into the hive by other means carry no marker of their own.
    void aKeyWrittenByHandIsFoundInAnyCase()
    {
        QSettings hive(HiveFilePath(Root::LocalMachine), QSettings::IniFormat);
        hive.setValue("Software/By Hand/Path", "/x");
        hive.sync();
        Key key;
        QCOMPARE(OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\by hand", &key), ERROR_SUCCESS);
        QCOMPARE(key.levels(), QStringList({"Software", "By Hand"}));
        QString read;
        QCOMPARE(GetStringValue(HKEY_LOCAL_MACHINE, "software\\BY HAND", "path", &read), ERROR_SUCCESS);
        QCOMPARE(read, QString("/x"));
    }

    void valueNamesAreCaseBlindAndTheDefaultIsApart()
    {
        Key key;
        QCOMPARE(CreateKey(HKEY_LOCAL_MACHINE, "App", &key), ERROR_SUCCESS);
        QCOMPARE(SetStringValue(key, "", "unnamed"), ERROR_SUCCESS);
        QCOMPARE(SetStringValue(key, "Default", "one"), ERROR_SUCCESS);
        QCOMPARE(SetStringValue(key, "DEFAULT", "named"), ERROR_SUCCESS);
        QString read;
        QCOMPARE(QueryStringValue(key, "", &read), ERROR_SUCCESS);
        QCOMPARE(read, QString("unnamed"));
        QCOMPARE(QueryStringValue(key, "default", &read), ERROR_SUCCESS);
        QCOMPARE(read, QString("named"));
        QCOMPARE(DeleteValue(key, ""), ERROR_SUCCESS);
        QCOMPARE(QueryStringValue(key, "", &read), ERROR_FILE_NOT_FOUND);
        QCOMPARE(DeleteValue(key, "dEfault"), ERROR_SUCCESS);
        QCOMPARE(DeleteValue(key, "Default"), ERROR_FILE_NOT_FOUND);
    }

    void deleteKeyRemovesValuesButNotParentsOrKeysWithSubkeys()
    {
        Key key;
        QCOMPARE(CreateKey(HKEY_LOCAL_MACHINE, "Software\\Tolvane\\Virir", &key), ERROR_SUCCESS);
        QCOMPARE(SetStringValue(key, "Path", "/x"), ERROR_SUCCESS);
        QCOMPARE(DeleteKey(HKEY_LOCAL_MACHINE, "Software\\Tolvane"), ERROR_ACCESS_DENIED);
        QCOMPARE(DeleteKey(HKEY_LOCAL_MACHINE, "software\\tolvane\\VIRIR"), ERROR_SUCCESS);
        Key probe;
        QCOMPARE(OpenKey(HKEY_LOCAL_MACHINE, "Software\\Tolvane", &probe), ERROR_SUCCESS);
        // The handle still names the deleted key, and writing through it makes nothing.
        QCOMPARE(SetStringValue(key, "Path", "/y"), ERROR_KEY_DELETED);
        QCOMPARE(OpenKey(HKEY_LOCAL_MACHINE, "Software\\Tolvane\\Virir", &probe), ERROR_FILE_NOT_FOUND);
    }

    void anUnwritableHiveFolderMakesNoKey()
    {
        // A file where the registry folder belongs: nothing can be written, even as root.
        const QString registry = m_home->configHome() + "/Tolvane/Registry";
        WriteFileForTest(registry, "in the way");
        Key key;
        QCOMPARE(CreateKey(HKEY_LOCAL_MACHINE, "Software\\Tolvane\\Virir", &key), ERROR_ACCESS_DENIED);
        QVERIFY(QFile::remove(registry));
        QCOMPARE(OpenKey(HKEY_LOCAL_MACHINE, "Software\\Tolvane\\Virir", &key), ERROR_FILE_NOT_FOUND);
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "tst_registry.moc"
