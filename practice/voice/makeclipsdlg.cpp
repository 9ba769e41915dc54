#include "practice/voice/makeclipsdlg.h"

#include "platform/framework/messagebox.h"

#include <QLabel>

namespace fw = platform::framework;
using practice::voice::CClipMaker;
using practice::voice::ClipFailure;

namespace {

enum : int { IDD_MAKECLIPS = 301, IDC_CLIPWORD = 1311, IDC_CLIPCOUNT = 1312 };

// The summary names at most this many failures; the rest are counted.
constexpr int kListedFailures = 15;

fw::DialogTemplate makeClipsTemplate()
{
    using fw::ControlKind;
    fw::DialogTemplate t;
    t.id = IDD_MAKECLIPS;
    t.fontFamily = QStringLiteral("MS Sans Serif");
    t.size = {200, 62};
    t.items = {
        {fw::IDC_STATIC, ControlKind::Label, QStringLiteral("Speaking:"), {7, 9, 40, 8}, 0, 0, {}},
        {IDC_CLIPWORD, ControlKind::Label, QString(), {50, 9, 143, 8}, fw::CS_NOPREFIX, 0, {}},
        {IDC_CLIPCOUNT, ControlKind::Label, QString(), {7, 23, 186, 8}, 0, 0, {}},
        {fw::IDCANCEL, ControlKind::DefPushButton, QStringLiteral("Cancel"), {75, 41, 50, 14}, fw::CS_TABSTOP, 0, {}},
    };
    return t;
}

}  // namespace

CMakeClipsDlg::CMakeClipsDlg(CClipMaker* maker, QWidget* parent) : CDialog(makeClipsTemplate(), parent), m_maker(maker)
{
    setWindowTitle(QStringLiteral("Make Missing Clips"));
    m_word = static_cast<QLabel*>(GetDlgItem(IDC_CLIPWORD));
    m_count = static_cast<QLabel*>(GetDlgItem(IDC_CLIPCOUNT));
    connect(m_maker, &CClipMaker::progress, this, &CMakeClipsDlg::showProgress);
    connect(m_maker, &CClipMaker::finished, this, [this] {
        EndDialog(m_maker->Cancelled() ? fw::IDCANCEL : fw::IDOK);
    });
}

bool CMakeClipsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    showProgress(QString(), 0, m_maker->Total());
    m_pace.Start();
    m_maker->Start();
    return true;
}

void CMakeClipsDlg::OnCancel()
{
    // The maker's finished() ends the dialog.
    m_maker->Cancel();
}

void CMakeClipsDlg::showProgress(const QString& word, int done, int total)
{
    m_word->setText(word);
    m_count->setText(QStringLiteral("%1 of %2 words done").arg(done).arg(total));
    m_pace.Report(this, done, total, m_count->text());
}

QString MakeClipsSummary(const CClipMaker& maker)
{
    QString text = maker.Made() == 1 ? QStringLiteral("1 clip was made.")
                                     : QStringLiteral("%1 clips were made.").arg(maker.Made());
    if (maker.Cancelled())
        text += QStringLiteral(" Cancelled: the words not reached have no clip yet.");
    const QList<ClipFailure>& failures = maker.Failures();
    if (!failures.isEmpty()) {
        text += QStringLiteral("\n\nThese words have no clip:");
        for (int i = 0; i < failures.size() && i < kListedFailures; ++i)
            text += QStringLiteral("\n\"%1\": %2").arg(failures.at(i).word, failures.at(i).reason);
        if (failures.size() > kListedFailures)
            text += QStringLiteral("\n... and %1 more.").arg(failures.size() - kListedFailures);
    }
    return WrapLines(text, kSummaryLineWidth);
}

QString WrapLines(const QString& text, int width)
{
    QStringList out;
    for (const QString& line : text.split(u'\n')) {
        QString current;
        for (const QString& word : line.split(u' ')) {
            if (!current.isEmpty() && current.size() + 1 + word.size() > width) {
                out << current;
                current.clear();
            }
            if (!current.isEmpty())
                current += u' ';
            current += word;
            while (current.size() > width) {
                const int cut = current.at(width - 1).isHighSurrogate() ? width - 1 : width;
                out << current.left(cut);
                current.remove(0, cut);
            }
        }
        out << current;
    }
    return out.join(u'\n');
}
