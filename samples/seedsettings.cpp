// Points the practice program's words path at a folder, in the settings of
// the home the environment names: ./run and the start-up benchmark give
// Wordwell a private home whose clips are the samples'.
#include "platform/registry/registry.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: ww-sample-settings <words path>\n");
        return 2;
    }
    namespace reg = platform::registry;
    reg::Key key;
    const QString wordsPath = QDir(args.at(1)).absolutePath();
    if (reg::CreateKey(reg::HKEY_CURRENT_USER, QStringLiteral("Software\\Tolvane\\Wordwell Practice\\WordsPath"), &key)
            != reg::ERROR_SUCCESS
        || reg::SetStringValue(key, QStringLiteral("Path"), wordsPath) != reg::ERROR_SUCCESS) {
        std::fprintf(stderr, "ww-sample-settings: cannot write %s\n",
                     qPrintable(reg::HiveFilePath(reg::Root::CurrentUser)));
        return 1;
    }
    return 0;
}
