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
        m_button = addButton(1009, "CHECK", QRect(10, 10, 75, 23));
    }

    void cleanup()
    {
        m_form.reset();
        m_home.reset();
    }

    // Each ring is one colour along its top and left and another along its
    // bottom and right; sinking the edge swaps the two (all but the innermost
    // ring of a deep sunken edge); inside the rings lies the face alone.
    void ringsSwapWhenSunken_data()
    {
        QTest::addColumn<int>("bevel");
        QTest::newRow("1") << 1;
        QTest::newRow("3") << 3;
    }

    void ringsSwapWhenSunken()
    {
        QFETCH(int, bevel);
        m_button->setText(QString());
        CColorButton raised, sunken;
        QVERIFY(raised.AttachToControl(1009, m_form.get(), kFace, kLabel, kDisabled, bevel));
        sunken.m_clrFace = kFace;
        sunken.m_nBevel = -bevel;
        const int w = 40, h = 20;
        QImage up(w, h, QImage::Format_RGB32);
        QPainter painter(&up);
        const QPen callersPen(Qt::green, 3);
        painter.setPen(callersPen);
        raised.DrawItem({&painter, up.rect(), 0});
        QCOMPARE(painter.pen(), callersPen);  // handed back with its own pen
        painter.end();
        const QImage down = render(sunken, up.size(), 0);

        for (const QImage* image : {&std::as_const(up), &down}) {
            for (int i = 0; i < bevel; ++i) {
                const int l = i, t = i, r = w - 1 - i, b = h - 1 - i;  // inclusive edges of ring i
                const QColor lightOrDark = at(*image, l, t), other = at(*image, r, b);
                for (int x = l; x <= r; ++x)
                    QVERIFY(at(*image, x, t) == lightOrDark && (x == l || at(*image, x, b) == other));
                for (int y = t; y <= b; ++y)
                    QVERIFY(at(*image, l, y) == lightOrDark && (y == t || at(*image, r, y) == other));
                QVERIFY(lightOrDark != kFace && other != kFace && lightOrDark != other);
            }
            for (int y = bevel; y < h - bevel; ++y)
                for (int x = bevel; x < w - bevel; ++x)
                    QVERIFY2(at(*image, x, y) == kFace, qPrintable(QString("face at %1,%2").arg(x).arg(y)));
        }
        for (int i = 0; i < bevel; ++i) {
            QCOMPARE(at(down, i, i), at(up, w - 1 - i, h - 1 - i));
            if (bevel == 1 || i < bevel - 1)
                QCOMPARE(at(down, w - 1 - i, h - 1 - i), at(up, i, i));
        }
    }

    // The button's own state reaches the drawing: focus, pressed by key, disabled.
    void realButtonsAreDrawnByTheirState()
    {
        QPushButton* next = addButton(1011, "Next Word", QRect(150, 50, 75, 23));
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
        QVERIFY(!another.AttachToControl(4242, m_form.get(), kFace, kLabel, kDisabled, 2));
        QVERIFY(button->AttachToControl(1009, m_form.get(), kFace, kLabel, kDisabled, 2));
        QVERIFY(!another.AttachToControl(1009, m_form.get(), Qt::red, Qt::black, Qt::gray, 1));
        QVERIFY(!button->AttachToControl(1009, m_form.get(), Qt::red, Qt::black, Qt::gray, 1));
        QCOMPARE(at(m_button->grab().toImage(), 10, 10), kFace);
        button.reset();
        QCOMPARE(m_button->grab().toImage(), ordinary);
        QVERIFY(another.AttachToControl(1009, m_form.get(), kFace, kLabel, kDisabled, 2));
    }

private:
    QPushButton* addButton(int id, const QString& text, const QRect& geometry)
    {
        auto* button = new QPushButton(text, m_form.get());
        platform::framework::SetDlgCtrlID(button, id);
        button->setGeometry(geometry);
        return button;
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
