#pragma once

#include <QString>
#include <QStringList>

// The two registry hives, kept as INI files under
// $XDG_CONFIG_HOME/Tolvane/Registry, with the results the Win32 registry
// calls give: a missing key or value is "not found", deleting what is
// missing fails, names are matched without regard to case.
namespace platform::registry {

enum class Root { LocalMachine, CurrentUser };

// Win32 status codes, so callers read like the procedures they implement.
enum Status : long {
    ERROR_SUCCESS = 0,
    ERROR_FILE_NOT_FOUND = 2,
    ERROR_ACCESS_DENIED = 5,
    ERROR_INVALID_HANDLE = 6,
    ERROR_INVALID_PARAMETER = 87,
    ERROR_KEY_DELETED = 1018,
};

// An open key, or a null handle. Copies refer to the same key.
class Key {
public:
    Key() = default;
    static Key LocalMachine() { return Key(Root::LocalMachine, {}); }
    static Key CurrentUser() { return Key(Root::CurrentUser, {}); }

    bool isNull() const { return !m_open; }
    Root root() const { return m_root; }
    // Levels below the root as stored (their stored letter case).
    const QStringList& levels() const { return m_levels; }

private:
    friend long CreateKey(const Key& parent, const QString& subKey, Key* result);
    friend long OpenKey(const Key& parent, const QString& subKey, Key* result);
    Key(Root root, QStringList levels) : m_root(root), m_levels(std::move(levels)), m_open(true) {}

    Root m_root = Root::LocalMachine;
    QStringList m_levels;
    bool m_open = false;
};

inline const Key HKEY_LOCAL_MACHINE = Key::LocalMachine();
inline const Key HKEY_CURRENT_USER = Key::CurrentUser();

// RegCreateKeyEx: opens subKey below parent, creating every missing level.
long CreateKey(const Key& parent, const QString& subKey, Key* result);
// RegOpenKeyEx: opens an existing key only.
long OpenKey(const Key& parent, const QString& subKey, Key* result);
// RegCloseKey: makes the handle null.
long CloseKey(Key* key);
// RegSetValueEx with REG_SZ; an empty name is the key's default value.
long SetStringValue(const Key& key, const QString& name, const QString& data);
// RegQueryValueEx for a string value.
long QueryStringValue(const Key& key, const QString& name, QString* data);
// RegGetValue for a string value: opens subKey below parent and queries it in one look at the hive.
long GetStringValue(const Key& parent, const QString& subKey, const QString& name, QString* data);
long DeleteValue(const Key& key, const QString& name);
// RegDeleteKey: removes a key that has no subkeys, with its values.
long DeleteKey(const Key& parent, const QString& subKey);

QString HiveFilePath(Root root);

}  // namespace platform::registry
