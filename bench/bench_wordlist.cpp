// Storing and loading spelling lists of growing size.
#include "platform/framework/archive.h"
#include "practice/document/wordlist.h"

#include <benchmark/benchmark.h>

#include <QStringList>

namespace {

QStringList makeWords(qsizetype count)
{
    QStringList words;
    words.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        words << QStringLiteral("word%1").arg(i);
    return words;
}

void BM_StoreList(benchmark::State& state)
{
    QStringList words = makeWords(state.range(0));
    for (auto _ : state) {
        QByteArray bytes;
        platform::framework::CArchive ar(&bytes);
        SerializeWordList(ar, words);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_LoadList(benchmark::State& state)
{
    QStringList words = makeWords(state.range(0));
    QByteArray bytes;
    platform::framework::CArchive out(&bytes);
    SerializeWordList(out, words);
    for (auto _ : state) {
        QStringList loaded;
        platform::framework::CArchive in{QByteArrayView(bytes)};
        SerializeWordList(in, loaded);
        benchmark::DoNotOptimize(loaded.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_StoreList)->Range(10, 100000);
BENCHMARK(BM_LoadList)->Range(10, 100000);

BENCHMARK_MAIN();
