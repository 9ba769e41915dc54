#include "practice/ui/colorbutton.h"
#include "platform/framework/dialogunits.h"

#include "testsupport/isolatedhome.h"

#include <QAccessible>
#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

const QColor kFace(24, 116, 205);
const QColor kLabel(255, 255, 255);
const QColor kDisabled(128, 128, 128);
// The face with every bit flipped, as the dotted focus rectangle leaves it.
const QColor kFaceInverted(231, 139, 50);

QColor grey(int level)
{
    return QColor(level, level, level);
}

QColor at(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

// Label pixels exactly in `color`, and pixels neither face nor that colour.
struct Ink {
    int exact = 0;
    int other = 0;
};

Ink inkOf(const QImage& image, const QColor& color, int margin)
{
    Ink ink;
    for (int y = margin; y < image.height() - margin; ++y) {
        for (int x = margin; x < image.width() - margin; ++x) {
            const QColor c = at(image, x, y);
            if (c == color)
                ++ink.exact;
            else if (c != kFace)
                ++ink.other;
        }
    }
    return ink;
}

}  // namespace

class TestColorButton : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_home = std::make_unique<IsolatedHome>();
        m_form = std::make_unique<QWidget>();
        m_form->resize(400, 200);
        m_button = addButton(1009, "CHECK", QRect(10, 10, 75, 23));
    }

    void cleanup()
    {
        m_form.reset();
        m_home.reset();
    }

    void ringsHaveTheirGreys_data()
    {
        QTest::addColumn<int>("bevel");
        QTest::addColumn<QList<QColor>>("topLeft");
        QTest::addColumn<QList<QColor>>("bottomRight");
        QTest::newRow("raised 2") << 2 << QList<QColor>{grey(255), grey(223)} << QList<QColor>{grey(127), grey(85)};
        QTest::newRow("raised 1") << 1 << QList<QColor>{grey(255)} << QList<QColor>{grey(128)};
        QTest::newRow("none") << 0 << QList<QColor>{} << QList<QColor>{};
        QTest::newRow("sunken 1") << -1 << QList<QColor>{grey(128)} << QList<QColor>{grey(255)};
        QTest::newRow("sunken 2, near-black inside") << -2 << QList<QColor>{grey(127), grey(85)}
                                                     << QList<QColor>{grey(255), QColor(1, 1, 1)};
        QTest::newRow("raised 3") << 3 << QList<QColor>{grey(255), grey(223), grey(213)}
                                  << QList<QColor>{grey(127), grey(85), grey(63)};
    }

    void ringsHaveTheirGreys()
    {
        QFETCH(int, bevel);
        QFETCH(QList<QColor>, topLeft);
        QFETCH(QList<QColor>, bottomRight);
        m_button->setText(QString());
        CColorButton button;
        QVERIFY(button.AttachToControl(1009, m_form.get(), kFace, kLabel, kDisabled, bevel));

        const int w = 40;
        const int h = 20;
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        const QPen callersPen(Qt::green, 3);
        painter.setPen(callersPen);
        button.DrawItem({&painter, image.rect(), 0});
        // The painter is handed back with its own pen.
        QCOMPARE(painter.pen(), callersPen);
        painter.end();

        for (int i = 0; i < topLeft.size(); ++i) {
            const int l = i, t = i, r = w - 1 - i, b = h - 1 - i;  // inclusive edges of ring i
            for (int x = l; x <= r; ++x)
                QVERIFY2(at(image, x, t) == topLeft[i], qPrintable(QString("top of ring %1 at x=%2").arg(i).arg(x)));
            for (int y = t; y <= b; ++y)
                QVERIFY2(at(image, l, y) == topLeft[i], qPrintable(QString("left of ring %1 at y=%2").arg(i).arg(y)));
            for (int x = l + 1; x <= r; ++x)
                QVERIFY2(at(image, x, b) == bottomRight[i],
                         qPrintable(QString("bottom of ring %1 at x=%2").arg(i).arg(x)));
            for (int y = t + 1; y <= b; ++y)
                QVERIFY2(at(image, r, y) == bottomRight[i],
                         qPrintable(QString("right of ring %1 at y=%2").arg(i).arg(y)));
        }
        // Inside the rings, only the face.
        const int n = static_cast<int>(topLeft.size());
        for (int y = n; y < h - n; ++y) {
            for (int x = n; x < w - n; ++x)
                QVERIFY2(at(image, x, y) == kFace, qPrintable(QString("face at %1,%2").arg(x).arg(y)));
        }
    }

    void focusRectangleLiesFourPixelsIn_data()
    {
        QTest::addColumn<unsigned>("state");
        QTest::addColumn<QColor>("outerTopLeft");
        QTest::addColumn<QColor>("secondRing");
        QTest::newRow("focused") << unsigned(ODS_FOCUS) << grey(255) << grey(223);
        // Pressed: one sunken ring, the face where the second ring was, the same focus rectangle.
        QTest::newRow("pressed") << unsigned(ODS_FOCUS | ODS_SELECTED) << grey(128) << kFace;
    }

    void focusRectangleLiesFourPixelsIn()
    {
        QFETCH(unsigned, state);
        QFETCH(QColor, outerTopLeft);
        QFETCH(QColor, secondRing);
        m_button->setText(QString());
        CColorButton button;
        QVERIFY(button.AttachToControl(1009, m_form.get(), kFace, kLabel, kDisabled, 2));
        const QImage image = render(button, QSize(40, 20), state);

        QCOMPARE(at(image, 0, 0), outerTopLeft);
        QCOMPARE(at(image, 1, 1), secondRing);
        // Dotted: every other pixel of the outline from (4,4) to (35,15) is inverted, the rest is face.
        int dots = 0;
        for (int y = 2; y < 18; ++y) {
            for (int x = 2; x < 38; ++x) {
                const bool outline = (x == 4 || x == 35) ? (y >= 4 && y <= 15) : ((y == 4 || y == 15) && x >= 4 && x <= 35);
                const bool dot = outline && (x + y) % 2 == 0;
                dots += dot ? 1 : 0;
                QVERIFY2(at(image, x, y) == (dot ? kFaceInverted : kFace),
                         qPrintable(QString("at %1,%2").arg(x).arg(y)));
            }
        }
        // Half of the outline's 2 * 32 + 2 * 10 pixels.
        QCOMPARE(dots, 42);
    }

    void disabledLabelIsDrawnOverTheNormalOne()
    {
        m_button->setFont(aliasedFont());
        CColorButton button;
        QVERIFY(button.AttachToControl(1009, m_form.get(), kFace, kLabel, kDisabled, 2));
        const QImage normal = render(button, QSize(75, 23), 0);
        const QImage disabled = render(button, QSize(75, 23), ODS_DISABLED);

        const Ink white = inkOf(normal, kLabel, 2);
        const Ink grey = inkOf(disabled, kDisabled, 2);
        QVERIFY(white.exact > 20);
        QCOMPARE(white.other, 0);
        // The same glyphs, every pixel of them grey, and no focus rectangle.
        QCOMPARE(grey.exact, white.exact);
        QCOMPARE(grey.other, 0);
        QCOMPARE(inkOf(disabled, kLabel, 2).exact, 0);
    }

    void labelIsCutTo511Characters()
    {
        m_button->setFont(aliasedFont());
        CColorButton button;
        QVERIFY(button.AttachToControl(1009, m_form.get(), kFace, kLabel, kDisabled, 0));
        const QSize size(6000, 24);
        const QString body(510, u'i');
        m_button->setText(body + "iW");
        const QImage cut = render(button, size, 0);
        m_button->setText(body + "i");
        QCOMPARE(cut, render(button, size, 0));
        // The 511th character itself is drawn.
        m_button->setText(body + "W");
        QVERIFY(render(button, size, 0) != cut);
    }

    void lineBreaksAreDrawnOnOneLine()
    {
        m_button->setFont(aliasedFont());
        CColorButton button;
        QVERIFY(button.AttachToControl(1009, m_form.get(), kFace, kLabel, kDisabled, 0));
        m_button->setText("Next\r\nWord\nnow");
        const QImage image = render(button, QSize(200, 80), 0);
        int top = image.height();
        int bottom = -1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (at(image, x, y) == kLabel) {
                    top = qMin(top, y);
                    bottom = qMax(bottom, y);
                }
            }
        }
        QVERIFY(bottom >= top);
        QVERIFY2(bottom - top < QFontMetrics(aliasedFont()).height(), qPrintable(QString("%1..%2").arg(top).arg(bottom)));
    }

    void realButtonsAreDrawnByStateOfFocusKeysAndEnabling()
    {
        QPushButton* listen = addButton(1007, "Listen to Word", QRect(10, 50, 120, 30));
        QPushButton* next = addButton(1011, "Next Word", QRect(150, 50, 75, 23));
        int clicks = 0;
        connect(m_button, &QPushButton::clicked, this, [&clicks] { ++clicks; });
        CColorButton btnListen, btnCheck, btnNext;
        QVERIFY(btnListen.AttachToControl(1007, m_form.get(), kFace, kLabel, kDisabled, 2));
        QVERIFY(btnCheck.AttachToControl(1009, m_form.get(), kFace, kLabel, kDisabled, 2));
        QVERIFY(btnNext.AttachToControl(1011, m_form.get(), kFace, kLabel, kDisabled, 2));
        next->setEnabled(false);
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));

        listen->setFocus();
        QTest::keyClick(m_form.get(), Qt::Key_Tab);
        QVERIFY(m_button->hasFocus());
        QImage check = m_button->grab().toImage();
        QCOMPARE(at(check, 0, 0), grey(255));
        QCOMPARE(at(check, 4, 4), kFaceInverted);
        // No focus rectangle on the others.
        QCOMPARE(at(listen->grab().toImage(), 4, 4), kFace);

        QTest::keyPress(m_button, Qt::Key_Space);
        QVERIFY(m_button->isDown());
        check = m_button->grab().toImage();
        QCOMPARE(at(check, 0, 0), grey(128));
        QCOMPARE(at(check, 74, 22), grey(255));
        QCOMPARE(at(check, 1, 1), kFace);
        QCOMPARE(at(check, 4, 4), kFaceInverted);
        QTest::keyRelease(m_button, Qt::Key_Space);
        QCOMPARE(clicks, 1);

        const QImage disabled = next->grab().toImage();
        QCOMPARE(at(disabled, 0, 0), grey(255));
        QVERIFY(inkOf(disabled, kDisabled, 2).exact > 0);

        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(m_button);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), QString("CHECK"));
    }

    void failedAttachLeavesAnOrdinaryButton_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("takenOver");
        QTest::newRow("no such control") << 4242 << false;
        QTest::newRow("taken over already") << 1009 << true;
    }

    void failedAttachLeavesAnOrdinaryButton()
    {
        QFETCH(int, id);
        QFETCH(bool, takenOver);
        CColorButton first;
        if (takenOver)
            QVERIFY(first.AttachToControl(1009, m_form.get(), Qt::red, Qt::black, Qt::gray, 1));
        const QImage before = m_button->grab().toImage();

        CColorButton button;
        const QColor text = button.m_clrText, face = button.m_clrFace, disabled = button.m_clrDisabled;
        const int bevel = button.m_nBevel;
        QVERIFY(!button.AttachToControl(id, m_form.get(), kFace, kLabel, kDisabled, 2));
        QVERIFY(!button.Control());
        QCOMPARE(button.m_clrText, text);
        QCOMPARE(button.m_clrFace, face);
        QCOMPARE(button.m_clrDisabled, disabled);
        QCOMPARE(button.m_nBevel, bevel);
        QCOMPARE(m_button->grab().toImage(), before);
    }

    void detachingGivesTheButtonBack()
    {
        const QImage ordinary = m_button->grab().toImage();
        {
            CColorButton button;
            QVERIFY(button.AttachToControl(1009, m_form.get(), kFace, kLabel, kDisabled, 2));
            QCOMPARE(at(m_button->grab().toImage(), 10, 10), kFace);
        }
        QCOMPARE(m_button->grab().toImage(), ordinary);
        CColorButton again;
        QVERIFY(again.AttachToControl(1009, m_form.get(), kFace, kLabel, kDisabled, 2));
    }

private:
    QPushButton* addButton(int id, const QString& text, const QRect& geometry)
    {
        auto* button = new QPushButton(text, m_form.get());
        platform::framework::SetDlgCtrlID(button, id);
        button->setGeometry(geometry);
        return button;
    }

    static QFont aliasedFont()
    {
        QFont font(QStringLiteral("DejaVu Sans"), 9);
        // Whole pixels only, so each pixel of a glyph has the label's exact colour.
        font.setStyleStrategy(QFont::NoAntialias);
        return font;
    }

    static QImage render(CColorButton& button, const QSize& size, unsigned state)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        button.DrawItem({&painter, image.rect(), state});
        return image;
    }

    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<QWidget> m_form;
    QPushButton* m_button = nullptr;
};

QTEST_MAIN(TestColorButton)
#include "tst_colorbutton.moc"
