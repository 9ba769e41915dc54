#pragma once

#include "platform/framework/formprinter.h"

#include <QString>
#include <QStringList>

// A written test on paper: the test sheet (the list's name, lines for the
// learner's name and the date, a numbered blank line per word) followed by
// the answer key (the same numbers with the words), each starting on a page of
// its own.
namespace practice::share {

class TestSheet final : public platform::framework::PageSource {
public:
    TestSheet(QString listName, QStringList words);

    int pageCount(QPaintDevice* device, const QRect& page) const override;
    void renderPage(QPainter* painter, const QRect& page, int index) const override;

    // How many numbered lines one page holds below its heading.
    int linesPerPage(QPaintDevice* device, const QRect& page) const;

private:
    int sheetPages(QPaintDevice* device, const QRect& page) const;

    QString m_listName;
    QStringList m_words;
};

// Writes the sheet and key to a PDF file (A4); false with the reason.
bool SaveTestSheetPdf(const TestSheet& sheet, const QString& path, QString* why);

}  // namespace practice::share
