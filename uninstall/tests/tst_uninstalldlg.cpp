#include "installation.h"

#include "platform/files/files.h"
#include "platform/framework/messagebox.h"
#include "practice/settings/wordwellapp.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"
#include "uninstall/aboutdlg.h"
#include "uninstall/uninstalldlg.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace fw = platform::framework;

class TestUninstallDlg : public QObject {
    Q_OBJECT

    void start()
    {
        m_dlg = std::make_unique<CUninstallDlg>();
        m_dlg->show();
        m_dlg->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg.get()));
    }

    QCheckBox* removeAllBox() const { return qobject_cast<QCheckBox*>(fw::GetDlgItem(m_dlg.get(), 1000)); }
    QPushButton* button(int id) const { return qobject_cast<QPushButton*>(fw::GetDlgItem(m_dlg.get(), id)); }

private slots:
    void init()
    {
        m_home = std::make_unique<IsolatedHome>();
        m_install = std::make_unique<TestInstallation>(*m_home);
        m_boxes = std::make_unique<MessageBoxRecorder>();
    }

    void cleanup()
    {
        m_dlg.reset();
        m_boxes.reset();
        m_install.reset();
        m_home.reset();
    }

    void cancellingRemovesNothing_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Cancel") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("close box") << 2;
    }

    void cancellingRemovesNothing()
    {
        QFETCH(int, how);
        QVERIFY(m_install->install());
        const QByteArray before = HashOfTree(m_home->home());
        start();
        removeAllBox()->setChecked(true);
        if (how == 0)
            QTest::mouseClick(button(2), Qt::LeftButton);
        else if (how == 1)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            m_dlg->close();
        QVERIFY(!m_dlg->isVisible());
        QCOMPARE(m_dlg->result(), int(fw::IDCANCEL));
        QCOMPARE(m_boxes->texts(), QStringList());
        QCOMPARE(HashOfTree(m_home->home()), before);
    }

    void aboutFromTheContextMenu_data()
    {
        QTest::addColumn<bool>("shiftF10");
        QTest::newRow("menu key") << false;
        QTest::newRow("Shift+F10") << true;
    }

    void aboutFromTheContextMenu()
    {
        QFETCH(bool, shiftF10);
        start();
        QString menuHeard;
        QString shownTitle;
        QStringList shownTexts;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu || menu->actions().size() != 1)
                return;
            QCOMPARE(menu->actions().first()->text(), QString("&About Uninstall..."));
            // What a screen reader finds: a named pop-up menu holding the command.
            QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(menu);
            if (heard && heard->role() == QAccessible::PopupMenu && heard->childCount() == 1
                && heard->child(0)->state().focused)
                menuHeard = heard->text(QAccessible::Name) + '/' + heard->child(0)->text(QAccessible::Name);
            QTimer::singleShot(0, [&] {
                auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
                if (!about)
                    return;
                shownTitle = about->windowTitle();
                for (QLabel* label : about->findChildren<QLabel*>())
                    shownTexts << label->text();
                QTest::keyClick(about, Qt::Key_Return);
            });
            menu->actions().first()->trigger();
            menu->close();
        });
        if (shiftF10) {
            button(2)->setFocus();
            QTest::keyClick(button(2), Qt::Key_F10, Qt::ShiftModifier);
        } else {
            // The keyboard's menu key opens the context menu, as a right click does.
            QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(10, 10), m_dlg->mapToGlobal(QPoint(10, 10)));
            QApplication::sendEvent(m_dlg.get(), &event);
        }
        QCOMPARE(menuHeard, QString("Uninstall/About Uninstall..."));
        QCOMPARE(shownTitle, QString("About Uninstall"));
        QVERIFY(shownTexts.contains("Uninstall Version 1.0"));
        QVERIFY(m_dlg->isVisible());
        QCOMPARE(m_boxes->texts(), QStringList());
    }

    // Setup's procedure, a word recorded through the practice program's
    // settings, then Ridwell without and with the box ticked by keys, and
    // Enter taking the default button.
    void wholeRoad()
    {
        for (int removeAll = 0; removeAll <= 1; ++removeAll) {
            QVERIFY(m_install->install(true));
            {
                CWordwellApp app;
                app.EstablishSettings();
                WriteFileForTest(platform::files::NativePath(app.m_strWordsPath + "/words/cat.wav"), "RIFF cat");
            }
            QCOMPARE(EntriesOf(m_install->wordsFolder()), QStringList{"cat.wav"});

            start();
            removeAllBox()->setFocus();
            if (removeAll)
                QTest::keyClick(removeAllBox(), Qt::Key_Space);
            QTest::keyClick(removeAllBox(), Qt::Key_Return);
            QCOMPARE(m_boxes->texts().last(),
                     removeAll ? QString("removed all") : QString("Left recorded words in installed folder"));
            QCOMPARE(m_boxes->requests().last().type, 0u);
            QCOMPARE(m_dlg->result(), int(fw::IDOK));
            // The removal's own steps are tst_uninstallproduct's; here, that the word went where it reaches.
            QCOMPARE(QFileInfo::exists(m_install->wordsFolder() + "/cat.wav"), !removeAll);
        }
    }

private:
    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<TestInstallation> m_install;
    std::unique_ptr<MessageBoxRecorder> m_boxes;
    std::unique_ptr<CUninstallDlg> m_dlg;
};

QTEST_MAIN(TestUninstallDlg)
#include "tst_uninstalldlg.moc"
