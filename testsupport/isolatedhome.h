#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh, empty home for one test: HOME, XDG_CONFIG_HOME, XDG_DATA_HOME,
// XDG_CACHE_HOME and the working folder all point inside a temporary folder that
// goes away with the object, so no test reads or writes the real user's files or
// another test's leftovers. CUPS_SERVER names a print server that is not there,
// so no test finds (or prints on) the machine's printers. XDG_RUNTIME_DIR
// stays: the audio server lives there.
class IsolatedHome {
public:
    IsolatedHome();
    ~IsolatedHome();
    IsolatedHome(const IsolatedHome&) = delete;
    IsolatedHome& operator=(const IsolatedHome&) = delete;

    QString path() const { return m_dir.path(); }
    QString home() const { return m_dir.path() + QStringLiteral("/home"); }
    QString configHome() const { return home() + QStringLiteral("/.config"); }
    QString dataHome() const { return home() + QStringLiteral("/.local/share"); }
    // The working folder the test starts in.
    QString work() const { return m_dir.path() + QStringLiteral("/work"); }

private:
    QTemporaryDir m_dir;
    QString m_previousWorkingFolder;
};

// Writes `bytes` to `path`, creating its folders; fails the test when it cannot.
void WriteFileForTest(const QString& path, const QByteArray& bytes);
QByteArray ReadFileForTest(const QString& path);
