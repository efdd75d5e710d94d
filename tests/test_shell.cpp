// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop shell without a notification area (offscreen): start-up, the tray's icon and
// tooltip, the menu, the day change, window places, the way out and the About windows.
#include "shell/AboutDialog.h"
#include "shell/CommandLine.h"
#include "shell/DayIcon.h"
#include "shell/HelpWindow.h"
#include "shell/Shell.h"
#include "shell/SingleInstance.h"
#include "shell/Splash.h"
#include "shell/TerminationSignals.h"
#include "shell/TrayText.h"
#include "store/Settings.h"
#include "store/WindowPositions.h"
#include "tests/support/UiTestSupport.h"
#include "ui/WindowPlacement.h"
#include "ui/main/ListColours.h"
#include "ui/main/YearBox.h"
#include "ui/main/YearListModel.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

using namespace lumenar;
using namespace lumenar::test;

namespace {

// A shell over a private database with a pinned clock.
struct ShellFixture
{
    explicit ShellFixture(QDate today = QDate(2026, 12, 7), const QString &variant = QString())
        : clock(today)
    {
        Settings().setValue(Settings::Key::Variant, variant);
        shell = std::make_unique<Shell>(db.path(), clock, dialogs, Shell::Options{false, false});
    }
    TempDatabase db;
    ManualClock clock;
    RecordingDialogs dialogs;
    std::unique_ptr<Shell> shell;
};

int yearRows(const TempDatabase &db)
{
    return db.open()
        .scalar(QStringLiteral("SELECT (SELECT count(*) FROM C_Univ_Temp) + (SELECT count(*) FROM C_USA_Temp)"))
        .toInt();
}

bool anyWindowShown()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [](QWidget *w) { return w->isVisible(); });
}

int inkPixels(const QImage &image, const QColor &ink)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y).rgb() == ink.rgb();
    return n;
}

void showYear(AppContext &context, int year)
{
    context.mainWindow()->findChild<YearBox *>(QStringLiteral("Text1"))->setYear(year);
    context.mainWindow()->applyYearBox();
}

} // namespace

// The menu's entries are read through the tray in test_tray_sni; here: what one of them does.
TEST(Shell, HighContrastIsRememberedAndRedrawsTheList)
{
    ShellFixture f;
    ASSERT_TRUE(f.shell->start());
    EXPECT_EQ(f.shell->context()->commandMenu(), f.shell->menu());
    auto *highContrast = f.shell->menu()->findChild<QAction *>(QStringLiteral("HighContrast"));
    ASSERT_TRUE(highContrast && !highContrast->isChecked());
    for (bool on : {true, false}) {
        highContrast->trigger();
        EXPECT_EQ(highContrastSetting(), on);
        EXPECT_EQ(f.shell->context()->mainWindow()->listModel().colours().highContrast, on);
    }
}

TEST(Shell, StartUpReadsTheRememberedVariant)
{
    for (const auto &[stored, built] : {std::pair{QString(), Variant::Universal}, {QStringLiteral("SUA"), Variant::Usa},
             {QStringLiteral("USA"), Variant::Usa}, {QStringLiteral("universal"), Variant::Usa}}) {
        ShellFixture f(QDate(2026, 12, 7), stored);
        ASSERT_TRUE(f.shell->start()) << qPrintable(stored);
        AppContext *ctx = f.shell->context();
        EXPECT_EQ(ctx->variant(), built) << qPrintable(stored);
        EXPECT_EQ(ctx->shownCalendar()->year(), 2026);
        EXPECT_EQ(ctx->shownCalendar()->variant(), built);
        EXPECT_EQ(ctx->currentDate, QDate(2026, 12, 7));
        EXPECT_EQ(Settings().text(Settings::Key::Variant), stored); // a fallback is not written
        EXPECT_TRUE(f.dialogs.shown.isEmpty());
    }
}

TEST(Shell, TrayShowsTodaysIconAndCelebrations)
{
    const std::tuple<QDate, IconColour, const char *> cases[] = {
        {QDate(2026, 12, 1), IconColour::Blue,
            "Tuesday of the First Week of Advent\nAdvent · Year B · Weekday I · Psalter week 1"},
        {QDate(2026, 1, 14), IconColour::Green,
            "Wednesday of the First Week of Ordinary Time\nOrdinary Time · Year A · Weekday II · Psalter week 1"},
        {QDate(2026, 12, 26), IconColour::Red,
            "St. Stephen, the First Martyr\nChristmas Time · Year B · Weekday I · Psalter week 4"},
        {QDate(2026, 12, 25), IconColour::Black,
            "The Nativity of the Lord (Christmas)\n"
            "Christmas Time · Year B · Weekday I · Psalter week 4 · Holy day of obligation"},
    };
    for (const auto &[day, colour, tooltip] : cases) {
        ShellFixture f(day);
        ASSERT_TRUE(f.shell->start());
        EXPECT_EQ(f.shell->trayIconColour(), colour) << qPrintable(day.toString());
        EXPECT_EQ(f.shell->trayIconDay(), day.day());
        EXPECT_EQ(f.shell->trayToolTip(), QString::fromUtf8(tooltip));
        EXPECT_FALSE(f.shell->trayIcon().isNull());
    }
    std::vector<Celebration> rows(3);
    for (int i = 0; i < 3; ++i)
        rows[i].name = QStringLiteral("  Name %1 ").arg(i);
    EXPECT_EQ(BuildTrayTooltip(rows), QStringLiteral("Name 0\nName 1\nName 2"));
    EXPECT_EQ(BuildTrayTooltip(rows, QStringLiteral("Lent")), QStringLiteral("Name 0\nName 1\nName 2\nLent"));
    EXPECT_EQ(BuildTrayTooltip({}), QString());
    EXPECT_EQ(BuildTrayTooltip({}, QStringLiteral("Lent")), QStringLiteral("Lent"));
}

TEST(DayIcon, PageFrameRingsAndDigitsInTheDayColour)
{
    for (const auto &[colour, ink] :
        {std::pair{IconColour::Black, QColor(0, 0, 0)}, {IconColour::Green, QColor(0, 128, 0)},
            {IconColour::Blue, QColor(0, 0, 255)}, {IconColour::Red, QColor(255, 0, 0)}}) {
        EXPECT_EQ(iconInk(colour), ink);
        for (int size : {16, 22, 24, 32, 48, 64}) {
            const QImage icon = renderDayIcon(28, colour, size);
            ASSERT_EQ(icon.size(), QSize(size, size));
            // A black frame round a white page, rings above it, and digits in the day's ink.
            EXPECT_EQ(icon.pixelColor(0, size / 2).rgb(), QColor(Qt::black).rgb()) << size;
            EXPECT_GT(inkPixels(icon, Qt::white), size * size / 5) << size;
            bool ring = false;
            for (int x = 0; x < size; ++x)
                ring |= icon.pixelColor(x, 0).alpha() > 0;
            EXPECT_TRUE(ring) << size;
            EXPECT_GT(inkPixels(icon, ink), size * size / 20) << size;
        }
    }
    EXPECT_EQ(dayIcon(3, IconColour::Green).pixmap(22, 22).size(), QSize(22, 22));
}

TEST(Shell, DayChangeRebuildsOnlyOnANewDay)
{
    ShellFixture f(QDate(2026, 12, 31));
    ASSERT_TRUE(f.shell->start());
    AppContext *ctx = f.shell->context();
    MainWindow *main = ctx->mainWindow();
    const int builds = ctx->yearAssemblies();
    f.shell->dayCheck();
    EXPECT_EQ(ctx->yearAssemblies(), builds) << "a tick on the same day does no database work";

    // Past midnight into a new year: a window on today's year follows it.
    f.clock.set(QDate(2027, 1, 1));
    f.shell->dayCheck();
    EXPECT_EQ(ctx->shownCalendar()->year(), 2027);
    EXPECT_EQ(f.shell->lastDate(), QDate(2027, 1, 1));
    EXPECT_EQ(f.shell->trayToolTip(),
        QStringLiteral("Mary, the Holy Mother of God\n"
                       "Christmas Time · Year B · Weekday I · Psalter week 1 · Holy day of obligation"));
    EXPECT_EQ(main->shownYear(), 2027);

    // The clock set back a day counts as a change too.
    f.clock.set(QDate(2026, 12, 26));
    f.shell->dayCheck();
    EXPECT_EQ(ctx->shownCalendar()->year(), 2026);
    EXPECT_EQ(f.shell->trayIconColour(), IconColour::Red);
    EXPECT_EQ(f.shell->trayIconDay(), 26);

    // A window on another year keeps it; the tray still speaks of today.
    showYear(*ctx, 1700);
    ASSERT_EQ(main->shownYear(), 1700);
    f.clock.set(QDate(2026, 12, 27));
    f.shell->dayCheck();
    EXPECT_TRUE(f.shell->trayToolTip().startsWith(QLatin1String("The Holy Family\nChristmas Time")));
    EXPECT_EQ(main->shownYear(), 1700);
    EXPECT_EQ(main->listModel().row(0).date.year(), 1700) << "list and year box agree";
    EXPECT_TRUE(f.dialogs.shown.isEmpty());
}

TEST(Shell, SaveWritesEightUserRowsAndDefaultFollowsTheScreen)
{
    ShellFixture f;
    WindowPositions p;
    EXPECT_FALSE(LoadWindowPositions(f.db.open(), false, p));
    EXPECT_DOUBLE_EQ(p[wMain], 9600);
    ASSERT_TRUE(f.shell->start());
    const auto userRows = [&] {
        Store store = f.db.open();
        QSqlQuery q
            = store.exec(QStringLiteral("SELECT parametru FROM Parametri WHERE \"Default\" = 0 ORDER BY rowid"));
        QStringList names;
        while (q.next())
            names << q.value(0).toString();
        return names.join(u',');
    };
    const QString eight = QStringLiteral("xMain,yMain,wMain,hMain,xComm,yComm,wComm,hComm");
    f.shell->saveWindowPositions();
    f.shell->saveWindowPositions();
    EXPECT_EQ(userRows(), eight);
    // The saved rows win over the delivered ones at the next start; Default writes nothing.
    EXPECT_TRUE(LoadWindowPositions(f.shell->context()->store(), false, p));
    f.shell->defaultWindowPositions();
    EXPECT_EQ(userRows(), eight);

    const WindowPositions d = DefaultWindowPositions(19200, 14400);
    const WindowPositions wide = DefaultWindowPositions(38400, 14400);
    EXPECT_EQ(d.values, (std::array<double, kPositionCount>{3840, 1800, 11520, 10800, 1920, 3600, 15360, 7200}));
    for (Position x : {xMain, wMain, xComm, wComm})
        EXPECT_DOUBLE_EQ(wide[x], 2 * d[x]);
    for (Position y : {yMain, hMain, yComm, hComm})
        EXPECT_DOUBLE_EQ(wide[y], d[y]);
}

TEST(WindowPlacement, ANameMissingFromTheSavedRowsKeepsItsValue)
{
    TempDatabase db;
    Store store = db.open();
    store.run(QStringLiteral("INSERT INTO Parametri (parametru, valoare) VALUES ('xMain', 100)"));
    WindowPositions q;
    EXPECT_TRUE(LoadWindowPositions(store, false, q));
    EXPECT_DOUBLE_EQ(q[xMain], 100);
    EXPECT_DOUBLE_EQ(q[hComm], 0); // not the delivered value
}

TEST(WindowPlacement, APlaceOutOfReachIsBroughtOntoTheNearestScreen)
{
    const QRect screen(0, 0, 1280, 800), right(1280, 0, 1920, 1080);
    const std::tuple<const char *, QRect, QList<QRect>, QRect> cases[] = {
        {"on its screen", {100, 100, 640, 480}, {screen}, {100, 100, 640, 480}},
        {"on the second screen", {2000, 100, 640, 480}, {screen, right}, {2000, 100, 640, 480}},
        {"across both screens", {1000, 100, 640, 480}, {screen, right}, {1000, 100, 640, 480}},
        {"partly out, title and most on", {700, 400, 640, 480}, {screen}, {700, 400, 640, 480}},
        {"title bar above the screen", {100, -20, 640, 480}, {screen}, {100, 0, 640, 480}},
        {"only the title bar on", {100, 700, 640, 480}, {screen}, {100, 320, 640, 480}},
        {"most of it off to the left", {-400, 100, 640, 480}, {screen}, {0, 100, 640, 480}},
        // Saved at 1x on this screen, started at 2x: every size doubled against the screen.
        {"larger than the screen", {512, 200, 1536, 1200}, {QRect(0, 0, 640, 400)}, {0, 0, 640, 400}},
        {"a little larger than the screen, most of it on", {0, 0, 1300, 820}, {screen}, {0, 0, 1280, 800}},
        {"its screen unplugged", {2400, 900, 640, 480}, {screen}, {640, 320, 640, 480}},
        {"unplugged, nearest is the second", {3400, 100, 640, 480}, {screen, right}, {2560, 100, 640, 480}},
    };
    for (const auto &[what, frame, screens, placed] : cases)
        EXPECT_EQ(reachableRect(frame, screens, 30), placed) << what;

    // A window whose title bar was kept off screen opens below its top; the kept values stay.
    UiFixture f;
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    WindowPositions &p = f.context->positions;
    p[xMain] = pixelsToTwips(available.left() + 10, screenDpiX());
    p[yMain] = pixelsToTwips(available.top() - 20, screenDpiY());
    p[wMain] = pixelsToTwips(400, screenDpiX());
    p[hMain] = pixelsToTwips(300, screenDpiY());
    const WindowPositions kept = p;
    MainWindow *w = f.context->mainWindow();
    EXPECT_EQ(w->pos(), available.topLeft() + QPoint(10, 0));
    EXPECT_EQ(w->size(), QSize(400, 300));
    EXPECT_EQ(p.values, kept.values);
}

// Without a tray the main window shows, and closing it ends the program: the year tables
// are emptied and the database compacted, once.
TEST(Shell, WithoutATrayClosingTheMainWindowEndsTheProgramOnce)
{
    ShellFixture f;
    ASSERT_TRUE(f.shell->start());
    EXPECT_FALSE(f.shell->hasTray());
    EXPECT_TRUE(f.shell->context()->mainWindow()->isVisible());
    f.shell->context()->detailWindow();
    emit f.shell->context()->mainWindowClosed();
    EXPECT_TRUE(f.shell->exitRequested());
    EXPECT_FALSE(f.shell->isShutDown()) << "not from inside the window's own handler";
    f.shell->requestExit(1); // only the first request counts
    EXPECT_EQ(f.shell->exec(), 0);
    EXPECT_TRUE(f.shell->isShutDown());
    f.shell->shutdown(); // nothing left to do
    EXPECT_EQ(f.shell->compactions(), 1);
    EXPECT_EQ(f.shell->context(), nullptr);
    EXPECT_FALSE(QFile::exists(f.db.folder() + QStringLiteral("/~Temp.mdb")));
    EXPECT_EQ(yearRows(f.db), 0);
    EXPECT_TRUE(f.dialogs.shown.isEmpty());
}

TEST(Shell, AMissingDatabaseIsADataError)
{
    ShellFixture f;
    QFile::remove(f.db.path());
    EXPECT_FALSE(f.shell->start());
    ASSERT_EQ(f.dialogs.shown.size(), 1);
    EXPECT_EQ(f.dialogs.shown[0].title, QStringLiteral("Data error"));
    EXPECT_EQ(f.dialogs.shown[0].text, QStringLiteral("No information database in application folder."));
}

TEST(SingleInstance, LockAndSocketInTheRuntimeFolderAndALeftoverLockIsFreeAtOnce)
{
    const QString key = QStringLiteral("lumenar-test-%1").arg(QCoreApplication::applicationPid());
    // A start killed while it wrote its lock leaves an empty file behind.
    QFile leftover(QDir(SingleInstance::folder()).filePath(key + QStringLiteral(".lock")));
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.close();
    SingleInstance first(key);
    ASSERT_TRUE(first.claim());
    const QString runtime
        = QFileInfo(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)).absoluteFilePath();
    EXPECT_EQ(QFileInfo(first.lockPath()).absolutePath(), runtime);
    EXPECT_EQ(QFileInfo(first.socketPath()).absolutePath(), runtime);
    EXPECT_TRUE(QFileInfo::exists(first.socketPath())) << "the socket is a file there, never a bare name";

    QSignalSpy shown(&first, &SingleInstance::showRequested);
    SingleInstance second(key);
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(shown.wait(3000));
}

// A signal while a modal dialog runs: the dialog closes from inside its own loop, every
// loop returns, and only then does the exit path run, once.
TEST(Shell, ASignalWhileAModalDialogRunsClosesItAndEndsOnce)
{
    TerminationSignals::install();
    const auto printWithoutPrinter = [](AppContext &context) {
        context.currentEventId = 1;
        // PDF output with no file is no printer at all, whatever the machine has.
        context.printer().setOutputFormat(QPrinter::PdfFormat);
        context.printer().setOutputFileName(QString());
        context.detailWindow()->printCurrentComment();
    };
    const std::tuple<std::function<void(AppContext &)>, bool, const char *> cases[] = {
        {printWithoutPrinter, false, "QMessageBox"},                                  // the "no printer" box
        {[](AppContext &context) { showYear(context, 1200); }, false, "QMessageBox"}, // "Year selection"
        {printWithoutPrinter, true, "QFileDialog"}, // Yes to the box: the Save-as-PDF dialog
    };
    for (const auto &[open, answerYes, dialog] : cases) {
        TerminationSignals::reset();
        Settings().setValue(Settings::Key::Variant, QString());
        TempDatabase db;
        ManualClock clock(QDate(2026, 12, 7));
        Dialogs dialogs; // the real ones: modal, each with its own event loop
        Shell shell(db.path(), clock, dialogs, Shell::Options{false, false});
        TerminationSignals terminations;
        QObject::connect(&terminations, &TerminationSignals::received, &shell, [&shell] { shell.requestExit(0); });
        ASSERT_TRUE(shell.start()) << dialog;

        QString signalledIn;
        QTimer driver;
        QObject::connect(&driver, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || !signalledIn.isEmpty())
                return;
            auto *box = qobject_cast<QMessageBox *>(modal);
            if (box && answerYes)
                return box->button(QMessageBox::Yes)->click();
            signalledIn = QString::fromLatin1(modal->metaObject()->className());
            std::raise(SIGTERM);
        });
        driver.start(20);
        QTimer::singleShot(0, &shell, [&] { open(*shell.context()); });
        // Should the request be lost, the test fails instead of waiting for ever.
        QTimer::singleShot(60000, &shell, [] { QCoreApplication::exit(99); });

        EXPECT_EQ(shell.exec(), 0) << dialog;
        EXPECT_EQ(signalledIn, QLatin1String(dialog));
        EXPECT_EQ(shell.compactions(), 1) << dialog;
        EXPECT_FALSE(anyWindowShown()) << dialog;
        EXPECT_EQ(yearRows(db), 0) << dialog;
    }
    TerminationSignals::reset();
}

TEST(Shell, ASignalAtAnyStepOfStartUpEndsItAfterThatStepThroughTheExitPath)
{
    TerminationSignals::install();
    for (int signalled = 1;; ++signalled) {
        TerminationSignals::reset();
        int last = 0;
        ShellFixture f;
        f.shell->setStopRequested(&TerminationSignals::requested);
        f.shell->setAfterStep([&](int step) {
            last = step;
            if (step == signalled)
                std::raise(SIGTERM);
        });
        ASSERT_TRUE(f.shell->start());
        if (last < signalled) {
            EXPECT_GE(signalled, 9) << "start-up has fewer steps than it used to";
            break;
        }
        EXPECT_EQ(last, signalled) << "start-up went on after the signal";
        ASSERT_TRUE(f.shell->exitRequested()) << signalled;
        // Straight to the exit path: the event loop, where the request was once lost, never runs.
        EXPECT_EQ(f.shell->exec(), 0);
        EXPECT_EQ(f.shell->compactions(), 1);
        EXPECT_EQ(yearRows(f.db), 0);
        EXPECT_FALSE(anyWindowShown());
        EXPECT_TRUE(f.dialogs.shown.isEmpty());
    }
    TerminationSignals::reset();
}

TEST(CommandLine, HelpVersionQtsOwnOptionsAndNothingElse)
{
    using Action = CommandLine::Action;
    const std::tuple<const char *, Action, const char *> cases[] = {
        {"", Action::Run, ""},
        {"--help", Action::Help, "--version"},
        {"-h", Action::Help, "Usage: lumenar"},
        {"--version", Action::Version, "lumenar 3."},
        {"-v", Action::Version, "lumenar 3."},
        // What a session manager or a user may pass to any Qt program.
        {"-session 1a2b -style=Fusion", Action::Run, ""},
        {"-platform xcb -reverse", Action::Run, ""},
        {"--bogus", Action::Refuse, "lumenar: Unknown option 'bogus' (see lumenar --help)"},
        {"2026", Action::Refuse, "takes no arguments, but was given \"2026\""},
        {"-session", Action::Refuse, "session"},
    };
    for (const auto &[arguments, action, saying] : cases) {
        const CommandLine command = parseCommandLine(
            QStringLiteral("lumenar %1").arg(QLatin1String(arguments)).split(u' ', Qt::SkipEmptyParts));
        EXPECT_EQ(command.action, action) << arguments;
        EXPECT_TRUE(command.text.contains(QLatin1String(saying))) << qPrintable(command.text);
    }

    // The program itself: --help and --version need no display and touch no running program;
    // each says what it has to say on its own stream, and nothing on the other.
    for (const auto &[argument, status, out, err] : {std::tuple{"--help", 0, "Usage: lumenar", ""},
             {"--version", 0, "lumenar 3.", ""}, {"--frobnicate", 2, "", "lumenar: Unknown option 'frobnicate'"}}) {
        QTemporaryDir home;
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(binDir() + QStringLiteral("/lumenar"), {QString::fromLatin1(argument)});
        ASSERT_TRUE(program.waitForFinished(30000)) << argument;
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), status) << argument;
        for (const auto &[text, start] :
            {std::pair{program.readAllStandardOutput(), out}, {program.readAllStandardError(), err}})
            EXPECT_TRUE(*start ? text.startsWith(start) : text.isEmpty()) << text.constData();
        EXPECT_TRUE(QDir(home.path()).isEmpty()) << "it wrote into the home or runtime folder";
    }
}

TEST(About, CreditsCloseThemselvesAndAnswerClicksAndEscape)
{
    AboutDialog about;
    about.creditsLifetimeMs = 150;
    about.show();
    EXPECT_TRUE(about.animation()->isRunning());
    about.hide();
    EXPECT_FALSE(about.animation()->isRunning()) << "a hidden animation must not wake the program";
    // The licence and its absence of warranty are said where a user looks for them.
    const QString licence = about.findChild<QLabel *>(QStringLiteral("licence"))->text();
    for (const char *words : {"GNU General Public License", "version 3 or any later version", "NO WARRANTY"})
        EXPECT_TRUE(licence.contains(QLatin1String(words))) << words;

    // Escape hides the modal credits; the loaded window then closes itself when its time is up.
    QTimer::singleShot(0, &about, [&] {
        ASSERT_TRUE(about.credits());
        QTest::mouseClick(about.credits()->label(5), Qt::LeftButton);
        EXPECT_TRUE(about.credits()->isVisible()) << "a click on the fifth label does nothing";
        QTest::keyClick(about.credits(), Qt::Key_A);
        EXPECT_TRUE(about.credits()->isVisible());
        QTest::keyClick(about.credits(), Qt::Key_Escape);
    });
    about.showCredits();
    ASSERT_TRUE(about.credits());
    EXPECT_FALSE(about.credits()->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(about.credits() == nullptr, 3000);

    // The sixth label unloads at once.
    about.creditsLifetimeMs = 60000;
    QTimer::singleShot(0, &about, [&] { QTest::mouseClick(about.credits()->label(6), Qt::LeftButton); });
    about.showCredits();
    QTRY_VERIFY_WITH_TIMEOUT(about.credits() == nullptr, 3000);
}

TEST(About, WithoutAMailProgramTheAddressIsShownToCopy)
{
    AboutDialog about;
    QList<QUrl> opened;
    about.openMail = [&](const QUrl &url) {
        opened << url;
        return false;
    };
    QString shown;
    QTimer::singleShot(0, &about, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        shown = box->text();
        EXPECT_TRUE(box->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
        for (QAbstractButton *button : box->buttons())
            if (button->text() == QStringLiteral("&Copy the Address"))
                button->click();
    });
    QGuiApplication::clipboard()->clear();
    about.findChild<QPushButton *>(QStringLiteral("Command4"))->click();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].scheme() + u':' + opened[0].path(), QStringLiteral("mailto:") + feedbackAddress());
    EXPECT_TRUE(shown.endsWith(QStringLiteral("write your opinions to ") + feedbackAddress())) << qPrintable(shown);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), feedbackAddress());
}

// Assistive technology sees each window as a window (or a dialog) and reads names as words.
TEST(Accessibility, WindowsAreWindowsAndNamesAreWords)
{
    UiFixture f;
    HelpWindow help;
    for (QWidget *window : std::initializer_list<QWidget *>{
             f.context->mainWindow(), f.context->detailWindow(), f.context->searchWindow(), &help})
        EXPECT_EQ(QAccessible::queryAccessibleInterface(window)->role(), QAccessible::Window)
            << window->metaObject()->className();
    QMenu menu; // Qt's own windows keep their roles
    menu.addAction(QStringLiteral("Entry"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&menu)->role(), QAccessible::PopupMenu);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&menu)->childCount(), 1);
    AboutDialog about;
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&about)->role(), QAccessible::Dialog);
    auto *close = about.findChild<QPushButton *>(QStringLiteral("Command2"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(close)->text(QAccessible::Name), QStringLiteral("Close"));
}
