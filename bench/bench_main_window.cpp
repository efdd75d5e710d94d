// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the main window's year and calendar changes, offscreen, on a real database
// file: assembly, list reload and marking, as the user waits for them.
#include "shell/AppContext.h"
#include "ui/main/MainWindow.h"
#include "ui/main/YearBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace lumenar;

namespace {

// Messages would wait for a click; a benchmark only counts them.
class SilentDialogs : public Dialogs
{
public:
    int shown = 0;
    QMessageBox::StandardButton message(QWidget *, QMessageBox::Icon, const QString &, const QString &,
        QMessageBox::StandardButtons, QMessageBox::StandardButton) override
    {
        ++shown;
        return QMessageBox::Ok;
    }
};

// A private database copy, settings kept in a temporary folder, the window shown.
struct Desk
{
    QTemporaryDir dir;
    ManualClock clock{QDate(2026, 10, 9)};
    SilentDialogs dialogs;
    std::unique_ptr<AppContext> context;
    MainWindow *window = nullptr;

    Desk()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        const QString path = dir.filePath(QStringLiteral("Lumenar.mdb"));
        QFile::copy(QDir(QStringLiteral(LUMENAR_BIN_DIR)).filePath(QStringLiteral("Lumenar.mdb")), path);
        context = std::make_unique<AppContext>(Store::open(path), clock, dialogs);
        window = context->mainWindow();
        window->resize(640, 720);
        window->show();
        QApplication::processEvents();
    }
};

int yearFor(benchmark::IterationCount i)
{
    return 1583 + int((i * 37) % 3318);
}

void BM_ApplyYear(benchmark::State &state)
{
    Desk desk;
    auto *box = desk.window->findChild<YearBox *>(QStringLiteral("Text1"));
    benchmark::IterationCount i = 0;
    for (auto _ : state) {
        box->setYear(yearFor(i++));
        desk.window->applyYearBox();
        QApplication::processEvents(); // the view's deferred layout
    }
    if (desk.dialogs.shown)
        state.SkipWithError("a message was shown");
}
BENCHMARK(BM_ApplyYear)->Unit(benchmark::kMillisecond);

void BM_SwitchVariant(benchmark::State &state)
{
    Desk desk;
    auto *box = desk.window->findChild<YearBox *>(QStringLiteral("Text1"));
    benchmark::IterationCount i = 0;
    for (auto _ : state) {
        const Variant to = i % 2 ? Variant::Universal : Variant::Usa;
        // A year the other calendar has not assembled yet, so the switch must assemble.
        state.PauseTiming();
        box->setYear(yearFor(i++));
        desk.window->applyYearBox();
        QApplication::processEvents();
        state.ResumeTiming();
        desk.window->chooseVariant(to);
        QApplication::processEvents();
    }
    if (desk.dialogs.shown)
        state.SkipWithError("a message was shown");
}
BENCHMARK(BM_SwitchVariant)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
