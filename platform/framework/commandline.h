#pragma once

#include <QString>
#include <QStringList>

namespace platform::framework {

// What the command line asks the program to do at start-up. A list file path
// opens that list; none starts a new, empty one. The framework's switches
// (/p, /pt, /dde, /Embedding, /Automation, with "-" as well as "/") are
// recognised so that they are never taken for a file name: /p and /pt print
// the file they name (/pt on the printer after it), the others open it. "--"
// ends the switches, so a list named "-x.spl" can be given.
class CCommandLineInfo {
public:
    enum Shell { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE };

    void ParseParam(const QString& param, bool isFlag);

    Shell m_nShellCommand = FileNew;
    QString m_strFileName;
    QString m_strPrinterName;
    QStringList m_unknownSwitches;
};

// Fills `info` from the arguments after the program's name.
void ParseCommandLine(const QStringList& arguments, CCommandLineInfo& info);

}  // namespace platform::framework
