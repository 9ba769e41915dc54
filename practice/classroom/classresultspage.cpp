#include "practice/classroom/classresultspage.h"

#include "platform/framework/messagebox.h"
#include "platform/framework/winapp.h"
#include "practice/classroom/classjob.h"
#include "practice/classroom/classresults.h"
#include "practice/history/historycsv.h"
#include "practice/history/historytable.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

using namespace practice::history;
using practice::classroom::CClassJob;

CClassResultsPage::CClassResultsPage(const ClassConnection& where, int missedShown, bool canPractise, QWidget* parent)
    : QWidget(parent), m_where(where), m_missedShown(missedShown), m_canPractise(canPractise)
{
    auto* layout = new QVBoxLayout(this);
    m_notice = new QLabel(this);
    m_notice->setWordWrap(true);
    m_notice->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(m_notice);

    m_results = new CClassResultsTable(this);
    m_view = MakeResultsView(m_results, {"MMMMMMMMM", "MMMMMMMMM", "100.00 %", "100.00 %", "", "0000-00-00 00:00"}, this);
    layout->addWidget(BuddyLabel(QStringLiteral("&Results:"), m_view, this));
    layout->addWidget(m_view, 2);

    m_missed = MakeMissedWordsList(this);
    layout->addWidget(BuddyLabel(QStringLiteral("Most missed wor&ds in the class:"), m_missed, this));
    layout->addWidget(m_missed, 1);

    auto* buttons = new QDialogButtonBox(this);
    m_practise = buttons->addButton(QStringLiteral("Pr&actise These Words"), QDialogButtonBox::ActionRole);
    m_export = buttons->addButton(QStringLiteral("Export to CS&V..."), QDialogButtonBox::ActionRole);
    for (QPushButton* b : {m_practise, m_export}) {
        b->setAutoDefault(false);
        b->setEnabled(false);
    }
    layout->addWidget(buttons);
    connect(m_practise, &QPushButton::clicked, this, [this] {
        QStringList words;
        for (int i = 0; i < m_missed->topLevelItemCount(); ++i)
            words << m_missed->topLevelItem(i)->text(0);
        emit Practise(words);
    });
    connect(m_export, &QPushButton::clicked, this, &CClassResultsPage::onExport);
}

void CClassResultsPage::Load()
{
    m_notice->setText(QStringLiteral("Reading the class's results..."));
    auto rows = std::make_shared<QList<ClassResultRow>>();
    // The table first: the most missed words read every answer in the class
    // and come after it (and after any password the table asked for).
    read([rows](ClassStore& store, QString* error) { return store.Results(rows.get(), error); },
         [this, rows] {
             showRows(std::move(*rows));
             auto missed = std::make_shared<QList<MissedWord>>();
             read([missed, limit = m_missedShown](ClassStore& store,
                                                  QString* error) { return store.MostMissed(limit, missed.get(), error); },
                  [this, missed] { showMissed(*missed); });
         });
}

void CClassResultsPage::read(const CClassJob::Work& work, const std::function<void()>& show)
{
    auto* job = new CClassJob(m_where, work, this, this);
    connect(job, &CClassJob::Finished, this, [this, job, show](bool ok, const QString& error) {
        job->deleteLater();
        if (ok)
            show();
        else
            ShowProblem(error);
    });
    job->Start();
}

void CClassResultsPage::Show(QList<ClassResultRow> rows, const QList<MissedWord>& missed)
{
    showRows(std::move(rows));
    showMissed(missed);
}

void CClassResultsPage::showRows(QList<ClassResultRow> rows)
{
    m_notice->setText(rows.isEmpty() ? QStringLiteral("The class has no results yet.") : QString());
    m_notice->setVisible(rows.isEmpty());
    m_results->SetRows(std::move(rows));
    if (m_results->rowCount() > 0)
        m_view->setCurrentIndex(m_results->index(0, 0));
    m_export->setEnabled(m_results->rowCount() > 0);
}

void CClassResultsPage::showMissed(const QList<MissedWord>& missed)
{
    ShowMissedWords(m_missed, missed);
    m_practise->setEnabled(m_canPractise && !missed.isEmpty());
}

void CClassResultsPage::ShowProblem(const QString& problem)
{
    m_notice->setText(problem);
    m_notice->show();
    m_results->SetRows({});
    m_missed->clear();
    m_practise->setEnabled(false);
    m_export->setEnabled(false);
}

bool CClassResultsPage::ExportTo(const QString& path)
{
    QString error;
    if (SaveCsv(path, practice::classroom::ClassResultsCsv(m_results->Rows()), &error))
        return true;
    platform::framework::AfxMessageBox(error, platform::framework::MB_ICONEXCLAMATION);
    return false;
}

void CClassResultsPage::onExport()
{
    const QString path = platform::framework::AfxGetApp()->DoPromptFileName(
        QStringLiteral("Class results.csv"), false, QStringLiteral("Export Class Results"),
        QStringLiteral("CSV Files (*.csv)"), QStringLiteral(".csv"));
    if (!path.isEmpty())
        ExportTo(path);
}
