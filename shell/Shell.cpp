// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Shell.h"

#include "engine/DateText.h"
#include "shell/AboutDialog.h"
#include "shell/AppContext.h"
#include "shell/DayIcon.h"
#include "shell/Splash.h"
#include "shell/TrayText.h"
#include "store/Autostart.h"
#include "store/Log.h"
#include "store/Maintenance.h"
#include "store/Settings.h"
#include "store/WindowPositions.h"
#include "ui/WindowPlacement.h"
#include "ui/main/ListColours.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QScopeGuard>
#include <QScreen>
#include <QSplashScreen>
#include <QSystemTrayIcon>

namespace lumenar {

namespace {
bool isDataError(const LumenarError &error)
{
    return error.kind() == ErrorKind::StoreUnavailable || error.kind() == ErrorKind::BadData;
}
} // namespace

Shell::Shell(const QString &databasePath, Clock &clock, Dialogs &dialogs, Options options)
    : m_databasePath(databasePath)
    , m_clock(clock)
    , m_dialogs(dialogs)
    , m_options(options)
{
    m_timer.setInterval(60 * 1000);
    // A coarse timer lets the system batch the wake-ups of an idle program.
    m_timer.setTimerType(Qt::VeryCoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Shell::dayCheck);
}

Shell::~Shell()
{
    delete m_tray;
    delete m_about.data();
    delete m_splash;
    m_context.reset();
}

bool Shell::start()
{
    // A request to end (a signal) is acted on between steps: the step under way finishes,
    // the rest is skipped, and exec() runs the exit path without entering the event loop.
    int step = 0;
    auto stopHere = [this, &step] {
        if (m_afterStep)
            m_afterStep(++step);
        if (!m_exitRequested && m_stopRequested && m_stopRequested())
            requestExit(0);
        return m_exitRequested;
    };
    auto closeSplash = [this] {
        delete m_splash;
        m_splash = nullptr;
    };
    auto splashGone = qScopeGuard(closeSplash);

    if (m_options.showSplash) {
        m_splash = new QSplashScreen(splashPixmap());
        m_splash->show();
        QApplication::processEvents();
    }
    if (stopHere())
        return true;

    try {
        CuratTemp(QFileInfo(m_databasePath).absolutePath());
        if (stopHere())
            return true;
        const QDate today = m_clock.today();
        m_lastDate = today;
        m_context = std::make_unique<AppContext>(Store::open(m_databasePath), m_clock, m_dialogs);
        m_context->currentDate = today;
        LoadWindowPositions(m_context->store(), false, m_context->positions);
        m_context->setVariant(variantFromSetting(Settings().text(Settings::Key::Variant)));
        if (stopHere())
            return true;

        showDay(*m_context->calendar(m_context->variant(), today.year()), today);
        if (stopHere())
            return true;
        QApplication::processEvents();
        if (stopHere())
            return true;

        buildMenu();
        m_context->setCommandMenu(m_menu.get());
        // Windows ask from inside their paint and activation handlers: answer afterwards.
        connect(m_context.get(), &AppContext::dayCheckRequested, this, &Shell::dayCheck, Qt::QueuedConnection);
        connect(m_context.get(), &AppContext::variantChanged, this, &Shell::refreshTray);
        connect(m_context.get(), &AppContext::mainWindowClosed, this, [this] {
            if (!m_tray)
                exitProgram();
        });
        if (stopHere())
            return true;
        m_context->mainWindow();
        if (stopHere())
            return true;
    } catch (const LumenarError &error) {
        logCaught("Shell::start", error);
        closeSplash();
        if (isDataError(error))
            m_dialogs.message(nullptr, QMessageBox::Critical, LumenarError::dataErrorTitle(), error.message());
        else
            m_dialogs.operationError(nullptr, QStringLiteral("StartupFormLoad"));
        m_context.reset();
        return false;
    }
    closeSplash();

    m_started = true;
    if (m_options.useTray && QSystemTrayIcon::isSystemTrayAvailable()) {
        m_tray = new QSystemTrayIcon(this);
        m_tray->setContextMenu(m_menu.get());
        connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger)
                showMainWindow();
        });
        applyTray();
        m_tray->show();
        if (m_showWhenStarted)
            showMainWindow();
    } else {
        // Without a notification area the program would be unreachable: show the window.
        showMainWindow();
    }
    m_timer.start();
    stopHere();
    return true;
}

int Shell::exec()
{
    if (!m_exitRequested && m_stopRequested && m_stopRequested())
        requestExit(0);
    if (!m_exitRequested) {
        m_running = true;
        const int code = QCoreApplication::exec();
        m_running = false;
        // Ended from outside (the session quit the application): an ordinary end.
        if (!m_exitRequested)
            m_exitCode = code;
    }
    shutdown();
    return m_exitCode;
}

void Shell::buildMenu()
{
    m_menu = std::make_unique<QMenu>();
    m_menu->setObjectName(QStringLiteral("mnuPop_Form"));
    m_menu->addAction(QStringLiteral("Lumenar "), this, &Shell::showMainWindow);
    QMenu *customize = m_menu->addMenu(QStringLiteral("Customize"));
    customize->addAction(QStringLiteral("Save"), this, &Shell::saveWindowPositions);
    customize->addAction(QStringLiteral("Default"), this, &Shell::defaultWindowPositions);
    m_startAtLogin = customize->addAction(QStringLiteral("Start at login"));
    m_startAtLogin->setCheckable(true);
    m_startAtLogin->setChecked(autostartEnabled());
    connect(m_startAtLogin, &QAction::triggered, this, &Shell::setStartAtLogin);
    // The entry may be removed behind our back (a settings panel): look again each time.
    connect(m_menu.get(), &QMenu::aboutToShow, this, [this] { m_startAtLogin->setChecked(autostartEnabled()); });
    connect(customize, &QMenu::aboutToShow, this, [this] { m_startAtLogin->setChecked(autostartEnabled()); });
    QAction *highContrast = customize->addAction(QStringLiteral("High contrast"));
    highContrast->setObjectName(QStringLiteral("HighContrast"));
    highContrast->setCheckable(true);
    highContrast->setChecked(highContrastSetting());
    connect(highContrast, &QAction::toggled, this, [this](bool on) {
        saveHighContrastSetting(on);
        if (m_context && m_context->hasMainWindow())
            m_context->mainWindow()->applyListColours();
    });
    customize->addSeparator();
    customize->addAction(QStringLiteral("Setup Printer"), this, &Shell::setupPrinter);
    m_menu->addAction(QStringLiteral("Help"), this, &Shell::showHelp);
    m_menu->addAction(QStringLiteral("About"), this, &Shell::showAbout);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("Exit"), this, &Shell::exitProgram);
}

void Shell::showMainWindow()
{
    // A second start may ask while this one is still starting: show it once started.
    if (!m_started) {
        m_showWhenStarted = true;
        return;
    }
    if (m_context && !m_exitRequested)
        m_context->mainWindow()->showWindow();
}

void Shell::SetIcon(const YearCalendar &calendar, const QDate &date)
{
    const int code = calendar.dayColour(date);
    std::optional<IconColour> colour = iconColourForCode(code);
    // Only four colours have icons; any other code keeps the icon the tray shows, and the
    // first icon of a run falls back to black rather than leave the tray empty.
    if (!colour && m_iconColour)
        return;
    m_iconColour = colour.value_or(IconColour::Black);
    m_iconDay = date.day();
    m_icon = dayIcon(m_iconDay, *m_iconColour);
    // The windows' title bars and the task bar show today's page too.
    QApplication::setWindowIcon(m_icon);
}

void Shell::applyTray()
{
    if (!m_tray)
        return;
    m_tray->setIcon(m_icon);
    m_tray->setToolTip(m_toolTip);
}

void Shell::showDay(const YearCalendar &calendar, const QDate &date)
{
    SetIcon(calendar, date);
    const std::optional<DayDetails> details = calendar.details(date);
    m_toolTip = BuildTrayTooltip(calendar.day(date), details ? dayDetailsLine(*details) : QString());
}

void Shell::refreshTray()
{
    if (!m_context || m_exitRequested)
        return;
    // The tray speaks of today even while the main window shows another year.
    const QDate today = m_clock.today();
    try {
        showDay(*m_context->calendar(m_context->variant(), today.year()), today);
    } catch (const LumenarError &error) {
        logCaught("Shell::refreshTray", error);
        if (isDataError(error))
            return endWithDataError(error.message());
        m_dialogs.plainError(nullptr, error.message());
    }
    applyTray();
}

void Shell::dayCheck()
{
    if (!m_context || m_exitRequested || m_inDayCheck)
        return;
    const QDate today = m_clock.today();
    if (m_lastDate.daysTo(today) == 0)
        return;
    m_inDayCheck = true;
    auto done = qScopeGuard([this] { m_inDayCheck = false; });

    const Variant variant = m_context->variant();
    MainWindow *main = m_context->mainWindow();
    // A window that showed the old today's year moves on with it; any other year stays.
    const bool followToday = main->shownYear() == m_lastDate.year();
    try {
        m_context->currentDate = today;
        const std::shared_ptr<const YearCalendar> year = m_context->calendar(variant, today.year());
        if (year->day(today).empty()) {
            m_dialogs.message(nullptr, QMessageBox::Critical, QStringLiteral("Error"),
                QStringLiteral("This date is not valid. Please contact technical service"));
            requestExit(1);
            return;
        }
        m_lastDate = today;
        showDay(*year, today);
        applyTray();
        if (followToday && main->shownYear() != today.year())
            main->goToToday();
        else
            main->refreshAfterDayChange();
    } catch (const LumenarError &error) {
        logCaught("Shell::dayCheck", error);
        if (isDataError(error))
            return endWithDataError(error.message());
        m_dialogs.operationError(nullptr, QStringLiteral("TimeChange"));
    }
}

void Shell::endWithDataError(const QString &text)
{
    m_dialogs.message(nullptr, QMessageBox::Critical, LumenarError::dataErrorTitle(), text);
    requestExit(1);
}

void Shell::saveWindowPositions()
{
    if (!m_context)
        return;
    m_context->mainWindow()->storePosition();
    m_context->detailWindow()->storePosition();
    try {
        SaveWindowPositions(m_context->store(), m_context->positions);
    } catch (const LumenarError &error) {
        logCaught("Shell::saveWindowPositions", error);
        m_dialogs.message(nullptr, QMessageBox::Warning, Dialogs::defaultTitle(),
            QStringLiteral("The window positions could not be saved.\n%1").arg(error.fullText()));
    }
}

void Shell::defaultWindowPositions()
{
    if (!m_context)
        return;
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize size = screen->geometry().size();
    m_context->positions = DefaultWindowPositions(
        int(pixelsToTwips(size.width(), screenDpiX())), int(pixelsToTwips(size.height(), screenDpiY())));
    m_context->mainWindow()->applyPositions();
    m_context->detailWindow()->applyPositions();
}

void Shell::setStartAtLogin(bool enabled)
{
    try {
        setAutostartEnabled(enabled);
    } catch (const LumenarError &error) {
        logCaught("Shell::setStartAtLogin", error);
        m_dialogs.message(nullptr, QMessageBox::Warning, Dialogs::defaultTitle(), error.message());
    }
    m_startAtLogin->setChecked(autostartEnabled());
}

void Shell::setupPrinter()
{
    if (m_context)
        m_dialogs.printerSetup(nullptr, m_context->printer());
}

void Shell::showHelp()
{
    if (m_context)
        m_context->showHelp(QStringLiteral("tray"));
}

void Shell::showAbout()
{
    if (!m_about)
        m_about = new AboutDialog();
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void Shell::requestExit(int code)
{
    if (m_exitRequested)
        return;
    m_exitRequested = true;
    m_exitCode = code;
    m_timer.stop();
    // A modal dialog runs its own event loop with its window's code beneath it on the
    // stack: closing windows from in there would pull them from under that code. Close
    // the dialogs, let every loop return, and tidy up after the last one.
    m_dialogs.closeAll();
    if (m_running)
        QCoreApplication::exit(code);
}

void Shell::shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_exitRequested = true;
    m_dialogs.closeAll();
    m_timer.stop();
    delete m_tray;
    m_tray = nullptr;
    delete m_about.data();
    if (m_context) {
        try {
            emptyYearTables(m_context->store());
        } catch (const LumenarError &error) {
            // The user has asked to leave (or the session ends): no box may hold that up.
            logCaught("Shell::shutdown", error);
        }
        // Closes every window and the store: the compaction needs the file to itself.
        m_context->setCommandMenu(nullptr);
        m_context.reset();
    }
    QString why;
    if (Optimizez(QFileInfo(m_databasePath).absolutePath(), &why) == CompactResult::Compacted)
        ++m_compactions;
    else
        qCWarning(lcLumenar, "the database was not compacted: %s", qPrintable(why));
}

void Shell::exitProgram()
{
    requestExit(0);
}

} // namespace lumenar
