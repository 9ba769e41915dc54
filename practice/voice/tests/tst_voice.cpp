#include "platform/audio/wavefile.h"
#include "practice/settings/wordwellapp.h"
#include "practice/sound/clippath.h"
#include "practice/voice/clipmaker.h"
#include "practice/voice/makeclipsdlg.h"
#include "practice/voice/speech.h"
#include "practice/voice/voicedlg.h"
#include "practice/voice/voicesettings.h"
#include "practice/voice/warmspeech.h"
#include "testsupport/isolatedhome.h"
#include "testsupport/messageboxes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QListWidget>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <csignal>

using platform::audio::WaveData;
using namespace practice::voice;

namespace {

// A clip written as a recording is: a plain 44-byte PCM header, then 22,050 Hz
// mono samples, longer than 0.2 s.
void verifyClipFile(const QString& path)
{
    WaveData clip;
    QString reason;
    QCOMPARE(platform::audio::ReadWaveFile(path, &clip, &reason), platform::audio::WaveFileError::None);
    QVERIFY(clip.sampleRate == 22050 && clip.channels == 1 && clip.frameCount() > 22050 / 5);
    QCOMPARE(QFileInfo(path).size(), 44 + clip.samples.size());
}

// Speaks as Listen does, in the background: its one report's reason, empty
// when it gave a clip (its checks make it sound), or "no report".
QString speak(const QString& word, const QString& language)
{
    CWordSpeaker speaker;
    QSignalSpy spoken(&speaker, &CWordSpeaker::spoken);
    speaker.Speak(word, language);
    if (!spoken.wait(20000) || spoken.size() != 1)
        return QStringLiteral("no report");
    const QString reason = spoken.first().at(2).toString();
    return reason.isEmpty() && spoken.first().at(1).value<WaveData>().samples.isEmpty() ? "no clip" : reason;
}

// A part of what espeak-ng lists, in its order.
QList<VoiceChoice> someVoices()
{
    return ParseVoiceList(
        "Pty Language       Age/Gender VoiceName          File                 Other Languages\n"
        " 5  af              --/M      Afrikaans          gmw/af\n"
        " 5  cmn             --/M      Chinese_(Mandarin,_latin_as_English) sit/cmn              (zh-cmn 5)(zh 5)\n"
        " 5  yue             --/M      Chinese_(Cantonese) sit/yue              (zh-yue 5)(zh 8)\n"
        " 5  de              --/M      German             gmw/de\n"
        " 5  en-029          --/M      English_(Caribbean) gmw/en-029           (en 10)\n"
        " 2  en-gb           --/M      English_(Great_Britain) gmw/en               (en 2)\n"
        " 5  en-gb-x-rp      --/M      English_(Received_Pronunciation) gmw/en-GB-x-rp       (en-gb 4)(en 5)\n"
        " 2  en-us           --/M      English_(America)  gmw/en-US            (en 3)\n"
        " 5  es              --/M      Spanish_(Spain)    roa/es\n"
        " 5  es-419          --/M      Spanish_(Latin_America) roa/es-419           (es-mx 6)(es 6)\n"
        " 5  fr-be           --/M      French_(Belgium)   roa/fr-BE            (fr 8)\n"
        " 5  fr-fr           --/M      French_(France)    roa/fr               (fr 5)\n");
}

}  // namespace

class TestVoice : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_home = std::make_unique<IsolatedHome>();
        m_app = std::make_unique<CWordwellApp>();
        m_app->EstablishSettings();
        m_wordsPath = m_home->work() + "/list";
        QVERIFY(QDir().mkpath(m_wordsPath + "/words"));
    }
    void cleanup()
    {
        qunsetenv("WORDWELL_SPEECH_PROGRAM");
        qunsetenv("WORDWELL_SPEECH_TIMEOUT_MS");
        m_app.reset();
        m_home.reset();
    }

    void wordsTheVoiceCannotSpeakAreRefused()
    {
        QStringList said{speak(QString(300, u'a'), "en"), speak("cat", "zz-nowhere")};
        qputenv("WORDWELL_SPEECH_PROGRAM", "/nonexistent/espeak-ng");
        said << speak("cat", "en");
        const QStringList reasons{"the word is longer than 100 characters", "the speech program said",
                                  "the speech program \"/nonexistent/espeak-ng\" could not be started ("};
        for (int i = 0; i < reasons.size(); ++i)
            QVERIFY2(said[i].startsWith(reasons[i]), qPrintable(said[i]));
    }

    // After the first word a program waits for the next one with its voice
    // loaded; each is used once, replaced, and never left behind. Words go on
    // standard input, never taken for an option of the program, in UTF-8.
    void laterWordsGoToAProgramStartedAhead()
    {
        const QString program = speechProgram("echo \"$$ $*\"", "exec espeak-ng \"$@\"");
        qputenv("WORDWELL_SPEECH_PROGRAM", program.toUtf8());
        CWarmSpeech* warm = WarmSpeech();
        QCOMPARE(speak("-v", "en"), QString());
        QTRY_COMPARE(started().size(), 2);
        const qint64 english = warm->WaitingProcessId();
        QCOMPARE(started().last(), QString::number(english) + " -v en -s 130 --stdout --stdin");

        // Handed over: no program is started for it, and the one used is gone.
        QCOMPARE(speak(QString::fromUtf8("café"), "en"), QString());
        QCOMPARE(started().size(), 2);
        QVERIFY(!processExists(english));
        QTRY_VERIFY(warm->WaitingProcessId() > 0);
        QTRY_COMPARE(started().size(), 3);
        const qint64 next = warm->WaitingProcessId();

        // Another language: the English one waiting is ended, not used.
        QCOMPARE(speak("Hund", "de"), QString());
        QCOMPARE(started().size(), 4);
        QVERIFY(started().at(3).endsWith(" -v de -s 130 --stdout --stdin"));
        QTRY_VERIFY(!processExists(next));
        QTRY_COMPARE(started().size(), 5);
        QTRY_VERIFY(warm->WaitingProcessId() > 0);

        // One that died while waiting: the word is spoken by one started for it.
        const qint64 german = warm->WaitingProcessId();
        QCOMPARE(::kill(pid_t(german), SIGKILL), 0);
        QCOMPARE(speak("Katze", "de"), QString());
        QTRY_VERIFY(warm->WaitingProcessId() > 0);
        QTRY_COMPARE(zombieChildren(), 0);

        // The waiting program ends with its owner.
        auto own = std::make_unique<CWarmSpeech>();
        own->PrepareLater(program, {"-v", "en", "--stdout", "--stdin"});
        QTRY_VERIFY(own->WaitingProcessId() > 0);
        const qint64 owned = own->WaitingProcessId();
        own.reset();
        QTRY_VERIFY(!processExists(owned));
    }

    // Words spoken in one run are cut apart at the long pauses only.
    void aRunIsCutAtItsLongPauses_data()
    {
        QTest::addColumn<QList<int>>("layout");  // ms of sound and quiet in turn, quiet first
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("pieces");  // ms of sound in each piece; empty: no cut
        QTest::newRow("three words") << QList<int>{200, 300, 1000, 400, 1000, 500, 200} << 3 << QList<int>{300, 400, 500};
        QTest::newRow("a short pause stays") << QList<int>{0, 300, 250, 300, 1000, 400, 0} << 2
                                             << QList<int>{850, 400};
        QTest::newRow("fewer pauses than words") << QList<int>{0, 300, 1000, 400, 0} << 3 << QList<int>{};
        // A word that made no sound, beside one with a long pause of its own:
        // as many pieces as words, but the quiet its pause left gives it away.
        QTest::newRow("no sound between") << QList<int>{0, 300, 2000, 300, 800, 300, 500} << 3 << QList<int>{};
        QTest::newRow("no sound first") << QList<int>{1000, 300, 1000, 300, 800, 300, 500} << 3 << QList<int>{};
        QTest::newRow("no sound last") << QList<int>{0, 300, 1000, 300, 800, 300, 1500} << 3 << QList<int>{};
        QTest::newRow("a click for a word") << QList<int>{0, 300, 1000, 10, 1000, 300, 500} << 3 << QList<int>{};
    }
    void aRunIsCutAtItsLongPauses()
    {
        QFETCH(QList<int>, layout);
        QFETCH(int, count);
        QFETCH(QList<int>, pieces);
        WaveData run = platform::audio::EmptyRecording();
        for (int i = 0; i < layout.size(); ++i) {
            const int frames = layout[i] * 22050 / 1000;
            for (int k = 0; k < frames; ++k) {
                const qint16 sample = (i % 2) ? qint16((k % 50 < 25) ? 6000 : -6000) : qint16(0);
                run.samples.append(reinterpret_cast<const char*>(&sample), 2);
            }
        }
        const QList<WaveData> cut = SplitAtPauses(run, count, 1000);
        QCOMPARE(cut.size(), pieces.size());
        for (int i = 0; i < cut.size(); ++i) {
            // The sound and a tenth of a second's margin either side, where the run had that much quiet.
            const qint64 sound = pieces[i] * 22050 / 1000;
            QVERIFY2(cut[i].frameCount() >= sound && cut[i].frameCount() <= sound + 2 * 2205 + 1,
                     qPrintable(QString("piece %1: %2 frames").arg(i).arg(cut[i].frameCount())));
        }
    }

    // A region a voice serves, a bare language, a region without a voice, only regional voices, a
    // language served by another, an unknown one; and, before the program has listed its voices, English.
    void theDefaultVoiceFollowsTheLocale()
    {
        QStringList chosen;
        for (const char* locale : {"es_MX", "de_AT", "en_AU.UTF-8", "fr_CA", "zh_CN", "xx_YY"})
            chosen << DefaultLanguage(locale, someVoices());
        chosen << DefaultLanguage("de_DE", {});
        QCOMPARE(chosen, (QStringList{"es-419", "de", "en-gb", "fr-fr", "cmn", "en-gb", "en"}));
    }

    // The voice in use is selected as the dialog opens, and OK keeps it: one
    // that follows the locale goes on following it.
    void theVoiceDialogKeepsTheVoiceInUseAndStoresTheChosenOne()
    {
        for (const QString& stored : {QString(), QString("de")}) {
            QVERIFY(stored.isEmpty() || SetVoiceLanguage(stored));
            CVoiceDlg dialog;
            dialog.m_voices = someVoices();
            dialog.show();
            dialog.OnInitDialog();
            const QListWidgetItem* current = dialog.m_listVoices->currentItem();
            QVERIFY(current && current->isSelected());
            QCOMPARE(current->data(Qt::UserRole).toString(),
                     stored.isEmpty() ? DefaultLanguage(QLocale::system().name(), dialog.m_voices) : stored);
            QCOMPARE(dialog.m_listVoices->findItems("German (de)", Qt::MatchExactly).size(), 1);
            dialog.m_listVoices->setFocus();
            if (!stored.isEmpty())
                QTest::keyClick(dialog.m_listVoices, Qt::Key_Down);
            QTest::keyClick(dialog.m_listVoices, Qt::Key_Return);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            // OK on a voice that follows the locale stores none: it goes on following it.
            QCOMPARE(m_app->GetProfileString(kVoiceSection, kLanguageEntry), stored.isEmpty() ? "" : "en-029");
        }
    }

    // Recorded words are skipped and failures said. A word that makes no sound
    // next to one with a long pause of its own ("ab!(cd" pauses after "!")
    // gets no clip (the silent word first or last: the rows of
    // aRunIsCutAtItsLongPauses).
    void makingClipsSkipsRecordedWordsAndReportsFailures()
    {
        const QByteArray recorded("not touched");
        WriteFileForTest(m_wordsPath + "/words/Cat.wav", recorded);
        QVERIFY(QDir().mkpath(m_wordsPath + "/words/bird.wav"));
        const QString silent = QString::fromUtf8("\xef\xbc\x91");  // fullwidth digit one
        const QStringList missing = WordsWithoutClips(
            {"cat", "dog", "Dog", "bird", "...", silent, "ab!(cd", "../escape", "no/folder"}, m_wordsPath);
        QCOMPARE(missing, (QStringList{"dog", "...", silent, "ab!(cd", "../escape", "no/folder"}));

        CClipMaker maker(missing, m_wordsPath, "en");
        QSignalSpy finished(&maker, &CClipMaker::finished);
        maker.Start();
        QVERIFY(finished.wait(30000));
        QCOMPARE(maker.Made(), 2);
        QCOMPARE(ReadFileForTest(m_wordsPath + "/words/Cat.wav"), recorded);
        QVERIFY(!QFile::exists(m_home->work() + "/escape.wav"));
        QVERIFY(!QFile::exists(practice::sound::MakeClipPath(m_wordsPath, silent)));
        QStringList failed;
        for (const ClipFailure& failure : maker.Failures())
            failed << failure.word + ": " + failure.reason;
        failed.sort();
        QCOMPARE(failed, (QStringList{"...: the word has no letter to speak",
                                      "../escape: the name would put the clip outside its folder",
                                      "no/folder: No such file or directory", silent + ": the voice made no sound for it"}));
        const QString summary = MakeClipsSummary(maker);
        QVERIFY2(summary.startsWith("2 clips were made.\n\nThese words have no clip:\n"), qPrintable(summary));
        QVERIFY(summary.contains("\"...\": the word has no letter to speak"));
        for (const QString& word : {QString("dog"), QString("ab!(cd")})
            verifyClipFile(practice::sound::MakeClipPath(m_wordsPath, word));
        // A long word is wrapped, not cut.
        QCOMPARE(WrapLines("aaaa bbbb cccc\n\n\"abcdefghijk\": x", 10).split('\n'),
                 (QStringList{"aaaa bbbb", "cccc", "", "\"abcdefghi", "jk\": x"}));
    }

    // A clips folder that cannot take a clip is named once, with why; a usable one is left as it was.
    void theClipsFolderIsCheckedFirst()
    {
        // "link:": a folder even an administrator cannot write into.
        const std::pair<QString, QString> cases[]{{"", "does not exist."},
                                                  {"file", "is not a folder."},
                                                  {"link:/proc/self", "cannot be written: "},
                                                  {"folder", ""}};
        for (const auto& [make, problem] : cases) {
            const QString list = m_home->work() + "/list-" + make.left(4);
            const QString folder = list + "/words";
            QVERIFY(QDir().mkpath(list));
            if (make == "file")
                WriteFileForTest(folder, "not a folder");
            else if (!make.isEmpty())
                QVERIFY(make == "folder" ? QDir().mkpath(folder) : QFile::link(make.mid(5), folder));
            const QString said = ClipFolderProblem(list);
            const QString named = QString("No clip can be made: the clips folder \"%1\" %2").arg(folder, problem);
            QVERIFY2(problem.isEmpty() ? said.isEmpty() : said.startsWith(named), qPrintable(said));
        }
        const QDir usable(m_home->work() + "/list-fold/words");
        QVERIFY(usable.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }

    void cancelKeepsWhatWasMade()
    {
        QStringList words;
        for (int i = 0; i < 40; ++i)
            words << QStringLiteral("word%1").arg(i);
        CClipMaker maker(words, m_wordsPath, "en");
        MessageBoxRecorder boxes;
        CMakeClipsDlg dialog(&maker);
        // Cancel from the keyboard, once a few words are done.
        connect(&maker, &CClipMaker::progress, &dialog, [&](const QString&, int done) {
            if (done == 3)
                QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        QCOMPARE(dialog.DoModal(), int(platform::framework::IDCANCEL));
        QVERIFY(maker.Cancelled());
        QVERIFY2(maker.Made() >= 3 && maker.Made() < 40, qPrintable(QString::number(maker.Made())));
        const QStringList made = QDir(m_wordsPath + "/words").entryList(QDir::Files);
        QCOMPARE(made.size(), maker.Made());
        for (const QString& name : made)
            verifyClipFile(m_wordsPath + "/words/" + name);
        QVERIFY(MakeClipsSummary(maker).contains("Cancelled"));
        QVERIFY(boxes.requests().isEmpty());
    }

    // A program that floods its output or hangs is ended within its bound,
    // and every word it was given is reported as failed, once.
    void aRunawayOrHungProgramIsEnded_data()
    {
        QTest::addColumn<QString>("behaviour");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("keepsWaiting");  // the program started ahead stays till its word
        QTest::newRow("floods its sound") << "exec cat /dev/zero"
                                          << "the speech program gave more than " << false;
        QTest::newRow("floods its messages") << "exec cat /dev/zero >&2"
                                             << "the speech program wrote more than 64 KB of messages" << false;
        QTest::newRow("hangs") << "exec sleep 60" << "the speech program did not finish" << true;
    }
    void aRunawayOrHungProgramIsEnded()
    {
        QFETCH(QString, behaviour);
        QFETCH(QString, reason);
        QFETCH(bool, keepsWaiting);
        qputenv("WORDWELL_SPEECH_PROGRAM", speechProgram("echo $$", behaviour).toUtf8());
        const int bound = 1500;
        qputenv("WORDWELL_SPEECH_TIMEOUT_MS", QByteArray::number(bound));
        const auto everyStartedOneIsGone = [this] {
            const qint64 waiting = WarmSpeech()->WaitingProcessId();
            for (const QString& pid : started())
                if (pid.toLongLong() != waiting && processExists(pid.toLongLong()))
                    return false;
            return true;
        };

        // Make Missing Clips: every word of the run fails, and the maker finishes.
        CClipMaker maker({"one", "two", "three"}, m_wordsPath, "en");
        QSignalSpy finished(&maker, &CClipMaker::finished);
        maker.Start();
        QVERIFY(finished.wait(4 * bound));
        QCOMPARE(maker.Failures().size(), 3);
        for (const ClipFailure& failure : maker.Failures())
            QVERIFY2(failure.reason.startsWith(reason), qPrintable(failure.reason));
        QCOMPARE(started().size(), 1);
        QTRY_VERIFY(everyStartedOneIsGone());

        // A word, as Listen speaks it: reported once, within the bound. The
        // program started ahead for the next word is ended too should it
        // flood while it waits; a hung one is given the next word.
        CWordSpeaker speaker;
        QSignalSpy spoken(&speaker, &CWordSpeaker::spoken);
        QElapsedTimer clock;
        for (int word = 1; word <= 2; ++word) {
            clock.start();
            speaker.Speak("cat", "en");
            QVERIFY(spoken.wait(3 * bound));
            QVERIFY(clock.elapsed() < bound + 1000);
            QCOMPARE(spoken.size(), 1);
            QVERIFY2(spoken.takeFirst().at(2).toString().startsWith(reason), qPrintable(reason));
            QTRY_COMPARE(started().size(), word == 2 && keepsWaiting ? 4 : 1 + 2 * word);
            QTRY_COMPARE(WarmSpeech()->WaitingProcessId() > 0, keepsWaiting);
            QTRY_VERIFY(everyStartedOneIsGone());
            QTRY_COMPARE(zombieChildren(), 0);
        }
        QTest::qWait(bound);
        QCOMPARE(spoken.size(), 0);

        // The voices: none, within the bound.
        CVoiceList list;
        QSignalSpy listed(&list, &CVoiceList::listed);
        list.Fetch();
        QVERIFY(listed.wait(3 * bound) && !list.IsKnown());
        QTRY_VERIFY(everyStartedOneIsGone());
    }

private:
    // A speech program that logs each start (`logLine`, in the shell) to started() before `body`.
    QString speechProgram(const QString& logLine, const QString& body) const
    {
        const QString program = m_home->work() + "/espeak-ng";
        WriteFileForTest(program, QStringLiteral("#!/bin/sh\n%1 >> '%2'\n%3\n").arg(logLine, log(), body).toUtf8());
        QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
        return program;
    }
    QString log() const { return m_home->work() + "/started.log"; }
    QStringList started() const { return QString::fromUtf8(ReadFileForTest(log())).split(u'\n', Qt::SkipEmptyParts); }

    static bool processExists(qint64 pid) { return QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)); }

    // Ended programs of ours that nobody waited for.
    static int zombieChildren()
    {
        int zombies = 0;
        for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
            QFile stat("/proc/" + pid + "/stat");
            if (!stat.open(QIODevice::ReadOnly))
                continue;
            // "<pid> (<name>) <state> <parent> ..."
            const QStringList fields = QString::fromLatin1(stat.readAll()).section(u')', -1).split(u' ', Qt::SkipEmptyParts);
            if (fields.size() > 1 && fields[0] == "Z" && fields[1].toLongLong() == QCoreApplication::applicationPid())
                ++zombies;
        }
        return zombies;
    }

    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<CWordwellApp> m_app;
    QString m_wordsPath;
};

QTEST_MAIN(TestVoice)
#include "tst_voice.moc"
