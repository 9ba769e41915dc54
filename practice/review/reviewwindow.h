#pragma once

#include "practice/review/testrecord.h"

#include <QDialog>

class CLetterStrip;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;

// Every word of the last test: its number, the word, what was typed and
// whether it was right; for the chosen word, where the answer differs letter
// by letter. "Practise Missed Words" ends the window with kPractise.
class CReviewWindow : public QDialog {
    Q_OBJECT
public:
    enum { kPractise = 2 };

    CReviewWindow(const practice::review::CTestRecord& record, QWidget* parent = nullptr);

    QTreeWidget* Words() const { return m_words; }
    QListWidget* Differences() const { return m_differences; }
    CLetterStrip* Strip() const { return m_strip; }
    QPushButton* PractiseButton() const { return m_practise; }
    QString Summary() const;

private:
    void showWord(int row);

    const practice::review::CTestRecord& m_record;
    QLabel* m_summary = nullptr;
    QTreeWidget* m_words = nullptr;
    CLetterStrip* m_strip = nullptr;
    QListWidget* m_differences = nullptr;
    QPushButton* m_practise = nullptr;
};
