// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop shell without a notification area (offscreen): start-up, the tray's icon and
// tooltip, the menu, the day change, window places, the way out and the About windows.
#include "engine/YearAssembly.h"
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
#include <QFile>
#include <QGuiApplication>
#include <QHostInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

using namespace lumenar;
using namespace lumenar::test;

namespace {

void setVariantSetting(const QString &value)
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings settings(Settings::organization(), Settings::application());
    if (value.isNull())
        settings.remove(QStringLiteral("Setup/Implicit"));
    else
        settings.setValue(QStringLiteral("Setup/Implicit"), value);
}

// A shell over a private database with a pinned clock.
struct ShellFixture
{
    explicit ShellFixture(QDate today = QDate(2026, 12, 7), const QString &variant = QString())
        : clock(today)
    {
        setVariantSetting(variant);
        shell = std::make_unique<Shell>(db.path(), clock, dialogs, Shell::Options{false, false});
    }
    int userRows()
    {
        Store store = db.open();
        return store.scalar(QStringLiteral("SELECT count(*) FROM Parametri WHERE \"Default\" = 0")).toInt();
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
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible())
            return true;
    return false;
}

int inkPixels(const QImage &image, const QColor &ink)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y).rgb() == ink.rgb();
    return n;
}

} // namespace

TEST(Shell, MenuHoldsTheCommandsInOrder)
{
    ShellFixture f;
    ASSERT_TRUE(f.shell->start());
    QStringList captions;
    for (QAction *a : f.shell->menu()->actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(captions.join(u'|'), QStringLiteral("Lumenar |Customize|Help|About|-|Exit"));
    QStringList sub;
    for (QAction *a : f.shell->menu()->actions()[1]->menu()->actions())
        sub << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(sub.join(u'|'), QStringLiteral("Save|Default|Start at login|High contrast|-|Setup Printer"));
    EXPECT_EQ(f.shell->context()->commandMenu(), f.shell->menu());

    // "High contrast" is remembered and redraws the list at once.
    QAction *highContrast = f.shell->menu()->actions()[1]->menu()->actions()[3];
    ASSERT_FALSE(highContrast->isChecked());
    highContrast->trigger();
    EXPECT_TRUE(highContrastSetting());
    EXPECT_TRUE(f.shell->context()->mainWindow()->listModel().colours().highContrast);
    highContrast->trigger();
    EXPECT_FALSE(highContrastSetting());
    EXPECT_FALSE(f.shell->context()->mainWindow()->listModel().colours().highContrast);
}

TEST(Shell, StartUpReadsTheRememberedVariant)
{
    struct Case
    {
        QString stored;
        Variant built;
    };
    for (const Case &c : {Case{QString(), Variant::Universal}, Case{QStringLiteral("SUA"), Variant::Usa},
             Case{QStringLiteral("USA"), Variant::Usa}, Case{QStringLiteral("universal"), Variant::Usa}}) {
        ShellFixture f(QDate(2026, 12, 7), c.stored);
        ASSERT_TRUE(f.shell->start()) << qPrintable(c.stored);
        AppContext *ctx = f.shell->context();
        EXPECT_EQ(ctx->variant(), c.built) << qPrintable(c.stored);
        EXPECT_EQ(ctx->shownCalendar()->year(), 2026);
        EXPECT_EQ(ctx->shownCalendar()->variant(), c.built);
        EXPECT_EQ(ctx->currentDate, QDate(2026, 12, 7));
        // Falling back to Universal does not write the setting.
        EXPECT_EQ(Settings().text(Settings::Key::Variant), c.stored);
        EXPECT_TRUE(f.dialogs.shown.isEmpty());
    }
}

TEST(Shell, TrayShowsTodaysIconAndCelebrations)
{
    struct Case
    {
        QDate day;
        IconColour colour;
        QString tooltip;
    };
    const Case cases[] = {
        {QDate(2026, 12, 1), IconColour::Blue,
            QStringLiteral("Tuesday of the First Week of Advent\nAdvent · Year B · Weekday I · Psalter week 1")},
        {QDate(2026, 1, 14), IconColour::Green,
            QStringLiteral("Wednesday of the First Week of Ordinary Time\n"
                           "Ordinary Time · Year A · Weekday II · Psalter week 1")},
        {QDate(2026, 12, 26), IconColour::Red,
            QStringLiteral("St. Stephen, the First Martyr\nChristmas Time · Year B · Weekday I · Psalter week 4")},
        {QDate(2026, 12, 25), IconColour::Black,
            QStringLiteral("The Nativity of the Lord (Christmas)\n"
                           "Christmas Time · Year B · Weekday I · Psalter week 4 · Holy day of obligation")},
    };
    for (const Case &c : cases) {
        ShellFixture f(c.day);
        ASSERT_TRUE(f.shell->start());
        EXPECT_EQ(f.shell->trayIconColour(), c.colour) << qPrintable(c.day.toString());
        EXPECT_EQ(f.shell->trayIconDay(), c.day.day());
        EXPECT_EQ(f.shell->trayToolTip(), c.tooltip);
        EXPECT_FALSE(f.shell->trayIcon().isNull());
    }
}

TEST(Shell, TooltipListsTrimmedNamesOnePerLineThenTheDetails)
{
    std::vector<Celebration> rows(5);
    for (int i = 0; i < 5; ++i)
        rows[i].name = QStringLiteral("  Name %1 ").arg(i);
    EXPECT_EQ(BuildTrayTooltip(rows), QStringLiteral("Name 0\nName 1\nName 2\nName 3\nName 4"));
    EXPECT_EQ(
        BuildTrayTooltip(rows, QStringLiteral("Lent")), QStringLiteral("Name 0\nName 1\nName 2\nName 3\nName 4\nLent"));
    EXPECT_EQ(BuildTrayTooltip({}), QString());
    EXPECT_EQ(BuildTrayTooltip({}, QStringLiteral("Lent")), QStringLiteral("Lent"));
}

TEST(DayIcon, PageFrameRingsAndDigitsInTheDayColour)
{
    for (IconColour colour : {IconColour::Black, IconColour::Green, IconColour::Blue, IconColour::Red}) {
        for (int size : {16, 22, 24, 32, 48, 64}) {
            const QImage icon = renderDayIcon(28, colour, size);
            ASSERT_EQ(icon.size(), QSize(size, size));
            // Frame: the left edge half-way down is black; the page is white.
            EXPECT_EQ(icon.pixelColor(0, size / 2).rgb(), QColor(Qt::black).rgb()) << size;
            EXPECT_GT(inkPixels(icon, Qt::white), size * size / 5) << size;
            // The rings stand above the page: the top row is not all transparent.
            bool ring = false;
            for (int x = 0; x < size; ++x)
                ring |= icon.pixelColor(x, 0).alpha() > 0;
            EXPECT_TRUE(ring) << size;
            // The digits are drawn in the day's ink, and take a fair share of the page.
            EXPECT_GT(inkPixels(icon, iconInk(colour)), size * size / 20) << size;
        }
    }
    EXPECT_EQ(iconInk(IconColour::Blue), QColor(0, 0, 255));
    EXPECT_EQ(iconInk(IconColour::Red), QColor(255, 0, 0));
    EXPECT_EQ(iconInk(IconColour::Green), QColor(0, 128, 0));
    EXPECT_EQ(dayIcon(3, IconColour::Green).pixmap(22, 22).size(), QSize(22, 22));
}

TEST(Shell, DayChangeRebuildsOnlyOnANewDay)
{
    ShellFixture f(QDate(2026, 12, 31));
    ASSERT_TRUE(f.shell->start());
    AppContext *ctx = f.shell->context();
    const int builds = ctx->yearAssemblies();
    f.shell->dayCheck();
    EXPECT_EQ(ctx->yearAssemblies(), builds) << "a tick on the same day does no database work";

    // Past midnight into a new year.
    f.clock.set(QDate(2027, 1, 1));
    f.shell->dayCheck();
    EXPECT_EQ(ctx->shownCalendar()->year(), 2027);
    EXPECT_EQ(f.shell->lastDate(), QDate(2027, 1, 1));
    EXPECT_EQ(f.shell->trayToolTip(),
        QStringLiteral("Mary, the Holy Mother of God\n"
                       "Christmas Time · Year B · Weekday I · Psalter week 1 · Holy day of obligation"));
    EXPECT_EQ(ctx->mainWindow()->shownYear(), 2027) << "the window showed today's year: it follows";

    // The clock set back a day counts as a change too.
    f.clock.set(QDate(2026, 12, 26));
    f.shell->dayCheck();
    EXPECT_EQ(ctx->shownCalendar()->year(), 2026);
    EXPECT_EQ(f.shell->trayIconColour(), IconColour::Red);
    EXPECT_EQ(f.shell->trayIconDay(), 26);

    // A window on another year keeps it; the tray still speaks of today.
    MainWindow *main = ctx->mainWindow();
    main->findChild<YearBox *>(QStringLiteral("Text1"))->setYear(1700);
    main->applyYearBox();
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
    ASSERT_TRUE(f.shell->start());
    f.shell->saveWindowPositions();
    f.shell->saveWindowPositions();
    EXPECT_EQ(f.userRows(), 8);
    {
        Store store = f.db.open();
        QSqlQuery q
            = store.exec(QStringLiteral("SELECT parametru FROM Parametri WHERE \"Default\" = 0 ORDER BY rowid"));
        QStringList names;
        while (q.next())
            names << q.value(0).toString();
        EXPECT_EQ(names.join(u','), QStringLiteral("xMain,yMain,wMain,hMain,xComm,yComm,wComm,hComm"));
    }
    // The saved rows win over the delivered ones at the next start; Default writes nothing.
    WindowPositions loaded;
    EXPECT_TRUE(LoadWindowPositions(f.shell->context()->store(), false, loaded));
    f.shell->defaultWindowPositions();
    EXPECT_EQ(f.userRows(), 8);

    const WindowPositions p = DefaultWindowPositions(19200, 14400);
    const WindowPositions wide = DefaultWindowPositions(38400, 14400);
    EXPECT_DOUBLE_EQ(p[xMain], 3840);
    EXPECT_DOUBLE_EQ(p[yMain], 1800);
    EXPECT_DOUBLE_EQ(p[wMain], 11520);
    EXPECT_DOUBLE_EQ(p[hMain], 10800);
    EXPECT_DOUBLE_EQ(p[xComm], 1920);
    EXPECT_DOUBLE_EQ(p[yComm], 3600);
    EXPECT_DOUBLE_EQ(p[wComm], 15360);
    EXPECT_DOUBLE_EQ(p[hComm], 7200);
    for (Position x : {xMain, wMain, xComm, wComm})
        EXPECT_DOUBLE_EQ(wide[x], 2 * p[x]);
    for (Position y : {yMain, hMain, yComm, hComm})
        EXPECT_DOUBLE_EQ(wide[y], p[y]);
}

TEST(WindowPlacement, SavedPlacesMissingNamesAndUnreachableWindows)
{
    TempDatabase db;
    Store store = db.open();
    WindowPositions p;
    EXPECT_FALSE(LoadWindowPositions(store, false, p));
    EXPECT_DOUBLE_EQ(p[wMain], 9600);
    // User rows without hComm: hComm keeps what it had, not the delivered value.
    store.run(QStringLiteral("INSERT INTO Parametri (parametru, valoare) VALUES ('xMain', 100)"));
    WindowPositions q;
    EXPECT_TRUE(LoadWindowPositions(store, false, q));
    EXPECT_DOUBLE_EQ(q[xMain], 100);
    EXPECT_DOUBLE_EQ(q[hComm], 0);
}

TEST(WindowPlacement, APlaceOutOfReachIsBroughtOntoTheNearestScreen)
{
    const QRect screen(0, 0, 1280, 800);
    const QRect right(1280, 0, 1920, 1080);
    const int title = 30;
    const struct
    {
        const char *what;
        QRect frame;
        QList<QRect> screens;
        QRect placed;
    } cases[] = {
        {"on its screen", {100, 100, 640, 480}, {screen}, {100, 100, 640, 480}},
        {"on the second screen", {2000, 100, 640, 480}, {screen, right}, {2000, 100, 640, 480}},
        {"across both screens", {1000, 100, 640, 480}, {screen, right}, {1000, 100, 640, 480}},
        {"partly out, title and most on", {700, 400, 640, 480}, {screen}, {700, 400, 640, 480}},
        {"title bar above the screen", {100, -20, 640, 480}, {screen}, {100, 0, 640, 480}},
        {"only the title bar on", {100, 700, 640, 480}, {screen}, {100, 320, 640, 480}},
        {"most of it off to the left", {-400, 100, 640, 480}, {screen}, {0, 100, 640, 480}},
        // Saved at 1x on this screen, started at 2x: every size doubled against the screen.
        {"larger than the screen", {512, 200, 1536, 1200}, {QRect(0, 0, 640, 400)}, {0, 0, 640, 400}},
        {"its screen unplugged", {2400, 900, 640, 480}, {screen}, {640, 320, 640, 480}},
        {"unplugged, nearest is the second", {3400, 100, 640, 480}, {screen, right}, {2560, 100, 640, 480}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(reachableRect(c.frame, c.screens, title), c.placed) << c.what;
}

TEST(WindowPlacement, AWindowWhoseTitleBarWasKeptOffScreenOpensBelowItsTopAndTheKeptValuesStay)
{
    UiFixture f;
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const double dx = screenDpiX(), dy = screenDpiY();
    WindowPositions &p = f.context->positions;
    p[xMain] = pixelsToTwips(available.left() + 10, dx);
    p[yMain] = pixelsToTwips(available.top() - 20, dy);
    p[wMain] = pixelsToTwips(400, dx);
    p[hMain] = pixelsToTwips(300, dy);
    const WindowPositions kept = p;
    MainWindow *w = f.context->mainWindow();
    EXPECT_EQ(w->pos(), available.topLeft() + QPoint(10, 0));
    EXPECT_EQ(w->size(), QSize(400, 300));
    EXPECT_EQ(p.values, kept.values);
}

TEST(Shell, WithoutATrayTheMainWindowShowsAndClosingItEnds)
{
    ShellFixture f;
    ASSERT_TRUE(f.shell->start());
    EXPECT_FALSE(f.shell->hasTray());
    EXPECT_TRUE(f.shell->context()->mainWindow()->isVisible());
    emit f.shell->context()->mainWindowClosed();
    EXPECT_TRUE(f.shell->exitRequested());
    EXPECT_FALSE(f.shell->isShutDown()) << "not from inside the window's own handler";
    EXPECT_EQ(f.shell->exec(), 0);
    EXPECT_TRUE(f.shell->isShutDown());
}

TEST(Shell, ExitEmptiesTheYearTablesAndCompactsOnce)
{
    ShellFixture f;
    ASSERT_TRUE(f.shell->start());
    f.shell->context()->detailWindow();
    f.shell->exitProgram();
    f.shell->requestExit(1); // only the first request counts
    EXPECT_EQ(f.shell->exec(), 0);
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
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    EXPECT_EQ(QFileInfo(first.lockPath()).absolutePath(), QFileInfo(runtime).absoluteFilePath());
    EXPECT_EQ(QFileInfo(first.socketPath()).absolutePath(), QFileInfo(runtime).absoluteFilePath());
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
    struct Case
    {
        const char *name;
        std::function<void(AppContext &)> open;
        bool answerYes; // to the "no printer" box, which then asks for a PDF file
        const char *dialog;
    };
    auto printWithoutPrinter = [](AppContext &context) {
        context.currentEventId = 1;
        // PDF output with no file is no printer at all, whatever the machine has.
        context.printer().setOutputFormat(QPrinter::PdfFormat);
        context.printer().setOutputFileName(QString());
        context.detailWindow()->printCurrentComment();
    };
    auto showYear1200 = [](AppContext &context) {
        MainWindow *main = context.mainWindow();
        main->findChild<YearBox *>(QStringLiteral("Text1"))->setYear(1200);
        main->applyYearBox();
    };
    const Case cases[] = {
        {"no printer box", printWithoutPrinter, false, "QMessageBox"},
        {"Year selection box", showYear1200, false, "QMessageBox"},
        {"Save-as-PDF dialog", printWithoutPrinter, true, "QFileDialog"},
    };
    for (const Case &c : cases) {
        TerminationSignals::reset();
        setVariantSetting(QString());
        TempDatabase db;
        ManualClock clock(QDate(2026, 12, 7));
        Dialogs dialogs; // the real ones: modal, each with its own event loop
        Shell shell(db.path(), clock, dialogs, Shell::Options{false, false});
        TerminationSignals terminations;
        QObject::connect(&terminations, &TerminationSignals::received, &shell, [&shell] { shell.requestExit(0); });
        ASSERT_TRUE(shell.start()) << c.name;

        QString signalledIn;
        QTimer driver;
        QObject::connect(&driver, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || !signalledIn.isEmpty())
                return;
            auto *box = qobject_cast<QMessageBox *>(modal);
            if (box && c.answerYes)
                return box->button(QMessageBox::Yes)->click();
            signalledIn = QString::fromLatin1(modal->metaObject()->className());
            std::raise(SIGTERM);
        });
        driver.start(20);
        QTimer::singleShot(0, &shell, [&] { c.open(*shell.context()); });
        // Should the request be lost, the test fails instead of waiting for ever.
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        watchdog.start(60000);

        EXPECT_EQ(shell.exec(), 0) << c.name;
        EXPECT_EQ(signalledIn, QLatin1String(c.dialog)) << c.name;
        EXPECT_EQ(shell.compactions(), 1) << c.name;
        EXPECT_FALSE(anyWindowShown()) << c.name;
        EXPECT_EQ(yearRows(db), 0) << c.name;
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
    struct Case
    {
        QStringList arguments;
        Action action;
        const char *saying;
    };
    const Case cases[] = {
        {{}, Action::Run, ""},
        {{QStringLiteral("--help")}, Action::Help, "--version"},
        {{QStringLiteral("-h")}, Action::Help, "Usage: lumenar"},
        {{QStringLiteral("--version")}, Action::Version, "lumenar 3."},
        {{QStringLiteral("-v")}, Action::Version, "lumenar 3."},
        // What a session manager or a user may pass to any Qt program.
        {{QStringLiteral("-session"), QStringLiteral("1a2b"), QStringLiteral("-style=Fusion")}, Action::Run, ""},
        {{QStringLiteral("-platform"), QStringLiteral("xcb"), QStringLiteral("-reverse")}, Action::Run, ""},
        {{QStringLiteral("--bogus")}, Action::Refuse, "lumenar: Unknown option 'bogus' (see lumenar --help)"},
        {{QStringLiteral("2026")}, Action::Refuse, "takes no arguments, but was given \"2026\""},
        {{QStringLiteral("-session")}, Action::Refuse, "session"},
    };
    for (const Case &c : cases) {
        const CommandLine command = parseCommandLine(QStringList{QStringLiteral("lumenar")} + c.arguments);
        EXPECT_EQ(command.action, c.action) << qPrintable(c.arguments.join(u' '));
        EXPECT_TRUE(command.text.contains(QLatin1String(c.saying))) << qPrintable(command.text);
    }
}

// The program itself: --help and --version need no display and touch no running program.
TEST(CommandLine, TheProgramAnswersWithoutADisplay)
{
    struct Case
    {
        const char *argument;
        int status;
        const char *out;
        const char *err;
    };
    for (const Case &c : {Case{"--help", 0, "Usage: lumenar", ""}, Case{"--version", 0, "lumenar 3.", ""},
             Case{"--frobnicate", 2, "", "lumenar: Unknown option 'frobnicate'"}}) {
        QTemporaryDir home;
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(binDir() + QStringLiteral("/lumenar"), {QString::fromLatin1(c.argument)});
        ASSERT_TRUE(program.waitForFinished(30000)) << c.argument;
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), c.status) << c.argument;
        // Each says what it has to say on its own stream, and nothing on the other.
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        const QString err = QString::fromUtf8(program.readAllStandardError());
        EXPECT_TRUE(*c.out ? out.startsWith(QLatin1String(c.out)) : out.isEmpty()) << qPrintable(out);
        EXPECT_TRUE(*c.err ? err.startsWith(QLatin1String(c.err)) : err.isEmpty()) << qPrintable(err);
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
    const QLabel *licence = about.findChild<QLabel *>(QStringLiteral("licence"));
    ASSERT_TRUE(licence);
    EXPECT_TRUE(licence->text().contains(QLatin1String("GNU General Public License"))
        && licence->text().contains(QLatin1String("version 3 or any later version"))
        && licence->text().contains(QLatin1String("NO WARRANTY")))
        << qPrintable(licence->text());

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
        for (QAbstractButton *button : box->buttons()) {
            if (button->text() == QStringLiteral("&Copy the Address"))
                button->click();
        }
    });
    QGuiApplication::clipboard()->clear();
    about.findChild<QPushButton *>(QStringLiteral("Command4"))->click();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(opened[0].path(), feedbackAddress());
    EXPECT_EQ(shown,
        QStringLiteral("No e-mail program is set up on this computer.\n\nPlease write your opinions to ")
            + feedbackAddress());
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
