#include "audiotesting.h"
#include "platform/audio/waveaudiodevice.h"
#include "platform/framework/frame.h"
#include "practice/document/commands.h"
#include "practice/document/wordwelldoc.h"
#include "practice/editor/editorforms.h"
#include "practice/editor/spellinglistdlg.h"
#include "practice/sound/microphonebox.h"
#include "practice/sound/playbar.h"
#include "practice/testview/testmessages.h"
#include "practice/testview/wordwellview.h"
#include "testsupport/messageboxes.h"
#include "testsupport/dialogdriver.h"
#include "testsupport/filetree.h"
#include "testsupport/practice/viewfixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace practice::editor;
using platform::framework::CDialog;

namespace {

template <class Control>
Control* item(const CDialog* d, int id)
{
    return qobject_cast<Control*>(d->GetDlgItem(id));
}

// Keyboard only: from the word box, the tab order is Record, Stop, Play, Save, New word, OK,
// Cancel and the list.
void pressButtonByTab(int id)
{
    const QList<int> order{IDC_WORD, IDC_RECORD, IDC_STOPREC, IDC_PLAY, IDC_SAVEADD, IDC_NEWWORD, 1, 2, IDC_WORDLIST};
    const qsizetype from = order.indexOf(FocusedId());
    const qsizetype to = order.indexOf(id);
    PressTab(static_cast<int>(qAbs(to - from)), to < from);
    QCOMPARE(FocusedId(), id);
    PressKey(Qt::Key_Space);
}

// The play bar at the editor's size (it once did not fit: the level meter lay
// under the position and the microphone box read "Defa"): each shown control
// inside the bar, as wide as it needs, under no other, and the box readable.
QString playBarFaults(const practice::sound::CPlayBar* bar)
{
    QStringList faults;
    const auto controls = bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const QWidget* control : controls) {
        const int least = control->minimumWidth() > 0 ? control->minimumWidth() : control->minimumSizeHint().width();
        if (control->isVisible() && (!bar->rect().contains(control->geometry()) || control->width() < least))
            faults << control->accessibleName() + " does not fit";
        for (const QWidget* other : controls)
            if (control->isVisible() && other->isVisible() && other != control && other->x() >= control->x()
                && control->geometry().intersects(other->geometry()))
                faults << control->accessibleName() + " is under " + other->accessibleName();
    }
    const QComboBox* box = bar->microphoneBox();
    QStyleOptionComboBox option;
    option.initFrom(box);
    const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
    if (field.width() < box->fontMetrics().horizontalAdvance(box->currentText().left(8)))
        faults << "the microphone box shows less than eight characters";
    return faults.join("; ");
}

// Types `word` over the word box's text, which the editor keeps selected (on
// opening too), records for `ms` and saves; the play bar, when given, must fit
// before and while recording.
void recordAndSave(const QString& word, int ms, const practice::sound::CPlayBar* bar = nullptr)
{
    TypeText(word);
    if (bar) {
        QTRY_VERIFY(bar->microphoneBox()->filled());
        QVERIFY2(playBarFaults(bar).isEmpty(), qPrintable(playBarFaults(bar)));
    }
    pressButtonByTab(IDC_RECORD);
    QTest::qWait(ms);
    if (bar && !audiotesting::ExpectNoAudioDevice()) {
        QVERIFY(bar->levelMeter()->isVisible());
        QVERIFY2(playBarFaults(bar).isEmpty(), qPrintable(playBarFaults(bar)));
    }
    pressButtonByTab(IDC_STOPREC);
    pressButtonByTab(IDC_SAVEADD);
    pressButtonByTab(IDC_NEWWORD);
}

}  // namespace

class TestSpellingListDlg : public QObject {
    Q_OBJECT

private slots:
    void init() { f = std::make_unique<ViewFixture>(); }
    void cleanup() { f.reset(); }

    // An empty word is refused with nothing written; the initial text is a word
    // like any other. Enter outside a button does nothing; New Word leaves the
    // word box selected for the next. Built by keys: recorded words, one
    // listed twice with one clip, and one spoken by the computer voice into
    // its recording, the focus kept on Speak for the next Space; a word with
    // no letter to speak is refused. A first list enables the test while the
    // form still says there is no list.
    void aListIsBuiltFromTheKeyboardWithItsClips()
    {
        const QString unspeakable = "Unable to speak \"?!\": the word has no letter to speak.";
        MessageBoxRecorder boxes;
        const QStringList before = TreeSnapshot(f->wordsPath());
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog* d) {
                     QTest::mouseClick(d->GetDlgItem(IDC_SAVEADD), Qt::LeftButton);
                     QCOMPARE(RowTexts(item<QListWidget>(d, IDC_WORDLIST)->model()), QStringList{"Enter Spelling Word here."});
                     boxes.clear();  // no recording to save for it
                     d->GetDlgItem(IDC_WORD)->setFocus();
                     item<QLineEdit>(d, IDC_WORD)->clear();
                     pressButtonByTab(IDC_SAVEADD);
                     QCOMPARE(boxes.texts(), QStringList{"No Word Entered"});
                     d->GetDlgItem(IDC_WORD)->setFocus();
                     TypeText("cat");
                     PressKey(Qt::Key_Return);
                     item<QListWidget>(d, IDC_WORDLIST)->setFocus();
                     PressKey(Qt::Key_Enter);
                     QCOMPARE(item<QListWidget>(d, IDC_WORDLIST)->count(), 1);
                     d->GetDlgItem(IDC_WORD)->setFocus();
                     pressButtonByTab(IDC_NEWWORD);
                     QCOMPARE(FocusedId(), int(IDC_WORD));
                     QCOMPARE(item<QLineEdit>(d, IDC_WORD)->selectedText(), QString("cat"));
                 });
        QCOMPARE(TreeSnapshot(f->wordsPath()), before);
        boxes.clear();
        QVERIFY(!f->commandEnabled(practice::ID_TOOLS_TAKETEST));
        RunModal([&] { f->frame()->RouteCommand(practice::ID_TOOLS_EDITLIST); },
                 [&](CDialog* d) {
                     auto* editor = static_cast<CSpellingListDlg*>(d);
                     recordAndSave("cat", 700, editor->m_player.Window()->playBar());
                     recordAndSave("house", 700);
                     recordAndSave("Cat", 700);  // listed twice, one clip
                     QToolButton* speak = editor->m_player.Window()->playBar()->speakButton();
                     TypeText("giraffe");
                     speak->setFocus();
                     PressKey(Qt::Key_Space);
                     QTRY_VERIFY(editor->m_player.Window()->device()->length() > 22050 / 5);
                     QCOMPARE(QApplication::focusWidget(), speak);
                     d->GetDlgItem(IDC_WORD)->setFocus();
                     pressButtonByTab(IDC_SAVEADD);
                     pressButtonByTab(IDC_NEWWORD);
                     TypeText("?!");
                     speak->setFocus();
                     PressKey(Qt::Key_Space);
                     QTRY_VERIFY(boxes.texts().contains(unspeakable));
                     d->GetDlgItem(IDC_WORD)->setFocus();
                     pressButtonByTab(1);
                 });
        const QStringList words{"cat", "house", "Cat", "giraffe"};
        QVERIFY(f->doc()->IsModified() && f->commandEnabled(practice::ID_TOOLS_TAKETEST));
        QCOMPARE(f->view()->m_strMessage, practice::testview::kNoListMessage);
        QCOMPARE(f->doc()->m_wordList, words);
        // Without a device nothing is recorded, and the user is told so; the
        // computer voice speaks all the same.
        const bool device = !audiotesting::ExpectNoAudioDevice();
        for (const QString& word : words.first(3))
            QVERIFY2((audiotesting::ClipFrames(f->clipPath(word)) > 8000) == device, qPrintable(word));
        QVERIFY(audiotesting::ClipFrames(f->clipPath("giraffe")) > 22050 / 5);
        QVERIFY2((boxes.texts() == QStringList{unspeakable}) == device, qPrintable(boxes.texts().join(" | ")));
    }

    // Cancel keeps the list and the clips recorded, not one being recorded as
    // the editor closes (its end was once said to a closing window). The list
    // information dialog shows the list as it is, repeats, case and blanks
    // kept, with its count in plain decimal; typing into the count changes
    // nothing. OK marks the list modified even with nothing changed: that is
    // what makes New and Open ask to save it (tst_document). A word leaves the
    // list only when chosen; its clip stays.
    void theListChangesOnlyByOkAndAChosenWord()
    {
        MessageBoxRecorder boxes;
        QStringList words{"cat", "dog", "Cat", " cat", "cat "};
        for (int i = 5; i < 1234; ++i)
            words << QString("w%1").arg(i);
        f->giveClip("dog");
        f->openList(words);
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog* d) {
                     recordAndSave("owl", 500);
                     TypeText("moon");
                     pressButtonByTab(IDC_RECORD);
                     PressKey(Qt::Key_Escape);
                     QVERIFY(!d->isVisible());
                 });
        RunModal([&] { f->frame()->RouteCommand(practice::ID_TOOLS_LISTINFO); },
                 [&](CDialog* dialog) {
                     QCOMPARE(RowTexts(item<QListWidget>(dialog, IDC_INFOLIST)->model()), words);
                     auto* count = item<QLineEdit>(dialog, IDC_COUNT);
                     QCOMPARE(count->text(), QString("1234"));
                     count->setFocus();
                     TypeText("99");
                     PressKey(Qt::Key_Return);
                 });
        QVERIFY(f->doc()->m_wordList == words && !f->doc()->IsModified());
        QCOMPARE(QFileInfo::exists(f->clipPath("owl")), !audiotesting::ExpectNoAudioDevice());
        QVERIFY(!QFileInfo::exists(f->clipPath("moon")));
        RunModal([&] { f->doc()->OnEditList(); }, [&](CDialog*) { pressButtonByTab(1); });
        QVERIFY(f->doc()->IsModified());
        RunModal([&] { f->doc()->OnEditList(); },
                 [&](CDialog* d) {
                     auto* list = item<QListWidget>(d, IDC_WORDLIST);
                     emit list->itemDoubleClicked(list->item(1));  // nothing chosen: nothing goes
                     const QRect rect = list->visualItemRect(list->item(1));
                     QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
                     QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
                     QCOMPARE(f->doc()->m_wordList, words);
                     pressButtonByTab(1);
                 });
        words.removeAt(1);
        QCOMPARE(f->doc()->m_wordList, words);
        QVERIFY(QFileInfo::exists(f->clipPath("dog")));
    }

private:
    std::unique_ptr<ViewFixture> f;
};

QTEST_MAIN(TestSpellingListDlg)
#include "tst_spellinglistdlg.moc"
