#pragma once

#include "platform/framework/dialog.h"
#include "platform/framework/progresspace.h"
#include "practice/voice/clipmaker.h"

class QLabel;

// The progress of Make Missing Clips: the word being spoken and the count.
// Cancel stops at once and keeps the clips made; the dialog closes by itself
// when every word is done. A screen reader hears the count now and then.
class CMakeClipsDlg : public platform::framework::CDialog {
    Q_OBJECT
public:
    CMakeClipsDlg(practice::voice::CClipMaker* maker, QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void OnCancel() override;

private:
    void showProgress(const QString& word, int done, int total);

    practice::voice::CClipMaker* m_maker;
    QLabel* m_word = nullptr;
    QLabel* m_count = nullptr;
    platform::framework::ProgressPace m_pace;
};

// What the summary box says once the maker has finished or been cancelled;
// no line is longer than kSummaryLineWidth characters.
QString MakeClipsSummary(const practice::voice::CClipMaker& maker);
constexpr int kSummaryLineWidth = 80;

// `text` with every line longer than `width` broken at blanks, and a run of
// more than `width` characters without one broken where it reaches the width:
// a message box cuts off what does not fit its width.
QString WrapLines(const QString& text, int width);
