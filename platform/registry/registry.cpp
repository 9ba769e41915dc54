#include "platform/registry/registry.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

namespace platform::registry {

namespace {

// Every created key carries this entry, so a key without values still exists.
// It cannot collide with a value: encoded names only use '%' before two hex digits.
const QString kKeyMarker = QStringLiteral("%key");
const QString kDefaultValueName = QStringLiteral("Default");

// QSettings treats '/' and '\' as separators; registry names may hold both.
QString encodeName(const QString& name)
{
    const auto needsEscape = [](QChar c) { return c == u'%' || c == u'/' || c == u'\\'; };
    if (std::none_of(name.cbegin(), name.cend(), needsEscape))
        return name;
    QString out;
    out.reserve(name.size());
    for (QChar c : name) {
        if (needsEscape(c))
            out += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QChar(u'0')).toUpper();
        else
            out += c;
    }
    return out;
}

QString decodeName(const QString& stored)
{
    if (!stored.contains(u'%'))
        return stored;
    QString out;
    out.reserve(stored.size());
    for (qsizetype i = 0; i < stored.size(); ++i) {
        bool ok = false;
        if (stored[i] == u'%' && i + 2 < stored.size()) {
            const ushort code = stored.mid(i + 1, 2).toUShort(&ok, 16);
            if (ok) {
                out += QChar(code);
                i += 2;
                continue;
            }
        }
        out += stored[i];
    }
    return out;
}

QString encodeValueName(const QString& name)
{
    if (name.isEmpty())
        return kDefaultValueName;
    QString encoded = encodeName(name);
    // A named value called "Default" must not land on the default value's slot.
    if (encoded.compare(kDefaultValueName, Qt::CaseInsensitive) == 0)
        encoded = QStringLiteral("%%1").arg(encoded[0].unicode(), 2, 16, QChar(u'0')).toUpper()
                  + encoded.mid(1);
    return encoded;
}

QStringList splitKeyPath(const QString& subKey)
{
    return subKey.split(u'\\', Qt::SkipEmptyParts);
}

}  // namespace

// One hive file, opened for the span of one registry call.
class Hive {
public:
    explicit Hive(Root root) : Hive(HiveFilePath(root)) {}

    // QSettings writes through a link to the file it names; a hive that is a
    // link names a file that is not the registry's, so it is never written.
    bool writable() const { return !m_bLinked && m_settings.isWritable(); }

    static QString group(const QStringList& levels)
    {
        QStringList encoded;
        encoded.reserve(levels.size());
        for (const QString& level : levels)
            encoded << encodeName(level);
        return encoded.join(u'/');
    }

    // The stored spelling of a subkey of `levels` matching `name` case-blind, or a null string.
    QString findChild(const QStringList& levels, const QString& name)
    {
        // A key made here carries the marker: found so, its siblings need not be listed.
        if (m_settings.contains(group(levels + QStringList{name}) + u'/' + kKeyMarker))
            return name;
        const QStringList children = childGroups(levels);
        for (const QString& child : children) {
            if (child.compare(name, Qt::CaseSensitive) == 0)
                return child;
        }
        for (const QString& child : children) {
            if (child.compare(name, Qt::CaseInsensitive) == 0)
                return child;
        }
        return {};
    }

    bool exists(const QStringList& levels)
    {
        QStringList prefix;
        for (const QString& level : levels) {
            if (findChild(prefix, level) != level)
                return false;
            prefix << level;
        }
        return true;
    }

    QStringList childGroups(const QStringList& levels)
    {
        return decodedChildren(levels, true);
    }

    // The stored entry name of a value of `levels`, matched case-blind; empty when missing.
    QString findValueEntry(const QStringList& levels, const QString& name)
    {
        m_settings.beginGroup(group(levels));
        const QStringList keys = m_settings.childKeys();
        m_settings.endGroup();
        if (name.isEmpty())
            return keys.contains(kDefaultValueName) ? kDefaultValueName : QString();
        QString found;
        for (const QString& key : keys) {
            if (key == kKeyMarker || key == kDefaultValueName)
                continue;
            const QString decoded = decodeName(key);
            if (decoded == name)
                return key;
            if (found.isEmpty() && decoded.compare(name, Qt::CaseInsensitive) == 0)
                found = key;
        }
        return found;
    }

    QSettings& settings() { return m_settings; }

    long commit()
    {
        m_settings.sync();
        return m_settings.status() == QSettings::NoError ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
    }

private:
    explicit Hive(const QString& path)
        : m_settings(path, QSettings::IniFormat), m_bLinked(QFileInfo(path).isSymLink())
    {
    }

    QStringList decodedChildren(const QStringList& levels, bool groups)
    {
        m_settings.beginGroup(group(levels));
        const QStringList stored = groups ? m_settings.childGroups() : m_settings.childKeys();
        m_settings.endGroup();
        QStringList out;
        out.reserve(stored.size());
        for (const QString& s : stored)
            out << decodeName(s);
        return out;
    }

    QSettings m_settings;
    bool m_bLinked = false;
};

namespace {

long checkOpen(const Key& key, Hive& hive)
{
    if (key.isNull())
        return ERROR_INVALID_HANDLE;
    return hive.exists(key.levels()) ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

// The stored levels of subKey below the open key parent.
long openIn(Hive& hive, const Key& parent, const QString& subKey, QStringList* levels)
{
    if (const long status = checkOpen(parent, hive); status != ERROR_SUCCESS)
        return status;
    *levels = parent.levels();
    for (const QString& wanted : splitKeyPath(subKey)) {
        const QString stored = hive.findChild(*levels, wanted);
        if (stored.isNull())
            return ERROR_FILE_NOT_FOUND;
        *levels << stored;
    }
    return ERROR_SUCCESS;
}

long queryIn(Hive& hive, const QStringList& levels, const QString& name, QString* data)
{
    const QString entry = hive.findValueEntry(levels, name);
    if (entry.isEmpty())
        return ERROR_FILE_NOT_FOUND;
    *data = hive.settings().value(Hive::group(levels) + u'/' + entry).toString();
    return ERROR_SUCCESS;
}

}  // namespace

QString HiveFilePath(Root root)
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString name = root == Root::LocalMachine ? QStringLiteral("HKEY_LOCAL_MACHINE.ini")
                                                    : QStringLiteral("HKEY_CURRENT_USER.ini");
    return base + QStringLiteral("/Tolvane/Registry/") + name;
}

long CreateKey(const Key& parent, const QString& subKey, Key* result)
{
    *result = Key();
    Hive hive(parent.root());
    if (const long status = checkOpen(parent, hive); status != ERROR_SUCCESS)
        return status;

    QStringList levels = parent.levels();
    bool created = false;
    for (const QString& wanted : splitKeyPath(subKey)) {
        QString stored = hive.findChild(levels, wanted);
        if (stored.isNull()) {
            if (!hive.writable())
                return ERROR_ACCESS_DENIED;
            stored = wanted;
            hive.settings().setValue(Hive::group(levels + QStringList{stored}) + u'/' + kKeyMarker,
                                     QString());
            created = true;
        }
        levels << stored;
    }
    if (created) {
        if (const long status = hive.commit(); status != ERROR_SUCCESS)
            return status;
    }
    *result = Key(parent.root(), levels);
    return ERROR_SUCCESS;
}

long OpenKey(const Key& parent, const QString& subKey, Key* result)
{
    *result = Key();
    Hive hive(parent.root());
    QStringList levels;
    if (const long status = openIn(hive, parent, subKey, &levels); status != ERROR_SUCCESS)
        return status;
    *result = Key(parent.root(), levels);
    return ERROR_SUCCESS;
}

long CloseKey(Key* key)
{
    if (key->isNull())
        return ERROR_INVALID_HANDLE;
    *key = Key();
    return ERROR_SUCCESS;
}

long SetStringValue(const Key& key, const QString& name, const QString& data)
{
    Hive hive(key.root());
    if (const long status = checkOpen(key, hive); status != ERROR_SUCCESS)
        return status;
    if (!hive.writable())
        return ERROR_ACCESS_DENIED;
    QString entry = hive.findValueEntry(key.levels(), name);
    if (entry.isEmpty())
        entry = encodeValueName(name);
    hive.settings().setValue(Hive::group(key.levels()) + u'/' + entry, data);
    return hive.commit();
}

long QueryStringValue(const Key& key, const QString& name, QString* data)
{
    Hive hive(key.root());
    if (const long status = checkOpen(key, hive); status != ERROR_SUCCESS)
        return status;
    return queryIn(hive, key.levels(), name, data);
}

long GetStringValue(const Key& parent, const QString& subKey, const QString& name, QString* data)
{
    Hive hive(parent.root());
    QStringList levels;
    if (const long status = openIn(hive, parent, subKey, &levels); status != ERROR_SUCCESS)
        return status;
    return queryIn(hive, levels, name, data);
}

long DeleteValue(const Key& key, const QString& name)
{
    Hive hive(key.root());
    if (const long status = checkOpen(key, hive); status != ERROR_SUCCESS)
        return status;
    const QString entry = hive.findValueEntry(key.levels(), name);
    if (entry.isEmpty())
        return ERROR_FILE_NOT_FOUND;
    if (!hive.writable())
        return ERROR_ACCESS_DENIED;
    hive.settings().remove(Hive::group(key.levels()) + u'/' + entry);
    return hive.commit();
}

long DeleteKey(const Key& parent, const QString& subKey)
{
    Key key;
    if (const long status = OpenKey(parent, subKey, &key); status != ERROR_SUCCESS)
        return status;
    if (key.levels().size() == parent.levels().size())
        return ERROR_INVALID_PARAMETER;  // the parent itself is never deleted this way
    Hive hive(key.root());
    if (!hive.childGroups(key.levels()).isEmpty())
        return ERROR_ACCESS_DENIED;
    if (!hive.writable())
        return ERROR_ACCESS_DENIED;
    hive.settings().remove(Hive::group(key.levels()));
    return hive.commit();
}

}  // namespace platform::registry
