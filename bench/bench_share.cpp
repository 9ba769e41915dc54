// Exporting and opening a shared list of 100 words with 2-second clips
// (16-bit mono at 22,050 Hz, noise: the worst case for compression), with
// real files in a temporary folder, through the commands the menu runs; and
// opening lists of many one-byte clips, whose time per clip must not grow
// with the number of clips in the folder.
#include "benchsupport.h"
#include "platform/framework/archive.h"
#include "platform/framework/doctemplate.h"
#include "platform/framework/messagebox.h"
#include "practice/document/wordlist.h"
#include "practice/document/wordwelldoc.h"
#include "practice/share/sharecommands.h"
#include "practice/share/sharedlist.h"
#include "practice/ui/practiceapp.h"

#include <QApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kWords = 100;
constexpr qsizetype kClipBytes = 2 * 22050 * 2;

CPracticeApp* g_app = nullptr;

CWordwellDoc* document()
{
    return static_cast<CWordwellDoc*>(g_app->GetDocTemplate()->GetDocument());
}

void recordList(const QString& wordsPath)
{
    QDir().mkpath(wordsPath + QStringLiteral("/words"));
    QStringList words;
    QRandomGenerator noise(14);
    for (int i = 0; i < kWords; ++i) {
        const QString word = QStringLiteral("word%1").arg(i);
        QByteArray clip(kClipBytes, Qt::Uninitialized);
        noise.fillRange(reinterpret_cast<quint32*>(clip.data()), clip.size() / 4);
        QFile file(wordsPath + QStringLiteral("/words/") + word + QStringLiteral(".wav"));
        if (!file.open(QIODevice::WriteOnly) || file.write(clip) != clip.size())
            qFatal("cannot write the benchmark clips");
        words << word;
    }
    document()->m_wordList = words;
}

void BM_ExportSharedList(benchmark::State& state)
{
    QTemporaryDir dir;
    g_app->m_strWordsPath = dir.filePath(QStringLiteral("teacher"));
    recordList(g_app->m_strWordsPath);
    const QString shared = dir.filePath(QStringLiteral("list.splz"));
    for (auto _ : state) {
        if (!practice::share::ExportSharedList(*document(), shared))
            state.SkipWithError("export failed");
    }
    state.counters["archive_MB"] = double(QFile(shared).size()) / (1024.0 * 1024.0);
}

void BM_ImportSharedList(benchmark::State& state)
{
    QTemporaryDir dir;
    g_app->m_strWordsPath = dir.filePath(QStringLiteral("teacher"));
    recordList(g_app->m_strWordsPath);
    const QString shared = dir.filePath(QStringLiteral("list.splz"));
    if (!practice::share::ExportSharedList(*document(), shared))
        state.SkipWithError("export failed");
    int round = 0;
    for (auto _ : state) {
        // Each time into a fresh words folder, as on another teacher's computer.
        g_app->m_strWordsPath = dir.filePath(QStringLiteral("colleague%1").arg(round++));
        document()->SetModifiedFlag(false);
        if (!practice::share::ImportSharedList(shared))
            state.SkipWithError("import failed");
    }
}

// Clips of one byte: the time is the files', not the bytes'.
void BM_ImportManyClips(benchmark::State& state)
{
    const int clips = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    practice::share::SharedList list;
    list.name = QStringLiteral("many");
    for (int i = 0; i < clips; ++i)
        list.words << QStringLiteral("word%1").arg(i);
    platform::framework::CArchive out(&list.listBytes);
    QStringList words = list.words;
    SerializeWordList(out, words);
    QList<platform::zip::ZipEntry> entries = practice::share::PackSharedList(list);
    for (int i = 0; i < clips; ++i)
        entries.append({QStringLiteral("words/word%1.wav").arg(i), QByteArray(1, 'x'), false});
    QString reason;
    const platform::zip::ZipCodec* codec = platform::zip::LoadZipCodec(&reason);
    QByteArray archive;
    const QString shared = dir.filePath(QStringLiteral("many.splz"));
    QFile file(shared);
    if (!codec || !codec->pack(entries, &archive, &reason) || !file.open(QIODevice::WriteOnly)
        || file.write(archive) != archive.size()) {
        state.SkipWithError("the archive could not be made");
        return;
    }
    file.close();
    int round = 0;
    for (auto _ : state) {
        g_app->m_strWordsPath = dir.filePath(QStringLiteral("colleague%1").arg(round++));
        document()->SetModifiedFlag(false);
        if (!practice::share::ImportSharedList(shared))
            state.SkipWithError("import failed");
    }
    state.counters["clips_per_s"] = benchmark::Counter(clips, benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

BENCHMARK(BM_ExportSharedList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportSharedList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportManyClips)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(69999)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->UseRealTime();

int main(int argc, char** argv)
{
    const PrivateHome home;
    QApplication qtApp(argc, argv);
    platform::framework::SetMessageBoxHandler([](const platform::framework::MessageBoxRequest& request) {
        qFatal("unexpected message: %s", qPrintable(request.text));
        return 0;
    });
    CPracticeApp app{QStringList{}};
    if (!app.InitInstance())
        return 1;
    g_app = &app;
    return RunBenchmarks(argc, argv);
}
