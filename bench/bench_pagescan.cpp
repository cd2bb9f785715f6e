// Times the scan of a generated corpus, for a key that occurs nowhere (every byte is read)
// and one on the last line of every page.
#include "bench/BulgarianCorpus.h"
#include "catalogue/PageFiles.h"
#include "search/scan/KeyScanner.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Pages = 16;
constexpr qsizetype PageBytes = 1'000'000;
const QString LastLine = u"Последен ред: Правец-16, първият български персонален компютър."_qs;

struct Corpus {
    QTemporaryDir dir;
    QStringList names;
};

const Corpus& corpus(const char* charset) {
    static Corpus windows1251;
    static Corpus utf8;
    Corpus& corpus = qstrcmp(charset, "utf-8") == 0 ? utf8 : windows1251;
    if (corpus.names.isEmpty()) {
        if (!writeBulgarianCorpus(corpus.dir.path(), Pages, PageBytes, LastLine, charset))
            qFatal("cannot write the corpus");
        corpus.names = QDir(corpus.dir.path()).entryList({u"*.htm"_qs}, QDir::Files);
    }
    return corpus;
}

void scanCorpus(benchmark::State& state, const char* charset, const char* key) {
    const Corpus& pages = corpus(charset);
    for (auto _ : state) {
        pagescan::KeyScanner scanner(QString::fromUtf8(key));
        int found = 0;
        for (const QString& name : pages.names)
            found += scanner.pageContainsKey(catalogue::openPage(pages.dir.path(), name));
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(state.iterations() * Pages * PageBytes);
}

} // namespace

BENCHMARK_CAPTURE(scanCorpus, windows1251_key_nowhere, "windows-1251", "процесорите")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(scanCorpus, windows1251_key_on_last_line, "windows-1251", "правец")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(scanCorpus, utf8_key_nowhere, "utf-8", "процесорите")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(scanCorpus, utf8_key_on_last_line, "utf-8", "правец")
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
