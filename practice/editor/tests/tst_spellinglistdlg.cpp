#include "audiotesting.h"
#include "platform/audio/waveaudiodevice.h"
#include "platform/audio/wavefile.h"
#include "platform/framework/dialogtemplate.h"
#include "platform/framework/frame.h"
#include "platform/framework/helprequest.h"
#include "platform/framework/messagebox.h"
#include "platform/help/helppopup.h"
#include "platform/help/winhelp.h"
#include "practice/document/commands.h"
#include "practice/document/wordwelldoc.h"
#include "practice/editor/editorforms.h"
#include "practice/editor/listinfodlg.h"
#include "practice/editor/spellinglistdlg.h"
#include "practice/sound/microphonebox.h"
#include "practice/sound/playbar.h"
#include "practice/testview/testmessages.h"
#include "practice/testview/wordwellview.h"
#include "testsupport/messageboxes.h"
#include "testsupport/dialogdriver.h"
#include "testsupport/filetree.h"
#include "testsupport/practice/viewfixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QStyleOptionComboBox>
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

QListWidget* infoListOf(const CDialog* dialog)
{
    return qobject_cast<QListWidget*>(dialog->GetDlgItem(IDC_INFOLIST));
}

QLineEdit* countOf(const CDialog* dialog)
{
    return qobject_cast<QLineEdit*>(dialog->GetDlgItem(IDC_COUNT));
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

// Types `word` over the word box's text, which the editor keeps selected (on
// opening too), records for `ms` and saves.
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

// What is wrong with the play bar's layout at its size: a control out of the
// bar, narrower than its least, over another, or a microphone box too narrow
// for eight characters of its choice. Empty when it fits.
QString playBarFaults(const practice::sound::CPlayBar* bar)
{
    QStringList faults;
    QList<const QWidget*> shown;
    for (const QWidget* control : bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (control->isVisible())
            shown << control;
    for (const QWidget* control : shown) {
        const QRect place = control->geometry();
        if (!bar->rect().contains(place))
            faults << control->accessibleName() + " is out of the bar";
        // As a layout takes it: the minimum set, else the one the control asks for.
        const int least = control->minimumWidth() > 0 ? control->minimumWidth() : control->minimumSizeHint().width();
        if (place.width() < least)
            faults << control->accessibleName() + " is narrower than its least";
        for (const QWidget* other : shown)
            if (other != control && other->x() >= control->x() && place.intersects(other->geometry()))
                faults << control->accessibleName() + " is under " + other->accessibleName();
    }
    const QComboBox* box = bar->microphoneBox();
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.rect = box->rect();
    const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
    if (field.width() < box->fontMetrics().horizontalAdvance(box->currentText().left(8)))
        faults << "the microphone box shows less than eight characters";
    return faults.join("; ");
}

}  // namespace

class TestSpellingListDlg : public QObject {
    Q_OBJECT

private slots:
    void init() { f = std::make_unique<ViewFixture>(); }
    void cleanup() { f.reset(); }

    void aListBuiltFromTheKeyboardIsSavedWithItsClips()
    {
        MessageBoxRecorder boxes;
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog*) {
                     recordAndSave("cat", 700);
                     recordAndSave("house", 700);
                     recordAndSave("Cat", 700);  // listed twice, one clip
                     pressButtonByTab(1);
                 });
        const QStringList words{"cat", "house", "Cat"};
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
                     // Spoken in the background, then heard, the focus kept for the next Space.
                     QTRY_VERIFY(editor->m_player.Window()->device()->length() > 22050 / 5);
                     QCOMPARE(QApplication::focusWidget(), speak);
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

    // Measured at the form's size, before and while recording (the level meter shown).
    void thePlayBarFitsTheForm()
    {
        MessageBoxRecorder boxes;
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog* d) {
                     const auto* bar = static_cast<CSpellingListDlg*>(d)->m_player.Window()->playBar();
                     QTRY_VERIFY(bar->microphoneBox()->filled());
                     QTRY_VERIFY2(playBarFaults(bar).isEmpty(), qPrintable(playBarFaults(bar)));
                     if (audiotesting::ExpectNoAudioDevice())
                         return;
                     bar->recordButton()->setFocus();
                     PressKey(Qt::Key_Space);
                     QTRY_VERIFY(bar->levelMeter()->isVisible());
                     QTRY_VERIFY2(playBarFaults(bar).isEmpty(), qPrintable(playBarFaults(bar)));
                     bar->stopButton()->setFocus();
                     PressKey(Qt::Key_Space);
                 });
    }

    // An empty word is refused with nothing written; the initial text is a word like any other.
    void saveAndAddTakesAnyWordButAnEmptyOne()
    {
        MessageBoxRecorder boxes;
        const QStringList before = TreeSnapshot(f->wordsPath());
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog* d) {
                     QTest::mouseClick(d->GetDlgItem(IDC_SAVEADD), Qt::LeftButton);
                     QCOMPARE(ListItems(listOf(d)), QStringList{"Enter Spelling Word here."});
                     boxes.clear();  // no recording to save for it
                     wordBox(d)->setFocus();
                     wordBox(d)->clear();
                     pressButtonByTab(IDC_SAVEADD);
                     QCOMPARE(boxes.texts(), QStringList{"No Word Entered"});
                     QCOMPARE(listOf(d)->count(), 1);
                 });
        QCOMPARE(TreeSnapshot(f->wordsPath()), before);
    }

    // Enter outside a button does nothing; New Word leaves the word box selected for the next.
    void enterOutsideAButtonDoesNothingAndNewWordSelectsTheWord()
    {
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog* d) {
                     TypeText("cat");
                     PressKey(Qt::Key_Return);
                     QVERIFY(d->isVisible());
                     QCOMPARE(listOf(d)->count(), 0);
                     pressButtonByTab(IDC_NEWWORD);
                     QCOMPARE(FocusedId(), int(IDC_WORD));
                     QCOMPARE(wordBox(d)->selectedText(), QString("cat"));
                     TypeText("ant");
                     QCOMPARE(wordBox(d)->text(), QString("ant"));
                     listOf(d)->setFocus();
                     PressKey(Qt::Key_Enter);
                     QVERIFY(d->isVisible());
                 });
        QVERIFY(!f->doc()->IsModified());
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
                     QCOMPARE(ListItems(listOf(d)), QStringList({"cat", "dog", "sun"}));
                     // Closed while recording (the recording's end was once said to a closing window).
                     TypeText("moon");
                     pressButtonByTab(IDC_RECORD);
                     PressKey(Qt::Key_Escape);
                     QVERIFY(!d->isVisible());
                 });
        QCOMPARE(f->doc()->m_wordList, QStringList({"cat", "dog"}));
        QVERIFY(!f->doc()->IsModified());
        QCOMPARE(QFileInfo::exists(f->clipPath("sun")), !audiotesting::ExpectNoAudioDevice());
        QVERIFY(!QFileInfo::exists(f->clipPath("moon")));
    }

    // OK marks the list modified even with nothing changed: that is what makes New and
    // Open ask to save it (tst_document). An emptied list empties the document.
    void okMarksTheListModifiedAndAnEmptyListEmptiesTheDocument()
    {
        f->openList({"cat"});
        RunModal([&] { f->doc()->OnEditList(); }, [&](CDialog*) { pressButtonByTab(1); });
        QVERIFY(f->doc()->IsModified());
        QCOMPARE(f->doc()->m_wordList, QStringList{"cat"});
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog* d) {
                     listOf(d)->setCurrentRow(0);
                     emit listOf(d)->itemDoubleClicked(listOf(d)->item(0));
                     pressButtonByTab(1);
                 });
        QVERIFY(f->doc()->m_wordList.isEmpty());
    }

    void aFirstListEnablesTheTestWhileTheFormStillSaysNoList()
    {
        MessageBoxRecorder boxes;
        QVERIFY(!f->commandEnabled(practice::ID_TOOLS_TAKETEST));
        RunModal([&] { f->frame()->RouteCommand(practice::ID_TOOLS_EDITLIST); },
                 [&](CDialog*) {
                     TypeText("cat");
                     pressButtonByTab(IDC_SAVEADD);
                     pressButtonByTab(1);
                 });
        QVERIFY(f->commandEnabled(practice::ID_TOOLS_TAKETEST));
        QVERIFY(f->commandEnabled(practice::ID_TOOLS_LISTINFO));
        QCOMPARE(f->view()->m_strMessage, practice::testview::kNoListMessage);
    }

    // The player refuses the clip and writes nothing (tst_soundclipplayer); the word is listed all the same.
    void aWordThatCannotNameAClipIsStillListed()
    {
        const QString word = "../../outside";
        MessageBoxRecorder boxes;
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog*) {
                     recordAndSave(word, 400);
                     pressButtonByTab(1);
                 });
        QCOMPARE(f->doc()->m_wordList, QStringList{word});
        if (!audiotesting::ExpectNoAudioDevice())
            QVERIFY(boxes.texts().join("\n").contains("Unable to save"));

        // Playing it later says the clip is missing, with its full path.
        boxes.clear();
        f->view()->OnTakeTest();
        f->view()->OnListenToWord();
        QCOMPARE(boxes.texts(),
                 QStringList{practice::testview::NoSoundFileMessage(f->wordsPath() + "/words/" + word + ".wav")});
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
                     QVERIFY(names.size() >= 8);
                     QCOMPARE(names.removeDuplicates(), 0);
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
                 });
    }

    // The list information dialog.

    void showsTheListInOrderAndItsCount_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("count");
        QTest::newRow("repeats, case and blanks kept") << QStringList{"cat", "Cat", " cat", "cat "} << "4";
        QStringList many;
        for (int i = 0; i < 1234; ++i)
            many << QString("w%1").arg(i);
        QTest::newRow("1234 words") << many << "1234";
    }

    // Typing into the count changes nothing; Return closes it either way.
    void showsTheListInOrderAndItsCount()
    {
        QFETCH(QStringList, words);
        QFETCH(QString, count);
        f->openList(words);
        QVERIFY(f->commandEnabled(practice::ID_TOOLS_LISTINFO));
        RunModal([&] { f->frame()->RouteCommand(practice::ID_TOOLS_LISTINFO); },
                 [&](CDialog* dialog) {
                     QCOMPARE(ListItems(infoListOf(dialog)), words);
                     QCOMPARE(countOf(dialog)->text(), count);
                     // The Return button is the first tab stop and takes the focus.
                     QCOMPARE(FocusedId(), 1);
                     PressTab(2);
                     QCOMPARE(FocusedId(), int(IDC_COUNT));
                     TypeText("99");
                     PressKey(Qt::Key_Return);
                     QVERIFY(!dialog->isVisible());
                     QCOMPARE(dialog->result(), int(platform::framework::IDOK));
                 });
        QCOMPARE(f->doc()->m_wordList, words);
        QVERIFY(!f->doc()->IsModified());
    }

    void escapeAndTheCloseBoxCancel()
    {
        CListInfoDlg dialog;
        RunModal([&] { QCOMPARE(dialog.DoModal(), int(platform::framework::IDCANCEL)); },
                 [&](CDialog*) { PressKey(Qt::Key_Escape); });
        CListInfoDlg other;
        RunModal([&] { QCOMPARE(other.DoModal(), int(platform::framework::IDCANCEL)); },
                 [&](CDialog* d) { d->close(); });
    }

    // Every control given a topic reaches it (which topics there are: tst_winhelp).
    void everyControlReachesItsHelp_data()
    {
        QTest::addColumn<bool>("editor");
        QTest::addColumn<QList<int>>("ids");
        QTest::newRow("editor") << true << QList<int>{IDC_WORD, IDC_RECORD, IDC_STOPREC, IDC_PLAY, IDC_SAVEADD,
                                                      IDC_NEWWORD, 1, 2, IDC_PLAYERFRAME, IDC_WORDLIST};
        QTest::newRow("list information") << false << QList<int>{IDC_INFOLIST, IDC_COUNT};
    }
    void everyControlReachesItsHelp()
    {
        QFETCH(bool, editor);
        QFETCH(QList<int>, ids);
        CListInfoDlg info;
        RunModal([&] { editor ? f->doc()->OnEditList() : void(info.DoModal()); },
                 [&](CDialog* d) {
                     for (int id : ids) {
                         QWidget* control = d->GetDlgItem(id);
                         QVERIFY(platform::framework::SendHelpRequest(control, control->mapToGlobal(QPoint(1, 1))));
                         auto* popup = qobject_cast<platform::help::CHelpPopup*>(platform::help::CurrentPopup());
                         QVERIFY2(popup && !popup->Html().contains(platform::help::kNoTopicText), qPrintable(QString::number(id)));
                     }
                 });
    }

private:
    std::unique_ptr<ViewFixture> f;
};

QTEST_MAIN(TestSpellingListDlg)
#include "tst_spellinglistdlg.moc"
