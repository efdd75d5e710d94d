// SPDX-License-Identifier: GPL-3.0-or-later
// From start to the tray icon: the start-up sequence in process, on a private copy of the
// database, as the desktop program runs it (offscreen, so the main window stands in for
// the tray icon it would dock).
#include "engine/Clock.h"
#include "ui/Dialogs.h"
#include "shell/Shell.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace lumenar;

namespace {

class SilentDialogs : public Dialogs
{
public:
    QMessageBox::StandardButton message(QWidget *, QMessageBox::Icon, const QString &, const QString &text,
        QMessageBox::StandardButtons, QMessageBox::StandardButton) override
    {
        qFatal("unexpected message: %s", qPrintable(text));
    }
};

void StartToTrayIcon(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString db = QDir(dir.path()).filePath(QStringLiteral("Lumenar.mdb"));
    QFile::copy(QStringLiteral(LUMENAR_BIN_DIR "/Lumenar.mdb"), db);
    QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner);
    Clock clock;
    SilentDialogs dialogs;
    for (auto _ : state) {
        Shell shell(db, clock, dialogs, Shell::Options{true, true});
        if (!shell.start())
            state.SkipWithError("start-up failed");
        QApplication::processEvents();
        state.PauseTiming();
        shell.shutdown();
        state.ResumeTiming();
    }
}
BENCHMARK(StartToTrayIcon)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
