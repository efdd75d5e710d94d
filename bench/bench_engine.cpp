// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the engine on a real calendar database file. Run with `make bench`.
#include "engine/MovableDates.h"
#include "engine/YearAssembly.h"
#include "store/Store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace lumenar;

namespace {

QString binDir()
{
    return QStringLiteral(LUMENAR_BIN_DIR);
}

// A private copy of the generated database, so the benchmarks write to a real file.
struct DatabaseCopy
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Lumenar.mdb"));
    DatabaseCopy() { QFile::copy(QDir(binDir()).filePath(QStringLiteral("Lumenar.mdb")), path); }
};

std::int16_t yearFor(benchmark::IterationCount i)
{
    return static_cast<std::int16_t>(1583 + (i * 37) % 3318);
}

Variant variantOf(const benchmark::State &state)
{
    return state.range(0) ? Variant::Usa : Variant::Universal;
}

void BM_ComputeMovableDates(benchmark::State &state)
{
    benchmark::IterationCount i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeMovableDates(computeYearDates(yearFor(i++), variantOf(state))));
}
BENCHMARK(BM_ComputeMovableDates)->Arg(0)->Arg(1)->ArgName("usa")->Unit(benchmark::kMicrosecond);

// The year in memory alone: the competition of the celebrations, their order and names.
void BM_AssembleYear(benchmark::State &state)
{
    DatabaseCopy copy;
    const CalendarSource source = readCalendarSource(Store::open(copy.path));
    benchmark::IterationCount i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(assembleYear(source, variantOf(state), yearFor(i++)));
}
BENCHMARK(BM_AssembleYear)->Arg(0)->Arg(1)->ArgName("usa")->Unit(benchmark::kMicrosecond);

// The details of every day of an assembled year, worked out when asked (as a whole-year
// export does); the assembly itself stores none.
void BM_YearDetails(benchmark::State &state)
{
    DatabaseCopy copy;
    const YearCalendar year = assembleYear(readCalendarSource(Store::open(copy.path)), variantOf(state), 2026);
    for (auto _ : state) {
        for (QDate day(2026, 1, 1); day.year() == 2026; day = day.addDays(1))
            benchmark::DoNotOptimize(year.details(day));
    }
}
BENCHMARK(BM_YearDetails)->Arg(0)->Arg(1)->ArgName("usa")->Unit(benchmark::kMicrosecond);

// As the desktop program builds a year: assembled in memory and written into its year table.
void BM_BuildYear(benchmark::State &state)
{
    DatabaseCopy copy;
    Store store = Store::open(copy.path);
    const CalendarSource source = readCalendarSource(store);
    benchmark::IterationCount i = 0;
    for (auto _ : state)
        BuildYear(store, source, variantOf(state), yearFor(i++));
}
BENCHMARK(BM_BuildYear)->Arg(0)->Arg(1)->ArgName("usa")->Unit(benchmark::kMillisecond);

// The first year of a run: open the file, read the calendar's rows, build.
void BM_OpenAndBuildYear(benchmark::State &state)
{
    DatabaseCopy copy;
    benchmark::IterationCount i = 0;
    for (auto _ : state) {
        Store store = Store::open(copy.path);
        BuildYear(store, Variant::Usa, yearFor(i++));
    }
}
BENCHMARK(BM_OpenAndBuildYear)->Unit(benchmark::kMillisecond);

// lumenar-cli for one year, as a whole process.
void BM_CliOneYear(benchmark::State &state)
{
    const QString program = QDir(binDir()).filePath(QStringLiteral("lumenar-cli"));
    for (auto _ : state) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(program, {QStringLiteral("2026"), QStringLiteral("--variant"), QStringLiteral("USA")});
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            state.SkipWithError("lumenar-cli failed");
    }
}
BENCHMARK(BM_CliOneYear)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
