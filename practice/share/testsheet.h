#pragma once

#include "platform/framework/formprinter.h"
#include "practice/share/answerkey.h"

#include <QString>
#include <QStringList>

#include <optional>

// A written test on paper: the test sheet (the list's name, lines for the
// learner's name and the date, a numbered blank line per word) followed by
// the answer key (the same numbers with the words, a long word wrapped), each
// starting on a page of its own.
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
    const QList<QList<KeyLine>>& keyPages(QPaintDevice* device, const QRect& page) const;

    // The key laid out once for a page size: a long list's key has hundreds of pages.
    struct KeyLayout {
        QSize page;
        int dpiX = 0;
        int dpiY = 0;
        QList<QList<KeyLine>> pages;
    };

    QString m_listName;
    QStringList m_words;
    mutable std::optional<KeyLayout> m_key;
};

// Writes the sheet and key to a PDF file (A4, within DocumentMargins); false with the reason.
bool SaveTestSheetPdf(const TestSheet& sheet, const QString& path, QString* why);

}  // namespace practice::share
