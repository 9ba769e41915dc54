#pragma once

#include <QString>
#include <QUrl>

namespace practice::testview {

// The product's home page: its help file shown as a web page. The help file
// is HTML under the ".hlp" name the help engine asks for, so a copy named
// ".html" is kept in the user's cache folder for the browser to open; an
// empty address, with `error` set, when that copy cannot be made.
QUrl HomePageUrl(const QString& helpFilePath, QString* error);

}  // namespace practice::testview
