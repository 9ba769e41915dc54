#include "platform/help/helpfile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace platform::help {

std::optional<HelpFile> HelpFile::Load(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot open the help file \"%1\": %2.").arg(path, file.errorString());
        return std::nullopt;
    }
    return FromHtml(QString::fromUtf8(file.readAll()), path);
}

HelpFile HelpFile::FromHtml(QString html, QString path)
{
    HelpFile help;
    help.m_strPath = std::move(path);
    help.m_strHtml = std::move(html);
    static const QRegularExpression popup(
        QStringLiteral(R"re(<section\s+class="popup"\s+id="0x([0-9A-Fa-f]{8})"\s*>(.*?)</section>)re"),
        QRegularExpression::DotMatchesEverythingOption);
    for (auto it = popup.globalMatch(help.m_strHtml); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        help.m_popups.insert(m.captured(1).toUInt(nullptr, 16), m.captured(2).trimmed());
    }
    return help;
}

QString ContextIdName(quint32 contextId)
{
    return QStringLiteral("0x") + QString::number(contextId, 16).toUpper().rightJustified(8, u'0');
}

HelpContents ParseContents(const QString& text)
{
    HelpContents contents;
    static const QRegularExpression line(QStringLiteral(R"(^\s*(\d+)\s+(.*?)\s*$)"));
    const QStringList lines = text.split(u'\n');
    for (const QString& raw : lines) {
        const QString trimmed = raw.trimmed();
        if (trimmed.startsWith(QStringLiteral(":Title"), Qt::CaseInsensitive)) {
            contents.title = trimmed.mid(6).trimmed();
            continue;
        }
        if (trimmed.isEmpty() || trimmed.startsWith(u':') || trimmed.startsWith(u';'))
            continue;
        const QRegularExpressionMatch m = line.match(trimmed);
        if (!m.hasMatch())
            continue;
        ContentsEntry entry;
        entry.level = std::max(1, m.captured(1).toInt());
        const QString rest = m.captured(2);
        const qsizetype eq = rest.lastIndexOf(u'=');
        if (eq >= 0) {
            entry.title = rest.left(eq).trimmed();
            entry.topic = rest.mid(eq + 1).trimmed();
        } else {
            entry.title = rest;
        }
        contents.entries.append(entry);
    }
    return contents;
}

QString ContentsPathFor(const QString& helpFilePath)
{
    const QFileInfo info(helpFilePath);
    return info.path() + u'/' + info.completeBaseName() + QStringLiteral(".cnt");
}

}  // namespace platform::help
