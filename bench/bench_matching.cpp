// One matching pass (what every keystroke costs) over synthetic catalogues, with the real usage
// log and display filter: names alone, and names with the second tier (a command, keywords and a
// generic name per entry, a desktop action in one entry of ten).
#include "SyntheticNames.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Matching.h"
#include "catalogue/UsageLogger.h"
#include "core/PropertyList.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace
{

struct Setup {
    MatchingIndex index;
    QTemporaryDir dir;
    std::unique_ptr<UsageLogger> logger;

    explicit Setup(int size)
    {
        QVariantMap uses;
        // Made as a catalogue build makes them: side by side in one block.
        std::vector<Application> apps;
        for (int i = 0; i < size; ++i) {
            const QString path = QString("/usr/share/applications/app%1.desktop").arg(i);
            Application &app = apps.emplace_back(path, syntheticName(i), i % 50 == 0, QString());
            const QStringList texts = syntheticSearchTexts(i);
            QList<Application::SearchText> searchTexts{
                {Application::TextKind::Command, texts.first()}};
            for (qsizetype t = 1; t + 1 < texts.size(); ++t)
                searchTexts.append({Application::TextKind::Keyword, texts.at(t)});
            searchTexts.append({Application::TextKind::GenericName, texts.last()});
            app.setSearchTexts(searchTexts);
            if (i % 10 == 0)
                app.addAction(QStringLiteral("new-window"), QStringLiteral("New Window"));
            // One application in twenty has been launched.
            if (i % 20 == 0)
                uses.insert(path, qint64(i % 37 + 1));
        }
        index = MatchingIndex(sharedAsOneBlock(std::move(apps)));
        const QString plistPath = dir.filePath("Usage log.plist");
        QFile file(plistPath);
        file.open(QIODevice::WriteOnly);
        file.write(PropertyList::toXml(QVariantMap{{"Applications Uses", uses}}));
        file.close();
        logger = std::make_unique<UsageLogger>(plistPath);
    }
};

Setup &setupFor(int size)
{
    static std::map<int, std::unique_ptr<Setup>> setups;
    auto &setup = setups[size];
    if (!setup)
        setup = std::make_unique<Setup>(size);
    return *setup;
}

// Streams through more memory than the caches hold, as the rest of the desktop does while the
// launcher waits for its hot key.
void evictCaches()
{
    static std::vector<char> other(64 << 20);
    for (size_t i = 0; i < other.size(); i += 64)
        ++other[i];
    benchmark::ClobberMemory();
}

void matchingPass(benchmark::State &state, const char *typed, MatchScope scope,
                  bool afterPause = false)
{
    Setup &setup = setupFor(static_cast<int>(state.range(0)));
    const QString text = QString::fromUtf8(typed);
    const QStringList excluded{"/opt/excluded", "/usr/share/applications/app7.desktop"};
    const DisplayFilter filter = [&](const Application &app) {
        return Catalogue::shouldDisplayApplication(app, excluded, true);
    };
    const UsageLookup usage = [&](const QString &path) {
        return setup.logger->usageForApplicationAtPath(path);
    };
    qsizetype matches = 0;
    for (auto _ : state) {
        if (afterPause) {
            state.PauseTiming();
            evictCaches();
            state.ResumeTiming();
        }
        const ApplicationList list =
            buildMatchingApplicationList(text, setup.index, filter, usage, scope);
        matches = list.size();
        benchmark::DoNotOptimize(matches);
    }
    state.counters["matches"] = static_cast<double>(matches);
    state.SetComplexityN(state.range(0));
}

} // namespace

// Names alone, as with the second tier turned off.
BENCHMARK_CAPTURE(matchingPass, query1, "t", MatchScope::Names)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Complexity()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(matchingPass, query2, "te", MatchScope::Names)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Complexity()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(matchingPass, queryBr, "br", MatchScope::Names)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Complexity()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(matchingPass, query4, "term", MatchScope::Names)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Complexity()
    ->Unit(benchmark::kMicrosecond);
// With the second tier (the default).
BENCHMARK_CAPTURE(matchingPass, query1More, "t", MatchScope::NamesAndMore)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Complexity()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(matchingPass, query2More, "te", MatchScope::NamesAndMore)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Complexity()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(matchingPass, queryBrMore, "br", MatchScope::NamesAndMore)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Complexity()
    ->Unit(benchmark::kMicrosecond);

// The first key after a pause: nothing of the catalogue left in the caches.
BENCHMARK_CAPTURE(matchingPass, query1AfterPause, "t", MatchScope::Names, true)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(matchingPass, query1MoreAfterPause, "t", MatchScope::NamesAndMore, true)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
