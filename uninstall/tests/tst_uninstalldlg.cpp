#include "installation.h"

#include "common/record.h"
#include "platform/files/files.h"
#include "platform/framework/dialogunits.h"
#include "platform/framework/messagebox.h"
#include "platform/registry/registry.h"
#include "platform/shell/specialfolders.h"
#include "practice/settings/wordwellapp.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"
#include "uninstall/aboutdlg.h"
#include "uninstall/uninstalldlg.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace fw = platform::framework;
namespace reg = platform::registry;

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

    bool recordExists() const { return LocalMachineKeyExists(common::record::kProductKey); }

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

    void templateAndNames()
    {
        start();
        QCOMPARE(m_dlg->windowTitle(), QString("Uninstall"));
        QCOMPARE(button(1)->text(), QString("Uninstall"));
        QVERIFY(button(1)->isDefault());
        QCOMPARE(button(2)->text(), QString("Cancel"));
        QCOMPARE(removeAllBox()->text(), QString("Remove all files including recorded words?"));
        QVERIFY(!removeAllBox()->isChecked());
        const fw::DialogUnits units(m_dlg->font());
        QCOMPARE(removeAllBox()->geometry(), units.MapDialogRect(QRect(17, 40, 151, 10)));
        for (QAbstractButton* b : m_dlg->findChildren<QAbstractButton*>())
            QVERIFY(!b->accessibleName().isEmpty());
    }

    void uninstallPassesTheBoxAsTheFlag_data()
    {
        QTest::addColumn<bool>("tick");
        QTest::addColumn<QString>("message");
        QTest::newRow("box clear") << false << "Left recorded words in installed folder";
        QTest::newRow("box ticked") << true << "removed all";
    }

    void uninstallPassesTheBoxAsTheFlag()
    {
        QFETCH(bool, tick);
        QFETCH(QString, message);
        QVERIFY(m_install->install());
        WriteFileForTest(m_install->wordsFolder() + "/cat.wav", "RIFF");
        start();
        if (tick) {
            removeAllBox()->setFocus();
            QTest::keyClick(removeAllBox(), Qt::Key_Space);
        }
        button(1)->setFocus();
        QTest::keyClick(button(1), Qt::Key_Return);
        QCOMPARE(m_boxes->texts(), QStringList{message});
        QCOMPARE(m_boxes->requests().first().type, 0u);
        QCOMPARE(m_boxes->requests().first().helpId, 0u);
        QCOMPARE(m_dlg->m_bRemoveAll, tick ? 1 : 0);
        QCOMPARE(QFileInfo::exists(m_install->wordsFolder() + "/cat.wav"), !tick);
        QVERIFY(!recordExists());
        QVERIFY(!m_dlg->isVisible());
        QCOMPARE(m_dlg->result(), int(fw::IDOK));
    }

    void cancellingRemovesNothing_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Cancel") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("close box") << 2;
        QTest::newRow("Enter on Cancel, reached by keys") << 3;
    }

    void cancellingRemovesNothing()
    {
        QFETCH(int, how);
        QVERIFY(m_install->install());
        const QByteArray before = HashOfTree(m_home->home());
        start();
        if (how == 3) {
            // Keys only: Tab to the box, tick it, Shift+Tab back to Cancel, Enter.
            button(1)->setFocus();
            QTest::keyClick(button(1), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), removeAllBox());
            QTest::keyClick(removeAllBox(), Qt::Key_Space);
            QVERIFY(removeAllBox()->isChecked());
            QTest::keyClick(removeAllBox(), Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget(), button(2));
            QTest::keyClick(button(2), Qt::Key_Return);
        }
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
            if (heard && heard->role() == QAccessible::PopupMenu && heard->childCount() == 1)
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

    // Distribution folder, Setup's procedure, words recorded through the
    // practice program's settings, then Ridwell without and with the flag.
    void wholeRoad()
    {
        const QString medium = m_home->path() + "/medium";
        QVERIFY(QDir().mkpath(medium));
        for (const QString& name : EntriesOf(WW_DIST_DIR))
            QVERIFY(QFile::copy(QString(WW_DIST_DIR) + '/' + name, medium + '/' + name));
        QVERIFY(QFileInfo(medium + "/Setup").isExecutable());
        QVERIFY(QFileInfo(medium + "/Ridwell").isExecutable());
        QVERIFY(QFileInfo(medium + "/Wordwell.png").isFile());
        // Pieces other parts of the product have not delivered yet are stood in for.
        for (const common::record::InstalledFile& file : common::record::kInstalledFiles) {
            if (!QFileInfo::exists(medium + '/' + file.source))
                QVERIFY(QFile::copy(m_home->work() + '/' + file.source, medium + '/' + file.source));
        }
        QDir::setCurrent(medium);

        for (int removeAll = 0; removeAll <= 1; ++removeAll) {
            QVERIFY(m_install->install(true));
            QCOMPARE(ReadFileForTest(m_install->installFolder + "/Ridwell"), ReadFileForTest(medium + "/Ridwell"));
            {
                CWordwellApp app;
                app.EstablishSettings();
                WriteFileForTest(platform::files::NativePath(app.m_strWordsPath + "/words/cat.wav"), "RIFF cat");
            }
            QCOMPARE(EntriesOf(m_install->wordsFolder()), QStringList{"cat.wav"});

            start();
            removeAllBox()->setChecked(removeAll);
            QTest::mouseClick(button(1), Qt::LeftButton);
            QCOMPARE(m_boxes->texts().last(),
                     removeAll ? QString("removed all") : QString("Left recorded words in installed folder"));
            QCOMPARE(QFileInfo::exists(m_install->wordsFolder() + "/cat.wav"), !removeAll);
            QVERIFY(!QFileInfo::exists(m_install->groupPath));
            QVERIFY(!QFileInfo::exists(platform::shell::DesktopFolder() + "/Wordwell.desktop"));
            QVERIFY(!recordExists());
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
