#pragma once

#include "practice/review/lettercompare.h"

#include <QWidget>

// The word over the learner's answer, letter under letter, with a mark under
// each difference (X wrong, ^ missing, + extra, <> swapped) in its own colour:
// the marks carry the meaning, the colours only help. A screen reader reads
// the differences as sentences from its description. A long word wraps onto
// further rows, each with its own labels, so the strip never asks for more
// width than a few letters.
class CLetterStrip : public QWidget {
    Q_OBJECT
public:
    explicit CLetterStrip(QWidget* parent = nullptr);

    void SetComparison(const QString& word, const QString& answer);

    // The mark shown under a step, and the legend that explains them.
    static QString MarkText(practice::review::LetterMark mark);
    static QString Legend();

    // The hint is every letter on one row; the minimum is a few letters a row.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    int rowHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int cellWidth() const;
    int labelWidth() const;
    int columns() const;
    // The index of the step each row begins with, at `width`.
    QList<int> rowStarts(int width) const;

    QList<practice::review::LetterStep> m_steps;
    bool m_bShown = false;
};
