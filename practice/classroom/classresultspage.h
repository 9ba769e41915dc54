#pragma once

#include "practice/classroom/classjob.h"
#include "practice/history/classstore.h"

#include <QStringList>
#include <QWidget>

#include <functional>

class CClassResultsTable;
class QLabel;
class QPushButton;
class QTableView;
class QTreeWidget;

// The History window's page of the class: each learner's results by list and
// the class's most missed words, read from the class on a thread of its own
// (a learner sees only their own: the server decides). The table is filled
// when the rows come; the window stays usable meanwhile.
class CClassResultsPage : public QWidget {
    Q_OBJECT
public:
    // `missedShown` words are read; `canPractise` when a practice round can start now.
    CClassResultsPage(const practice::history::ClassConnection& where, int missedShown, bool canPractise,
                      QWidget* parent = nullptr);

    // Reads the class; the page shows what comes.
    void Load();
    // What the page shows, as the class gave it.
    void Show(QList<practice::history::ClassResultRow> rows, const QList<practice::history::MissedWord>& missed);
    void ShowProblem(const QString& problem);

    QTableView* ResultsView() const { return m_view; }
    CClassResultsTable* Results() const { return m_results; }
    QTreeWidget* MissedWords() const { return m_missed; }
    QPushButton* PractiseButton() const { return m_practise; }
    QPushButton* ExportButton() const { return m_export; }
    QLabel* Notice() const { return m_notice; }

    bool ExportTo(const QString& path);

signals:
    void Practise(const QStringList& words);

private:
    void read(const practice::classroom::CClassJob::Work& work, const std::function<void()>& show);
    void showRows(QList<practice::history::ClassResultRow> rows);
    void showMissed(const QList<practice::history::MissedWord>& missed);
    void onExport();

    practice::history::ClassConnection m_where;
    int m_missedShown;
    bool m_canPractise;
    QLabel* m_notice = nullptr;
    CClassResultsTable* m_results = nullptr;
    QTableView* m_view = nullptr;
    QTreeWidget* m_missed = nullptr;
    QPushButton* m_practise = nullptr;
    QPushButton* m_export = nullptr;
};
