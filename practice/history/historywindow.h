#pragma once

#include "practice/history/resultstore.h"

#include <QDialog>
#include <QStringList>

class CHistoryReader;
class CHistoryTable;
class CScoreChart;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class QTreeWidget;

// Each learner's tests: a table, the score over time and the words most often
// missed, read through a CHistoryReader. "Practise These Words" ends the
// window with kPractise (the words are in WordsToPractise()); Export writes
// the learner's tests as CSV.
class CHistoryWindow : public QDialog {
    Q_OBJECT
public:
    enum { kPractise = 2 };
    // How many of the most missed words are shown and practised.
    static constexpr int kMissedShown = 10;
    // What a round of them is kept as: its words come from many lists.
    static constexpr char kPractiseSource[] = "Most missed words";

    // `learner` is chosen first; `practiceLearner` is who a practice round
    // would be recorded for (the button is only for that learner's words), or
    // empty when no round can start now. A `classPage` (the class's results,
    // while a class is joined) goes beside this computer's history.
    CHistoryWindow(CHistoryReader& reader, const QString& learner, const QString& practiceLearner,
                   QWidget* parent = nullptr, QWidget* classPage = nullptr);

    QComboBox* LearnerChooser() const { return m_learners; }
    QTableView* TestsView() const { return m_testsView; }
    QTreeWidget* MissedWords() const { return m_missed; }
    QPushButton* PractiseButton() const { return m_practise; }
    QPushButton* ExportButton() const { return m_export; }
    QLabel* Notice() const { return m_notice; }
    QStringList WordsToPractise() const { return m_wordsToPractise; }

    // Ends the window with kPractise and these words to practise.
    void PractiseWords(const QStringList& words);

    // Writes the chosen learner's tests to `path`; says why not in a message box.
    bool ExportTo(const QString& path);

private:
    void showLearner(const QString& learner);
    void showProblem(const QString& problem);
    void onExport();

    CHistoryReader& m_reader;
    QString m_practiceLearner;
    QString m_openNotice;
    QComboBox* m_learners = nullptr;
    QLabel* m_notice = nullptr;
    QTableView* m_testsView = nullptr;
    CHistoryTable* m_tests = nullptr;
    CScoreChart* m_chart = nullptr;
    QTreeWidget* m_missed = nullptr;
    QPushButton* m_practise = nullptr;
    QPushButton* m_export = nullptr;
    QStringList m_wordsToPractise;
};
