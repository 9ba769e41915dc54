#include "platform/framework/commandline.h"

namespace platform::framework {

namespace {

bool isKnownSwitch(const QString& name)
{
    static const QStringList known = {QStringLiteral("p"), QStringLiteral("pt"), QStringLiteral("dde"),
                                      QStringLiteral("embedding"), QStringLiteral("automation")};
    return known.contains(name.toLower());
}

}  // namespace

void CCommandLineInfo::ParseParam(const QString& param, bool isFlag)
{
    if (isFlag) {
        const QString flag = param.toLower();
        if (flag == u"p")
            m_nShellCommand = FilePrint;
        else if (flag == u"pt")
            m_nShellCommand = FilePrintTo;
        else if (flag == u"dde")
            m_nShellCommand = FileDDE;
        else if (!isKnownSwitch(flag))
            m_unknownSwitches.append(param);
        return;
    }
    if (m_strFileName.isEmpty()) {
        m_strFileName = param;
        if (m_nShellCommand == FileNew || m_nShellCommand == FileDDE)
            m_nShellCommand = FileOpen;
    } else if (m_nShellCommand == FilePrintTo && m_strPrinterName.isEmpty()) {
        m_strPrinterName = param;
    }
}

void ParseCommandLine(const QStringList& arguments, CCommandLineInfo& info)
{
    bool switchesEnded = false;
    for (const QString& arg : arguments) {
        if (!switchesEnded && arg == u"--") {
            switchesEnded = true;
            continue;
        }
        // A leading '/' is also an absolute path here, so only the framework's
        // own names count as switches in that form.
        const bool dashSwitch = arg.size() > 1 && arg.front() == u'-';
        const bool slashSwitch = arg.size() > 1 && arg.front() == u'/' && isKnownSwitch(arg.mid(1));
        if (!switchesEnded && (dashSwitch || slashSwitch))
            info.ParseParam(arg.mid(1), true);
        else
            info.ParseParam(arg, false);
    }
}

}  // namespace platform::framework
