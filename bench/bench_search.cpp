// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the search window on an assembled year. Run:
//   build/bin/lumenar-bench-search --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
#include "engine/CelebrationSearch.h"
#include "shell/AppContext.h"
#include "ui/search/SearchWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace lumenar;

namespace {

// A private copy of the generated database holding the assembled year 2026.
struct AssembledYear
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Lumenar.mdb"));
    ManualClock clock{QDate(2026, 12, 25)};
    Dialogs dialogs;
    std::unique_ptr<AppContext> context;

    AssembledYear()
    {
        QFile::copy(QDir(QStringLiteral(LUMENAR_BIN_DIR)).filePath(QStringLiteral("Lumenar.mdb")), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        context = std::make_unique<AppContext>(Store::open(path), clock, dialogs);
        context->setShownCalendar(context->calendar(Variant::Universal, 2026));
    }
};

// What a user types, one letter more at each keystroke.
const QString kTyped = QStringLiteral("st. john the baptist");

// The matching alone.
void BM_SearchFind(benchmark::State &state)
{
    AssembledYear year;
    const CelebrationSearch search(year.context->shownCalendar()->rows());
    int i = 0;
    for (auto _ : state) {
        const QString text = kTyped.left(i++ % kTyped.size() + 1);
        benchmark::DoNotOptimize(search.find(text));
    }
}
BENCHMARK(BM_SearchFind)->Unit(benchmark::kMicrosecond);

// One keystroke in the search window: the search, the list's model reset, its layout and
// paint, as the event loop does them.
void BM_SearchKeystroke(benchmark::State &state)
{
    AssembledYear year;
    SearchWindow *window = year.context->searchWindow();
    window->showSearch();
    QLineEdit *box = window->findChild<QLineEdit *>(QStringLiteral("cmbSearch"));
    box->setText(QStringLiteral("x")); // the first search reads the year's rows
    QCoreApplication::processEvents();
    int i = 0;
    for (auto _ : state) {
        box->setText(kTyped.left(i++ % kTyped.size() + 1));
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
