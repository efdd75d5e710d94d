// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Clock.h"
#include "engine/DayLookup.h"
#include "engine/YearCalendar.h"
#include "ui/Dialogs.h"

#include <QDate>
#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QMenu;
class QSplashScreen;
class QSystemTrayIcon;

namespace lumenar {

class AppContext;
class AboutDialog;

// The program as the user lives with it: the tray icon with today's day and celebrations,
// its menu, the minute timer that notices a new day, and the one way out.
class Shell : public QObject
{
    Q_OBJECT
public:
    struct Options
    {
        // Use the notification area when the desktop has one.
        bool useTray = true;
        bool showSplash = true;
    };

    Shell(const QString &databasePath, Clock &clock, Dialogs &dialogs, Options options);
    ~Shell() override;

    // Asked after each step of start-up: true ends the program there (a signal came).
    void setStopRequested(std::function<bool()> stopRequested) { m_stopRequested = std::move(stopRequested); }
    // Told the number of each step of start-up as it finishes (1, 2, ...), for tests.
    void setAfterStep(std::function<void(int)> afterStep) { m_afterStep = std::move(afterStep); }

    // Runs the start-up sequence. False when it failed; the user has been told why. A
    // request to end that comes meanwhile stops it after the current step (exitRequested()).
    bool start();
    // Runs the program until it is asked to end, then the exit path; the exit status. An
    // end asked for during start-up skips the event loop.
    int exec();

    // Left click on the tray icon (and the menu's first entry).
    void showMainWindow();
    // The minute timer's work: a new day rebuilds the year, the icon and the tooltip.
    void dayCheck();
    // Asks the program to end with this status: every open dialog is closed, and once their
    // loops and the event loop have returned, exec() runs the exit path. Only the first
    // request counts.
    void requestExit(int code);
    bool exitRequested() const { return m_exitRequested; }
    int exitCode() const { return m_exitCode; }
    // The exit path: empties the year tables, closes every window, compacts the database;
    // runs once. Never called from inside a window's handler or a dialog's loop.
    void shutdown();

    // The menu's commands.
    void saveWindowPositions();
    void defaultWindowPositions();
    void setStartAtLogin(bool enabled);
    void setupPrinter();
    void showHelp();
    void showAbout();
    void exitProgram();

    QMenu *menu() const { return m_menu.get(); }
    AppContext *context() const { return m_context.get(); }
    bool hasTray() const { return m_tray != nullptr; }
    bool isShutDown() const { return m_shutDown; }
    // What the tray shows (kept even where no tray exists, so it can be checked).
    const QIcon &trayIcon() const { return m_icon; }
    std::optional<IconColour> trayIconColour() const { return m_iconColour; }
    int trayIconDay() const { return m_iconDay; }
    const QString &trayToolTip() const { return m_toolTip; }
    QDate lastDate() const { return m_lastDate; }
    int compactions() const { return m_compactions; }

private:
    void buildMenu();
    void refreshTray();
    void SetIcon(const YearCalendar &calendar, const QDate &date);
    void applyTray();
    void endWithDataError(const QString &text);
    // The icon and tooltip of a day, from its year.
    void showDay(const YearCalendar &calendar, const QDate &date);

    QString m_databasePath;
    Clock &m_clock;
    Dialogs &m_dialogs;
    Options m_options;
    std::function<bool()> m_stopRequested;
    std::function<void(int)> m_afterStep;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<QMenu> m_menu;
    QAction *m_startAtLogin = nullptr;
    QSystemTrayIcon *m_tray = nullptr;
    QSplashScreen *m_splash = nullptr;
    QPointer<AboutDialog> m_about;
    QTimer m_timer;
    QDate m_lastDate;
    QIcon m_icon;
    std::optional<IconColour> m_iconColour;
    int m_iconDay = 0;
    QString m_toolTip;
    bool m_started = false;
    bool m_showWhenStarted = false;
    bool m_exitRequested = false;
    int m_exitCode = 0;
    bool m_running = false;
    bool m_shutDown = false;
    bool m_inDayCheck = false;
    int m_compactions = 0;
};

} // namespace lumenar
