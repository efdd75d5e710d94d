// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/DayLookup.h"
#include "shell/Clock.h"
#include "shell/Dialogs.h"

#include <QDate>
#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QTimer>
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

    // Runs the start-up sequence. False when it failed; the user has been told why.
    bool start();

    // Left click on the tray icon (and the menu's first entry).
    void showMainWindow();
    // The minute timer's work: a new day rebuilds the year, the icon and the tooltip.
    void dayCheck();
    // Empties the year tables, closes every window, compacts the database; runs once.
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

signals:
    // The program should end with this exit code.
    void quitRequested(int code);

private:
    void buildMenu();
    void refreshTray();
    void SetIcon(const QDate &date);
    void applyTray();
    void endWithDataError(const QString &text);
    // The icon and tooltip of a day, from its rows.
    void showDay(const QDate &date, const std::vector<Celebration> &rows);

    QString m_databasePath;
    Clock &m_clock;
    Dialogs &m_dialogs;
    Options m_options;
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
    bool m_shutDown = false;
    bool m_inDayCheck = false;
    int m_compactions = 0;
};

} // namespace lumenar
