#include "practice/testview/homepage.h"

#include "platform/help/helpfile.h"

#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>

namespace practice::testview {

QUrl HomePageUrl(const QString& helpFilePath, QString* error)
{
    const std::optional<platform::help::HelpFile> help = platform::help::HelpFile::Load(helpFilePath, error);
    if (!help)
        return {};
    const QByteArray page = help->Html().toUtf8();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    const QString pagePath = folder + QStringLiteral("/Wordwell Home.html");
    QSaveFile copy(pagePath);
    if (!QDir().mkpath(folder) || !copy.open(QIODevice::WriteOnly) || copy.write(page) != page.size()
        || !copy.commit()) {
        *error = QStringLiteral("Cannot write the home page \"%1\": %2.").arg(pagePath, copy.errorString());
        return {};
    }
    return QUrl::fromLocalFile(pagePath);
}

}  // namespace practice::testview
