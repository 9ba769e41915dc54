#include "practice/history/historywindow.h"

#include "platform/framework/messagebox.h"
#include "platform/framework/winapp.h"
#include "practice/history/historycsv.h"
#include "practice/history/historyreader.h"
#include "practice/history/historytable.h"
#include "practice/history/scorechart.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace practice::history;

CHistoryWindow::CHistoryWindow(CHistoryReader& reader, const QString& learner, const QString& practiceLearner,
                               QWidget* parent, QWidget* classPage)
    : QDialog(parent), m_reader(reader), m_practiceLearner(practiceLearner)
{
    setWindowTitle(QStringLiteral("History"));
    setAccessibleName(windowTitle());
    auto* layout = new QVBoxLayout(this);
    // With a class, this computer's history and the class's are two pages;
    // without one the window is as it always was.
    QVBoxLayout* content = layout;
    if (classPage) {
        auto* pages = new QTabWidget(this);
        pages->setAccessibleName(QStringLiteral("History"));
        auto* local = new QWidget(pages);
        content = new QVBoxLayout(local);
        pages->addTab(local, QStringLiteral("Thi&s Computer"));
        pages->addTab(classPage, QStringLiteral("&Class"));
        layout->addWidget(pages);
    }

    m_learners = new QComboBox(this);
    auto* chooser = new QFormLayout;
    chooser->addRow(BuddyLabel(QStringLiteral("&Learner:"), m_learners, this), m_learners);
    content->addLayout(chooser);

    m_notice = new QLabel(this);
    m_notice->setWordWrap(true);
    m_notice->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_notice->hide();
    content->addWidget(m_notice);

    m_tests = new CHistoryTable(this);
    m_testsView = MakeResultsView(
        m_tests, {"0000-00-00 00:00", "MMMMMMMMM", "", "", "100.00 %", "finished", "practice round"}, this);
    content->addWidget(BuddyLabel(QStringLiteral("&Tests:"), m_testsView, this));
    content->addWidget(m_testsView, 2);

    m_chart = new CScoreChart(this);
    content->addWidget(new QLabel(QStringLiteral("Score over time (finished first tries):"), this));
    content->addWidget(m_chart, 1);

    m_missed = MakeMissedWordsList(this);
    content->addWidget(BuddyLabel(QStringLiteral("Most &missed words:"), m_missed, this));
    content->addWidget(m_missed, 1);

    auto* buttons = new QDialogButtonBox(this);
    // Beside Close, or on their page when there are two.
    QDialogButtonBox* actions = classPage ? new QDialogButtonBox(this) : buttons;
    if (classPage)
        content->addWidget(actions);
    m_practise = actions->addButton(QStringLiteral("&Practise These Words"), QDialogButtonBox::ActionRole);
    m_export = actions->addButton(QStringLiteral("&Export to CSV..."), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    for (QPushButton* b : {m_practise, m_export})
        b->setAutoDefault(false);
    close->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_practise, &QPushButton::clicked, this, [this] {
        QStringList words;
        for (int i = 0; i < m_missed->topLevelItemCount(); ++i)
            words << m_missed->topLevelItem(i)->text(0);
        PractiseWords(words);
    });
    connect(m_export, &QPushButton::clicked, this, &CHistoryWindow::onExport);

    QString error;
    QStringList learners;
    if (!m_reader.Open(&error, &m_openNotice) || !m_reader.Learners(&learners, &error)) {
        showProblem(error);
    } else {
        if (!learners.contains(learner))
            learners.append(learner);
        learners.sort();
        m_learners->addItems(learners);
        m_learners->setCurrentText(learner);
        connect(m_learners, &QComboBox::currentTextChanged, this, &CHistoryWindow::showLearner);
        showLearner(learner);
    }
    m_testsView->setFocus();
    resize(720, 620);
}

void CHistoryWindow::PractiseWords(const QStringList& words)
{
    m_wordsToPractise = words;
    done(kPractise);
}

void CHistoryWindow::showProblem(const QString& problem)
{
    m_notice->setText(problem);
    m_notice->show();
    m_learners->setEnabled(false);
    m_tests->SetTests({});
    m_chart->SetTests({});
    m_missed->clear();
    m_missed->setAccessibleDescription(QString());
    m_practise->setEnabled(false);
    m_export->setEnabled(false);
}

void CHistoryWindow::showLearner(const QString& learner)
{
    QString error;
    QList<StoredTest> tests;
    QList<MissedWord> missed;
    if (!m_reader.Tests(learner, &tests, &error) || !m_reader.MostMissed(learner, kMissedShown, &missed, &error)) {
        showProblem(error);
        return;
    }
    const QString none = tests.isEmpty() ? QStringLiteral("No tests of %1 are kept yet.").arg(learner) : QString();
    const QString notice = m_openNotice.isEmpty() || none.isEmpty() ? m_openNotice + none : m_openNotice + u' ' + none;
    m_notice->setText(notice);
    m_notice->setVisible(!notice.isEmpty());
    m_chart->SetTests(tests);
    m_tests->SetTests(std::move(tests));
    if (m_tests->rowCount() > 0)
        m_testsView->setCurrentIndex(m_tests->index(0, 0));
    ShowMissedWords(m_missed, missed);
    m_export->setEnabled(m_tests->rowCount() > 0);
    const bool forThisLearner = !m_practiceLearner.isEmpty() && learner == m_practiceLearner;
    m_practise->setEnabled(forThisLearner && !missed.isEmpty());
    m_practise->setAccessibleDescription(
        forThisLearner || m_practiceLearner.isEmpty()
            ? QString()
            : QStringLiteral("Only the current learner's words can be practised: %1.").arg(m_practiceLearner));
}

bool CHistoryWindow::ExportTo(const QString& path)
{
    QString error;
    if (SaveCsv(path, HistoryCsv(m_learners->currentText(), m_tests->Tests()), &error))
        return true;
    platform::framework::AfxMessageBox(error, platform::framework::MB_ICONEXCLAMATION);
    return false;
}

void CHistoryWindow::onExport()
{
    const QString path = platform::framework::AfxGetApp()->DoPromptFileName(
        QStringLiteral("%1 history.csv").arg(QString(m_learners->currentText()).replace(u'/', u'-')), false, QStringLiteral("Export History"),
        QStringLiteral("CSV Files (*.csv)"), QStringLiteral(".csv"));
    if (!path.isEmpty())
        ExportTo(path);
}
