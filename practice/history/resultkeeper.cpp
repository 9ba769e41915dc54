#include "practice/history/resultkeeper.h"

#include "practice/history/storemodule.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace practice::history;

CResultKeeper::CResultKeeper(QString path, int busyMs) : m_path(std::move(path)), m_busyMs(busyMs) {}

CResultKeeper::~CResultKeeper() = default;

QString CResultKeeper::DefaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/Tolvane/Wordwell Practice/History.sqlite");
}

bool CResultKeeper::openStore(QString* error)
{
    if (m_store)
        return true;
    QString reason;
    const ResultStoreFactory* factory = LoadStoreFactory(&reason);
    if (!factory) {
        *error = QStringLiteral("The result could not be saved: %1.").arg(reason);
        return false;
    }
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("The result could not be saved: the folder \"%1\" could not be made.").arg(folder);
        return false;
    }
    std::unique_ptr<ResultStore> store = factory->Open(m_path, m_busyMs);
    // A store that cannot take results is opened afresh next time, so a
    // database mended or unlocked meanwhile is used.
    if (!store->Problem().isEmpty()) {
        *error = store->Problem();
        return false;
    }
    m_store = std::move(store);
    return true;
}

bool CResultKeeper::Keep(const practice::review::CTestRecord& test, QString* error)
{
    m_held.append({test, m_class});
    return Retry(error);
}

bool CResultKeeper::Retry(QString* error)
{
    if (m_held.isEmpty())
        return true;
    if (!openStore(error))
        return false;
    while (!m_held.isEmpty()) {
        if (!m_store->Save(m_held.first().first, m_held.first().second, error))
            return false;
        m_held.removeFirst();
    }
    return true;
}
