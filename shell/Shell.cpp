#include "shell/Shell.h"

#include "engine/DateText.h"
#include "shell/AboutDialog.h"
#include "shell/AppContext.h"
#include "shell/DayIcon.h"
#include "shell/Splash.h"
#include "shell/TrayText.h"
#include "shell/WindowPlacement.h"
#include "store/Autostart.h"
#include "store/Maintenance.h"
#include "store/Settings.h"
#include "store/WindowPositions.h"
#include "ui/main/ListColours.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QMenu>
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
    PrepareDateFormat();
    if (m_options.showSplash) {
        m_splash = new QSplashScreen(splashPixmap());
        m_splash->show();
        QApplication::processEvents();
    }
    auto closeSplash = [this] {
        delete m_splash;
        m_splash = nullptr;
    };

    try {
        CuratTemp(QFileInfo(m_databasePath).absolutePath());
        const QDate today = m_clock.today();
        m_lastDate = today;
        m_context = std::make_unique<AppContext>(Store::open(m_databasePath), m_clock, m_dialogs);
        m_context->currentDate = today;
        LoadWindowPositions(m_context->store(), false, m_context->positions);
        QString variant = rememberedVariantSetting();
        m_context->currentVariant = variant.isEmpty() ? QStringLiteral("Universal") : variant;

        m_context->buildYear(m_context->variant(), today.year());
        showDay(today, dayCelebrations(m_context->store(), m_context->variant(), today));
        QApplication::processEvents();

        buildMenu();
        m_context->setCommandMenu(m_menu.get());
        // Windows ask from inside their paint and activation handlers: answer afterwards.
        connect(m_context.get(), &AppContext::dayCheckRequested, this, &Shell::dayCheck, Qt::QueuedConnection);
        connect(m_context.get(), &AppContext::variantChanged, this, &Shell::refreshTray);
        connect(m_context.get(), &AppContext::mainWindowClosed, this, [this] {
            if (!m_tray)
                exitProgram();
        });
        m_context->mainWindow();
    } catch (const LumenarError &error) {
        closeSplash();
        if (isDataError(error))
            m_dialogs.message(nullptr, QMessageBox::Critical, LumenarError::dataErrorTitle(), error.message());
        else
            m_dialogs.operationError(nullptr, QStringLiteral("StartupFormLoad"));
        m_context.reset();
        return false;
    }
    closeSplash();

    if (m_options.useTray && QSystemTrayIcon::isSystemTrayAvailable()) {
        m_tray = new QSystemTrayIcon(this);
        m_tray->setContextMenu(m_menu.get());
        connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger)
                showMainWindow();
        });
        applyTray();
        m_tray->show();
    } else {
        // Without a notification area the program would be unreachable: show the window.
        showMainWindow();
    }
    m_timer.start();
    return true;
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
    if (m_context && !m_shutDown)
        m_context->mainWindow()->showWindow();
}

void Shell::SetIcon(const QDate &date)
{
    const int code = dayColourCode(m_context->store(), m_context->variant(), date);
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

void Shell::showDay(const QDate &date, const std::vector<Celebration> &rows)
{
    SetIcon(date);
    m_toolTip = BuildTrayTooltip(rows);
}

void Shell::refreshTray()
{
    if (!m_context || m_shutDown)
        return;
    // The tray speaks of today even while the main window shows another year: build the
    // current year for the reading, then give the window its year back.
    const QDate today = m_clock.today();
    const Variant variant = m_context->variant();
    const int shown = m_context->builtYear(variant);
    try {
        m_context->ensureYear(variant, today.year());
        showDay(today, dayCelebrations(m_context->store(), variant, today));
        if (shown != 0 && shown != today.year())
            m_context->buildYear(variant, shown);
    } catch (const LumenarError &error) {
        if (isDataError(error))
            return endWithDataError(error.message());
        m_dialogs.plainError(nullptr, error.message());
    }
    applyTray();
}

void Shell::dayCheck()
{
    if (!m_context || m_shutDown || m_inDayCheck)
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
        m_context->buildYear(variant, today.year());
        const std::vector<Celebration> rows = dayCelebrations(m_context->store(), variant, today);
        if (rows.empty()) {
            m_dialogs.message(nullptr, QMessageBox::Critical, QStringLiteral("Error"),
                QStringLiteral("This date is not valid. Please contact technical service"));
            delete m_tray;
            m_tray = nullptr;
            emit quitRequested(1);
            return;
        }
        m_lastDate = today;
        showDay(today, rows);
        applyTray();
        if (followToday && main->shownYear() != today.year())
            main->goToToday();
        else
            main->refreshAfterDayChange();
    } catch (const LumenarError &error) {
        if (isDataError(error))
            return endWithDataError(error.message());
        m_dialogs.operationError(nullptr, QStringLiteral("TimeChange"));
    }
}

void Shell::endWithDataError(const QString &text)
{
    m_dialogs.message(nullptr, QMessageBox::Critical, LumenarError::dataErrorTitle(), text);
    shutdown();
    emit quitRequested(1);
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

void Shell::shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_timer.stop();
    delete m_tray;
    m_tray = nullptr;
    delete m_about.data();
    if (m_context) {
        try {
            emptyYearTables(m_context->store());
        } catch (const LumenarError &error) {
            m_dialogs.message(nullptr, QMessageBox::Critical, Dialogs::defaultTitle(),
                QStringLiteral("The calendar database could not be tidied at exit.\n%1").arg(error.fullText()));
        }
        // Closes every window and the store: the compaction needs the file to itself.
        m_context->setCommandMenu(nullptr);
        m_context.reset();
    }
    QString why;
    if (Optimizez(QFileInfo(m_databasePath).absolutePath(), &why) == CompactResult::Compacted)
        ++m_compactions;
    else
        qWarning("lumenar: the database was not compacted: %s", qPrintable(why));
    RestoreDateFormat();
}

void Shell::exitProgram()
{
    shutdown();
    emit quitRequested(0);
}

} // namespace lumenar
