// Opening the list editor and the list information dialog on a list of
// 100,000 words, and confirming the editor on it: from construction to the
// dialog shown and painted, and from OK to the document's list rebuilt.
#include "benchsupport.h"
#include "practice/editor/listinfodlg.h"
#include "practice/editor/spellinglistdlg.h"

#include <QApplication>
#include <QListWidget>

#include <benchmark/benchmark.h>

namespace {

QStringList makeWords(qsizetype count)
{
    QStringList words;
    words.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        words << QStringLiteral("word%1").arg(i);
    return words;
}

template <typename Dialog>
void openDialog(benchmark::State& state)
{
    QStringList words = makeWords(state.range(0));
    for (auto _ : state) {
        Dialog dialog;
        dialog.m_pWordList = &words;
        dialog.OnInitDialog();
        dialog.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(dialog.m_listWords->count());
        state.PauseTiming();  // closing is not part of opening
        dialog.hide();
        state.ResumeTiming();
    }
}

void BM_OpenListEditor(benchmark::State& state)
{
    openDialog<CSpellingListDlg>(state);
}

void BM_OpenListInformation(benchmark::State& state)
{
    openDialog<CListInfoDlg>(state);
}

void BM_ConfirmListEditor(benchmark::State& state)
{
    QStringList words = makeWords(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto dialog = std::make_unique<CSpellingListDlg>();
        dialog->m_pWordList = &words;
        dialog->OnInitDialog();
        dialog->show();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        dialog->OnOK();
        benchmark::DoNotOptimize(words.size());
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(BM_OpenListEditor)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenListInformation)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConfirmListEditor)->Arg(100'000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    const PrivateHome home;
    QApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
