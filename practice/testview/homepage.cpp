#include "practice/testview/homepage.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace practice::testview {

QUrl HomePageUrl(const QString& helpFilePath, QString* error)
{
    QFile help(helpFilePath);
    if (!help.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Cannot open the help file \"%1\": %2.").arg(helpFilePath, help.errorString());
        return {};
    }
    const QByteArray page = help.readAll();
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
