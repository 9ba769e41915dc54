// Loading and saving spelling lists of 1,000 to 1,000,000 words (8 bytes on
// average) through the document, with real files in a temporary folder.
#include "practice/document/wordwelldoc.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <malloc.h>

namespace {

QStringList makeWords(qsizetype count)
{
    QStringList words;
    words.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        // 5 to 11 letters, 8 on average.
        const qsizetype length = 5 + i % 7;
        QString word(length, Qt::Uninitialized);
        for (qsizetype c = 0; c < length; ++c)
            word[c] = QChar(u'a' + static_cast<char16_t>((i * 7 + c * 13) % 26));
        words << word;
    }
    return words;
}

QString writeList(const QTemporaryDir& dir, qsizetype count)
{
    CWordwellDoc doc;
    doc.m_wordList = makeWords(count);
    const QString path = dir.filePath(QStringLiteral("list.spl"));
    if (!doc.OnSaveDocument(path))
        qFatal("cannot write the benchmark list");
    return path;
}

void BM_LoadList(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = writeList(dir, state.range(0));
    size_t listBytes = 0;
    for (auto _ : state) {
        CWordwellDoc doc;
        const size_t before = mallinfo2().uordblks;
        if (!doc.OnOpenDocument(path))
            state.SkipWithError("load failed");
        listBytes = mallinfo2().uordblks - before;
        benchmark::DoNotOptimize(doc.m_wordList.size());
        state.PauseTiming();  // freeing the list is not part of loading
        doc.DeleteContents();
        state.ResumeTiming();
    }
    state.counters["list_MB"] = static_cast<double>(listBytes) / (1024.0 * 1024.0);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SaveList(benchmark::State& state)
{
    QTemporaryDir dir;
    CWordwellDoc doc;
    doc.m_wordList = makeWords(state.range(0));
    const QString path = dir.filePath(QStringLiteral("list.spl"));
    for (auto _ : state) {
        if (!doc.OnSaveDocument(path))
            state.SkipWithError("save failed");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_LoadList)->Arg(1'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveList)->Arg(1'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
