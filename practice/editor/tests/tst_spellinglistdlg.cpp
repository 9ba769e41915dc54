#include "audiotesting.h"
#include "platform/audio/waveaudiodevice.h"
#include "platform/framework/dialogtemplate.h"
#include "platform/framework/frame.h"
#include "platform/framework/helprequest.h"
#include "platform/framework/messagebox.h"
#include "platform/help/helppopup.h"
#include "platform/help/winhelp.h"
#include "practice/document/wordwelldoc.h"
#include "practice/editor/editorforms.h"
#include "practice/editor/spellinglistdlg.h"
#include "practice/sound/playbar.h"
#include "practice/testview/testmessages.h"
#include "practice/testview/wordwellview.h"
#include "testsupport/dialogdriver.h"
#include "testsupport/filetree.h"
#include "testsupport/messageboxes.h"
#include "testsupport/practice/viewfixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QToolButton>
#include <QTest>

#include <memory>

using namespace practice::editor;
using platform::framework::CDialog;

namespace {

QLineEdit* wordBox(const CDialog* d)
{
    return qobject_cast<QLineEdit*>(d->GetDlgItem(IDC_WORD));
}

QListWidget* listOf(const CDialog* d)
{
    return qobject_cast<QListWidget*>(d->GetDlgItem(IDC_WORDLIST));
}

// Keyboard only: from the word box, the tab order is Record, Stop, Play, Save, New word, OK,
// Cancel and the list.
void pressButtonByTab(int id)
{
    const QList<int> order{IDC_WORD, IDC_RECORD, IDC_STOPREC, IDC_PLAY, IDC_SAVEADD, IDC_NEWWORD, 1, 2, IDC_WORDLIST};
    const qsizetype from = order.indexOf(FocusedId());
    const qsizetype to = order.indexOf(id);
    QVERIFY2(from >= 0 && to >= 0, "focus is outside the editor's tab order");
    if (to >= from)
        PressTab(static_cast<int>(to - from));
    else
        PressTab(static_cast<int>(from - to), true);
    QCOMPARE(FocusedId(), id);
    PressKey(Qt::Key_Space);
}

// Types `word` over the selected word box text, records for `ms` and saves.
void recordAndSave(const QString& word, int ms)
{
    QCOMPARE(FocusedId(), int(IDC_WORD));
    QCOMPARE(qobject_cast<QLineEdit*>(QApplication::focusWidget())->selectedText(),
             qobject_cast<QLineEdit*>(QApplication::focusWidget())->text());
    TypeText(word);
    pressButtonByTab(IDC_RECORD);
    QTest::qWait(ms);
    pressButtonByTab(IDC_STOPREC);
    pressButtonByTab(IDC_SAVEADD);
    pressButtonByTab(IDC_NEWWORD);
}

// The home's tree but for the registry hives and the sound server's own files, which are not clips.
QStringList treeOutsideSettings(const QString& folder)
{
    QStringList tree = TreeSnapshot(folder);
    tree.removeIf([](const QString& line) { return line.contains("/.config") || line.contains("/.cache"); });
    return tree;
}

}  // namespace

class TestSpellingListDlg : public QObject {
    Q_OBJECT

private slots:
    void init() { f = std::make_unique<ViewFixture>(); }
    void cleanup() { f.reset(); }

    void opensOnTheListWithTheWordSelected()
    {
        f->openList({"cat", "dog", "cat"});
        RunModal([&] { f->frame()->RouteCommand(32771); },
                 [&](CDialog* d) {
                     QCOMPARE(d->windowTitle(), QString("Spelling List"));
                     QCOMPARE(ListItems(listOf(d)), QStringList({"cat", "dog", "cat"}));
                     QCOMPARE(FocusedId(), int(IDC_WORD));
                     QCOMPARE(wordBox(d)->text(), QString("Enter Spelling Word here."));
                     QCOMPARE(wordBox(d)->selectedText(), QString("Enter Spelling Word here."));
                     auto* editor = static_cast<CSpellingListDlg*>(d);
                     QVERIFY(editor->m_player.Window());
                     QVERIFY(editor->m_player.Window()->isVisible());
                     QCOMPARE(d->palette().color(QPalette::Window), QColor(128, 184, 223));
                 });
    }

    void aListBuiltFromTheKeyboardIsSavedWithItsClips()
    {
        MessageBoxRecorder boxes;
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog*) {
                     recordAndSave("cat", 700);
                     recordAndSave("house", 700);
                     recordAndSave("Sun", 700);
                     pressButtonByTab(1);
                 });
        const QStringList words{"cat", "house", "Sun"};
        QCOMPARE(f->doc()->m_wordList, words);
        QVERIFY(f->doc()->IsModified());
        QVERIFY(f->doc()->OnSaveDocument(f->m_home.work() + "/made.spl"));

        CWordwellDoc reopened;
        QVERIFY(reopened.OnOpenDocument(f->m_home.work() + "/made.spl"));
        QCOMPARE(reopened.m_wordList, words);
        for (const QString& word : words) {
            if (!audiotesting::ExpectNoAudioDevice())
                QVERIFY2(audiotesting::ClipFrames(f->clipPath(word)) > 8000, qPrintable(word));
            else
                QVERIFY(!QFileInfo::exists(f->clipPath(word)));
        }
        if (!audiotesting::ExpectNoAudioDevice())
            QVERIFY2(boxes.requests().isEmpty(), qPrintable(boxes.texts().join(" | ")));
        else
            QVERIFY(!boxes.requests().isEmpty());
    }

    void speakPutsTheComputerVoiceIntoTheRecording_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("message");  // empty: the word is spoken
        QTest::newRow("a word") << "giraffe" << QString();
        QTest::newRow("punctuation") << "?!" << "Unable to speak \"?!\": the word has no letter to speak.";
        QTest::newRow("300 characters") << QString(300, u'a')
                                        << "Unable to speak \"" + QString(300, u'a')
                                               + "\": the word is longer than 100 characters.";
    }
    void speakPutsTheComputerVoiceIntoTheRecording()
    {
        QFETCH(QString, word);
        QFETCH(QString, message);
        MessageBoxRecorder boxes;
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog* d) {
                     TypeText(word);
                     auto* editor = static_cast<CSpellingListDlg*>(d);
                     QAbstractButton* speak = editor->m_player.Window()->playBar()->speakButton();
                     QVERIFY(speak->isEnabled());
                     speak->setFocus();
                     PressKey(Qt::Key_Space);
                     if (!message.isEmpty()) {
                         QTRY_COMPARE(boxes.texts(), QStringList{message});
                         return;
                     }
                     // Spoken in the background, then heard.
                     QTRY_VERIFY(editor->m_player.Window()->device()->length() > 22050 / 5);
                     // Heard at once where there is a device; told so where there is none.
                     if (!audiotesting::ExpectNoAudioDevice())
                         QVERIFY2(boxes.requests().isEmpty(), qPrintable(boxes.texts().join(" | ")));
                     else
                         QTRY_VERIFY(!boxes.requests().isEmpty());
                     boxes.clear();
                     wordBox(d)->setFocus();
                     pressButtonByTab(IDC_SAVEADD);
                     pressButtonByTab(1);
                 });
        if (!message.isEmpty())
            return;
        QVERIFY2(boxes.requests().isEmpty(), qPrintable(boxes.texts().join(" | ")));
        QCOMPARE(f->doc()->m_wordList, QStringList{word});
        QVERIFY2(audiotesting::ClipFrames(f->clipPath(word)) > 22050 / 5, qPrintable(f->clipPath(word)));
    }

    void anEmptyWordIsRefused()
    {
        MessageBoxRecorder boxes;
        const QStringList before = TreeSnapshot(f->wordsPath());
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog* d) {
                     PressKey(Qt::Key_Delete);
                     QVERIFY(wordBox(d)->text().isEmpty());
                     pressButtonByTab(IDC_SAVEADD);
                     QCOMPARE(boxes.texts(), QStringList{"No Word Entered"});
                     QCOMPARE(listOf(d)->count(), 0);
                 });
        QCOMPARE(TreeSnapshot(f->wordsPath()), before);
    }

    void theInitialTextIsAWordLikeAnyOther()
    {
        MessageBoxRecorder boxes;
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog* d) {
                     QTest::mouseClick(d->GetDlgItem(IDC_SAVEADD), Qt::LeftButton);
                     QCOMPARE(ListItems(listOf(d)), QStringList{"Enter Spelling Word here."});
                 });
    }

    void aWordSavedTwiceAppearsTwiceWithTheLaterRecording()
    {
        if (!!audiotesting::ExpectNoAudioDevice())
            QSKIP("needs a recording device");
        MessageBoxRecorder boxes;
        qint64 firstFrames = 0;
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog*) {
                     recordAndSave("cat", 300);
                     firstFrames = audiotesting::ClipFrames(f->clipPath("cat"));
                     recordAndSave("Cat", 1200);
                     pressButtonByTab(1);
                 });
        QCOMPARE(f->doc()->m_wordList, QStringList({"cat", "Cat"}));
        // Cat and cat share one clip, which holds the later, longer recording.
        QStringList clips = QDir(f->wordsPath() + "/words").entryList(QDir::Files);
        QCOMPARE(clips, QStringList{"cat.wav"});
        QVERIFY2(audiotesting::ClipFrames(f->clipPath("cat")) > 2 * firstFrames,
                 qPrintable(QString("%1 then %2").arg(firstFrames).arg(audiotesting::ClipFrames(f->clipPath("cat")))));
    }

    void enterOutsideAButtonDoesNothing()
    {
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog* d) {
                     TypeText("cat");
                     PressKey(Qt::Key_Return);
                     QVERIFY(d->isVisible());
                     QCOMPARE(listOf(d)->count(), 0);
                     listOf(d)->setFocus();
                     PressKey(Qt::Key_Enter);
                     QVERIFY(d->isVisible());
                 });
        QVERIFY(!f->doc()->IsModified());
    }

    void newWordLeavesTheWordBoxSelected()
    {
        MessageBoxRecorder boxes;
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog* d) {
                     TypeText("elephant");
                     pressButtonByTab(IDC_NEWWORD);
                     QCOMPARE(FocusedId(), int(IDC_WORD));
                     QCOMPARE(wordBox(d)->selectedText(), QString("elephant"));
                     TypeText("ant");
                     QCOMPARE(wordBox(d)->text(), QString("ant"));
                 });
    }

    void doubleClickRemovesFromTheListOnly()
    {
        f->giveClip("dog");
        f->openList({"cat", "dog", "sun"});
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog* d) {
                     QListWidget* list = listOf(d);
                     // No selection: nothing goes.
                     emit list->itemDoubleClicked(list->item(1));
                     QCOMPARE(list->count(), 3);
                     const QRect rect = list->visualItemRect(list->item(1));
                     QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
                     QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
                     QCOMPARE(ListItems(list), QStringList({"cat", "sun"}));
                     QCOMPARE(f->doc()->m_wordList, QStringList({"cat", "dog", "sun"}));
                     pressButtonByTab(1);
                 });
        QCOMPARE(f->doc()->m_wordList, QStringList({"cat", "sun"}));
        QVERIFY(QFileInfo::exists(f->clipPath("dog")));
    }

    void cancelKeepsTheDocumentAndTheClips()
    {
        MessageBoxRecorder boxes;
        f->openList({"cat", "dog"});
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog* d) {
                     recordAndSave("sun", 500);
                     QListWidget* list = listOf(d);
                     const QRect rect = list->visualItemRect(list->item(0));
                     QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
                     QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
                     QCOMPARE(ListItems(list), QStringList({"dog", "sun"}));
                     PressKey(Qt::Key_Escape);
                     QVERIFY(!d->isVisible());
                 });
        QCOMPARE(f->doc()->m_wordList, QStringList({"cat", "dog"}));
        QVERIFY(!f->doc()->IsModified());
        QCOMPARE(QFileInfo::exists(f->clipPath("sun")), !audiotesting::ExpectNoAudioDevice());
    }

    void okWithNothingChangedStillAsksToSaveOnNew()
    {
        f->openList({"cat"});
        RunModal([&] { f->doc()->OnEditList(); }, [&](CDialog*) { pressButtonByTab(1); });
        QVERIFY(f->doc()->IsModified());
        QCOMPARE(f->doc()->m_wordList, QStringList{"cat"});
        MessageBoxRecorder boxes;
        boxes.queueAnswer(platform::framework::IDNO);
        f->m_app->OnFileNew();
        QCOMPARE(boxes.requests().size(), 1);
        QVERIFY(boxes.texts().first().startsWith("Save changes to"));
        QVERIFY(f->doc()->m_wordList.isEmpty());
    }

    void confirmingAnEmptyListEmptiesTheDocument()
    {
        f->openList({"cat"});
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog* d) {
                     listOf(d)->setCurrentRow(0);
                     emit listOf(d)->itemDoubleClicked(listOf(d)->item(0));
                     pressButtonByTab(1);
                 });
        QVERIFY(f->doc()->m_wordList.isEmpty());
        QVERIFY(f->doc()->IsModified());
    }

    void aFirstListEnablesTheTestWhileTheFormStillSaysNoList()
    {
        MessageBoxRecorder boxes;
        QVERIFY(!f->commandEnabled(32776));
        RunModal([&] { f->frame()->RouteCommand(32771); },
                 [&](CDialog*) {
                     TypeText("cat");
                     pressButtonByTab(IDC_SAVEADD);
                     pressButtonByTab(1);
                 });
        QVERIFY(f->commandEnabled(32776));
        QVERIFY(f->commandEnabled(32778));
        QCOMPARE(f->view()->m_strMessage, practice::testview::kNoListMessage);
    }

    void wordsThatCannotNameAClipAreStillListed_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("removeClipFolder");
        QTest::newRow("subfolder that does not exist") << "sub/word" << false;
        QTest::newRow("backslash subfolder") << "sub\\word" << false;
        QTest::newRow("climbs out of the clip folder") << "../../outside" << false;
        QTest::newRow("name too long for the file system") << QString(300, u'n') << false;
        QTest::newRow("no clip folder") << "cat" << true;
    }

    void wordsThatCannotNameAClipAreStillListed()
    {
        QFETCH(QString, word);
        QFETCH(bool, removeClipFolder);
        if (removeClipFolder)
            QVERIFY(QDir(f->wordsPath() + "/words").removeRecursively());
        const QStringList before = treeOutsideSettings(f->m_home.path());
        MessageBoxRecorder boxes;
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog*) {
                     recordAndSave(word, 400);
                     pressButtonByTab(1);
                 });
        QCOMPARE(f->doc()->m_wordList, QStringList{word});
        // Nothing was written anywhere in the home, inside the clip folder or out of it.
        QCOMPARE(treeOutsideSettings(f->m_home.path()), before);
        if (!audiotesting::ExpectNoAudioDevice())
            QVERIFY(boxes.texts().join("\n").contains("Unable to save"));

        // Playing it later says the clip is missing, with its full path.
        boxes.clear();
        f->view()->OnTakeTest();
        f->view()->OnListenToWord();
        QCOMPARE(boxes.texts(),
                 QStringList{practice::testview::NoSoundFileMessage(f->wordsPath() + "/words/" + word + ".wav")});
    }

    void everyControlIsNamedAndReachesItsHelp_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");
        QTest::newRow("word") << int(IDC_WORD) << "Record Word";
        QTest::newRow("record") << int(IDC_RECORD) << "Record";
        QTest::newRow("stop") << int(IDC_STOPREC) << "Stop Rec.";
        QTest::newRow("play") << int(IDC_PLAY) << "Play";
        QTest::newRow("save") << int(IDC_SAVEADD) << "Save Sound Add to List";
        QTest::newRow("new word") << int(IDC_NEWWORD) << "New Word or Redo Sound";
        QTest::newRow("ok") << 1 << "Finished / OK/Save Current List";
        QTest::newRow("cancel") << 2 << "Cancel";
        QTest::newRow("player") << int(IDC_PLAYERFRAME) << "Sound clip";
        QTest::newRow("list") << int(IDC_WORDLIST) << "Current List -- remove word by double clicking it";
    }

    void everyControlIsNamedAndReachesItsHelp()
    {
        QFETCH(int, id);
        QFETCH(QString, name);
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog* d) {
                     QWidget* control = d->GetDlgItem(id);
                     QVERIFY(control);
                     QCOMPARE(control->accessibleName(), name);
                     QCOMPARE(platform::framework::GetWindowContextHelpId(control),
                              0x80000000u + 130u * 65536u + static_cast<quint32>(id));
                     QVERIFY(platform::framework::SendHelpRequest(control, control->mapToGlobal(QPoint(1, 1))));
                     auto* popup = qobject_cast<platform::help::CHelpPopup*>(platform::help::CurrentPopup());
                     QVERIFY(popup);
                     QVERIFY2(!popup->Html().contains(platform::help::kNoTopicText), qPrintable(name));
                 });
    }

    // The editor's Play and Record and the play bar's keep their captions but
    // a listener can tell them apart.
    void everyButtonHasANameOfItsOwn()
    {
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog* d) {
                     QStringList names;
                     const auto buttons = d->findChildren<QAbstractButton*>();
                     for (QAbstractButton* button : buttons) {
                         if (button->isVisible())
                             names << QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name);
                     }
                     const QStringList apart{"Play", "Record", "Play clip", "Record clip", "Speak word"};
                     for (const QString& name : apart)
                         QVERIFY2(names.contains(name), qPrintable(names.join(", ")));
                     QCOMPARE(names.removeDuplicates(), 0);
                     auto* play = qobject_cast<QAbstractButton*>(d->GetDlgItem(IDC_PLAY));
                     QCOMPARE(play->text(), QString("&Play"));
                 });
    }

    void theListShowsAScrollBarOnlyWhenItOverflows_data()
    {
        QTest::addColumn<int>("words");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("three words") << 3 << false;
        QTest::newRow("sixty words") << 60 << true;
    }

    void theListShowsAScrollBarOnlyWhenItOverflows()
    {
        QFETCH(int, words);
        QFETCH(bool, scrolls);
        QStringList list;
        for (int i = 0; i < words; ++i)
            list << QStringLiteral("word%1").arg(i);
        f->openList(list);
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog* d) {
                     const QScrollBar* bar = listOf(d)->verticalScrollBar();
                     QVERIFY(QTest::qWaitFor([&] { return bar->isVisible() == scrolls; }, 1000));
                     // Settled, not on its way.
                     QTest::qWait(50);
                     QCOMPARE(bar->isVisible(), scrolls);
                 });
    }

    void multiLineCaptionsFitTheirButtons()
    {
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog* d) {
                     for (int id : {1, int(IDC_SAVEADD), int(IDC_NEWWORD)}) {
                         auto* button = qobject_cast<QAbstractButton*>(d->GetDlgItem(id));
                         const QStringList lines = button->text().split(u'\n');
                         QVERIFY2(lines.size() >= 2, qPrintable(button->text()));
                         for (const QString& line : lines)
                             QVERIFY2(button->fontMetrics().horizontalAdvance(line) < button->width(), qPrintable(line));
                     }
                     QCOMPARE(qobject_cast<QAbstractButton*>(d->GetDlgItem(1))->text().replace(u'\n', u' '),
                              QString("Finished / OK/Save Current List"));
                 });
    }

    void mnemonicsPressTheButtons()
    {
        MessageBoxRecorder boxes;
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog* d) {
                     TypeText("cat");
                     QTest::keyClick(d->windowHandle(), Qt::Key_S, Qt::AltModifier);
                     // A mnemonic presses its button with a short animation.
                     QTRY_COMPARE(ListItems(listOf(d)), QStringList{"cat"});
                 });
    }

private:
    std::unique_ptr<ViewFixture> f;
};

QTEST_MAIN(TestSpellingListDlg)
#include "tst_spellinglistdlg.moc"
