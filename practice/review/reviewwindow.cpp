#include "practice/review/reviewwindow.h"

#include "platform/framework/announce.h"
#include "practice/review/letterstrip.h"
#include "practice/review/score.h"
#include "practice/review/stripview.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace practice::review;

CReviewWindow::CReviewWindow(const CTestRecord& record, QWidget* parent) : QDialog(parent), m_record(record)
{
    setWindowTitle(QStringLiteral("Review of the Test"));
    setAccessibleName(windowTitle());
    auto* layout = new QVBoxLayout(this);

    m_summary = new QLabel(Summary(), this);
    // A long list name wraps rather than widening the window.
    m_summary->setWordWrap(true);
    m_summary->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(m_summary);

    auto* wordsLabel = new QLabel(QStringLiteral("&Words taken"), this);
    m_words = new QTreeWidget(this);
    m_words->setAccessibleName(QStringLiteral("Words taken"));
    wordsLabel->setBuddy(m_words);
    m_words->setRootIsDecorated(false);
    m_words->setUniformRowHeights(true);
    m_words->setHeaderLabels({QStringLiteral("No."), QStringLiteral("Word"), QStringLiteral("You typed"),
                              QStringLiteral("Right or wrong")});
    const QList<AnsweredWord>& answers = record.Answers();
    for (int i = 0; i < answers.size(); ++i) {
        const AnsweredWord& a = answers[i];
        auto* item = new QTreeWidgetItem(m_words, {QString::number(i + 1), a.word,
                                                   a.answer.isEmpty() ? QStringLiteral("(nothing)") : a.answer,
                                                   a.right ? QStringLiteral("\u2713 right") : QStringLiteral("\u2717 wrong")});
        item->setForeground(3, a.right ? QColor(0, 110, 0) : QColor(190, 0, 0));
    }
    m_words->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(wordsLabel);
    layout->addWidget(m_words, 1);

    m_strip = new CLetterStrip;
    layout->addWidget(new CLetterStripView(m_strip, this));
    auto* legend = new QLabel(CLetterStrip::Legend(), this);
    layout->addWidget(legend);

    auto* differencesLabel = new QLabel(QStringLiteral("&Differences"), this);
    m_differences = new QListWidget(this);
    m_differences->setAccessibleName(QStringLiteral("Differences"));
    differencesLabel->setBuddy(m_differences);
    m_differences->setMaximumHeight(m_differences->fontMetrics().height() * 5);
    layout->addWidget(differencesLabel);
    layout->addWidget(m_differences);

    auto* buttons = new QDialogButtonBox(this);
    m_practise = buttons->addButton(QStringLiteral("&Practise Missed Words"), QDialogButtonBox::ActionRole);
    m_practise->setEnabled(!record.MissedWords().isEmpty());
    m_practise->setAutoDefault(false);
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setDefault(true);
    layout->addWidget(buttons);
    connect(m_practise, &QPushButton::clicked, this, [this] { done(kPractise); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    connect(m_words, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { showWord(item ? m_words->indexOfTopLevelItem(item) : -1); });
    // The first wrong word is shown first: it is what the learner came for.
    int first = 0;
    while (first < answers.size() && answers[first].right)
        ++first;
    if (!answers.isEmpty())
        m_words->setCurrentItem(m_words->topLevelItem(first < answers.size() ? first : 0));
    m_words->setFocus();
    // Wide enough for the first word on one row where the screen has room;
    // never more than the screen it opens on, less room for the window's frame.
    const QScreen* screen = parent ? parent->screen() : this->screen();
    const QSize room = screen->availableGeometry().size() * 9 / 10;
    resize(QSize(std::max(560, sizeHint().width()), 520).boundedTo(room).expandedTo(minimumSizeHint()));
}

QString CReviewWindow::Summary() const
{
    QString text = QStringLiteral("%1: %2 of %3 right, score %4")
                       .arg(m_record.ListName())
                       .arg(m_record.Right())
                       .arg(m_record.ListWords())
                       .arg(FormatScore(m_record.Right(), m_record.ListWords()));
    if (m_record.IsPractice())
        text += QStringLiteral(" (practice round)");
    if (m_record.GetState() == CTestRecord::State::Stopped)
        text += m_record.Answers().size() == 1 ? QStringLiteral(" (stopped after 1 word)")
                                               : QStringLiteral(" (stopped after %1 words)").arg(m_record.Answers().size());
    return text;
}

void CReviewWindow::showWord(int row)
{
    m_differences->clear();
    if (row < 0 || row >= m_record.Answers().size())
        return;
    const AnsweredWord& a = m_record.Answers()[row];
    m_strip->SetComparison(a.word, a.answer);
    const QStringList sentences = DescribeDifferences(a.word, a.answer);
    const QStringList differences = sentences.isEmpty() ? QStringList{QStringLiteral("every letter is right")} : sentences;
    m_differences->addItems(differences);
    // The differences sit away from the focus, in the list below: a screen
    // reader hears them as each word is reached.
    platform::framework::Announce(this, a.word + QStringLiteral(": ") + differences.join(QStringLiteral("; ")) + u'.');
}
