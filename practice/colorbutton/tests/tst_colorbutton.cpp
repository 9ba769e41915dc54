#include "practice/colorbutton/colorbutton.h"
#include "platform/framework/dialogunits.h"

#include "testsupport/isolatedhome.h"

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

QColor at(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

// Whether any pixel inside the rings is `color`.
bool shows(const QImage& image, const QColor& color)
{
    for (int y = 2; y < image.height() - 2; ++y) {
        for (int x = 2; x < image.width() - 2; ++x) {
            if (at(image, x, y) == color)
                return true;
        }
    }
    return false;
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
        m_button = new QPushButton("CHECK", m_form.get());
        platform::framework::SetDlgCtrlID(m_button, 1009);
        m_button->setGeometry(10, 10, 75, 23);
    }

    void cleanup()
    {
        m_form.reset();
        m_home.reset();
    }

    // Each ring is one colour along its top and left and another along its
    // bottom and right; sinking the edge swaps the two (all but the innermost
    // ring of a deep sunken edge); inside the rings lies the face alone.
    void ringsSwapWhenSunken()
    {
        for (const int bevel : {1, 3}) {
            CColorButton raised, sunken;
            raised.m_clrFace = sunken.m_clrFace = kFace;
            raised.m_nBevel = bevel;
            sunken.m_nBevel = -bevel;
            const int r = 39, b = 19;  // the far edges of a 40 x 20 button
            const QImage up = render(raised), down = render(sunken);
            for (const QImage* image : {&up, &down}) {
                for (int i = 0; i < bevel; ++i) {
                    const QColor topLeft = at(*image, i, i), bottomRight = at(*image, r - i, b - i);
                    for (int x = i; x <= r - i; ++x)
                        QVERIFY(at(*image, x, i) == topLeft && (x == i || at(*image, x, b - i) == bottomRight));
                    for (int y = i; y <= b - i; ++y)
                        QVERIFY(at(*image, i, y) == topLeft && (y == i || at(*image, r - i, y) == bottomRight));
                    QVERIFY(topLeft != kFace && bottomRight != kFace && topLeft != bottomRight);
                }
                QImage face(40 - 2 * bevel, 20 - 2 * bevel, QImage::Format_RGB32);
                face.fill(kFace);
                QCOMPARE(image->copy(bevel, bevel, face.width(), face.height()), face);
            }
            for (int i = 0; i < bevel; ++i) {
                QCOMPARE(at(down, i, i), at(up, r - i, b - i));
                if (bevel == 1 || i < bevel - 1)
                    QCOMPARE(at(down, r - i, b - i), at(up, i, i));
            }
        }
    }

    void realButtonsAreDrawnByTheirState()
    {
        auto* next = new QPushButton("Next Word", m_form.get());
        platform::framework::SetDlgCtrlID(next, 1011);
        next->setGeometry(150, 50, 75, 23);
        int clicks = 0;
        connect(m_button, &QPushButton::clicked, this, [&clicks] { ++clicks; });
        CColorButton btnCheck, btnNext;
        QVERIFY(btnCheck.AttachToControl(1009, m_form.get(), kFace, kLabel, kDisabled, 2));
        QVERIFY(btnNext.AttachToControl(1011, m_form.get(), kFace, kLabel, kDisabled, 2));
        next->setEnabled(false);
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        // A disabled label is grey, an enabled one is not; no focus, no focus rectangle.
        m_button->clearFocus();
        QVERIFY(shows(next->grab().toImage(), kDisabled));
        const QImage plain = m_button->grab().toImage();
        QVERIFY(shows(plain, kLabel) && !shows(plain, kDisabled));
        QCOMPARE(at(plain, 4, 4), kFace);

        m_button->setFocus();
        // The focus rectangle four pixels in, dotted: every other pixel of its
        // outline flipped, each once, corners too.
        const QImage focused = m_button->grab().toImage();
        QCOMPARE(QList<QColor>({at(focused, 4, 4), at(focused, 5, 4), at(focused, 70, 18), at(focused, 3, 3)}),
                 QList<QColor>({kFaceInverted, kFace, kFaceInverted, kFace}));
        // Pressed: one sunken ring, the face where the second ring was, the same focus rectangle.
        QTest::keyPress(m_button, Qt::Key_Space);
        const QImage pressed = m_button->grab().toImage();
        QCOMPARE(QList<QColor>({at(pressed, 1, 1), at(pressed, 4, 4)}), QList<QColor>({kFace, kFaceInverted}));
        QTest::keyRelease(m_button, Qt::Key_Space);
        QCOMPARE(clicks, 1);
    }

    // A button is taken over once; a failed attach leaves it ordinary, and
    // detaching gives it back as it was.
    void attachingTakesTheButtonOverOnce()
    {
        const QImage ordinary = m_button->grab().toImage();
        auto button = std::make_unique<CColorButton>();
        CColorButton another;
        QVERIFY(!another.AttachToControl(4242, m_form.get(), kFace, kLabel, kDisabled, 2) && !another.Control());
        QVERIFY(button->AttachToControl(1009, m_form.get(), kFace, kLabel, kDisabled, 2));
        QVERIFY(!another.AttachToControl(1009, m_form.get(), Qt::red, Qt::black, Qt::gray, 1));
        QVERIFY(!button->AttachToControl(1009, m_form.get(), Qt::red, Qt::black, Qt::gray, 1));
        QCOMPARE(at(m_button->grab().toImage(), 10, 10), kFace);
        button.reset();
        QCOMPARE(m_button->grab().toImage(), ordinary);
        QVERIFY(another.AttachToControl(1009, m_form.get(), kFace, kLabel, kDisabled, 2));
    }

private:
    // Draws `button` unattached, as the window system asks, on a painter
    // whose pen it must hand back.
    static QImage render(CColorButton& button)
    {
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        const QPen callersPen(Qt::green, 3);
        painter.setPen(callersPen);
        button.DrawItem({&painter, image.rect(), 0});
        return painter.pen() == callersPen ? image : QImage();
    }

    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<QWidget> m_form;
    QPushButton* m_button = nullptr;
};

QTEST_MAIN(TestColorButton)
#include "tst_colorbutton.moc"
