// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Variant.h"
#include "engine/YearCache.h"
#include "shell/Clock.h"
#include "shell/Dialogs.h"
#include "shell/HelpWindow.h"
#include "store/Store.h"
#include "store/WindowPositions.h"
#include "ui/detail/DetailWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/search/SearchWindow.h"

#include <QDate>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class QPrinter;

namespace lumenar {

// The values every window shares, the one store connection of the run, and the windows
// themselves: each exists once, is made on first use and hidden rather than closed.
class AppContext : public QObject
{
    Q_OBJECT
public:
    // The store stays open for the whole run.
    AppContext(Store store, Clock &clock, Dialogs &dialogs, QObject *parent = nullptr);
    ~AppContext() override;

    // The calendar in use as stored: exactly "Universal" is the Universal calendar.
    QString currentVariant = QStringLiteral("Universal");
    // The day the program works on: today, or the day chosen in the main window.
    QDate currentDate;
    // The row the detail window shows; 0 when none.
    qint32 currentEventId = 0;
    WindowPositions positions;

    Variant variant() const { return variantFromSetting(currentVariant); }
    const Store &store() const { return m_store; }
    QString databaseFolder() const;
    Clock &clock() const { return m_clock; }
    Dialogs &dialogs() const { return m_dialogs; }
    QPrinter &printer();

    // An assembled year, built on first use (throws LumenarError).
    std::shared_ptr<const YearCalendar> calendar(Variant variant, int year) { return m_years.year(variant, year); }
    int yearAssemblies() const { return m_years.assemblies(); }
    // The year the main window shows, which the detail and search windows read; null before any.
    const std::shared_ptr<const YearCalendar> &shownCalendar() const { return m_shown; }
    void setShownCalendar(std::shared_ptr<const YearCalendar> calendar) { m_shown = std::move(calendar); }

    MainWindow *mainWindow();
    DetailWindow *detailWindow();
    SearchWindow *searchWindow();
    bool hasMainWindow() const { return m_main; }
    bool hasDetailWindow() const { return m_detail; }
    bool hasSearchWindow() const { return m_search; }
    void unloadMainWindow();
    void unloadDetailWindow();
    void unloadSearchWindow();

    // Opens the help window at the page for `topic` ("main", "detail", "search", "tray" …).
    void showHelp(const QString &topic);

    // The program's commands (the tray's menu); null where no shell runs.
    QMenu *commandMenu() const { return m_commandMenu; }
    void setCommandMenu(QMenu *menu) { m_commandMenu = menu; }

    // Windows call these; the shell answers through the signals.
    void requestDayCheck() { emit dayCheckRequested(); }
    void variantChosen() { emit variantChanged(); }

signals:
    void dayCheckRequested();
    void variantChanged();
    // The main window was closed by the user; without a tray that ends the program.
    void mainWindowClosed();

private:
    Store m_store;
    Clock &m_clock;
    Dialogs &m_dialogs;
    std::unique_ptr<QPrinter> m_printer;
    YearCache m_years{m_store};
    std::shared_ptr<const YearCalendar> m_shown;
    QPointer<MainWindow> m_main;
    QPointer<DetailWindow> m_detail;
    QPointer<SearchWindow> m_search;
    QPointer<HelpWindow> m_help;
    QPointer<QMenu> m_commandMenu;
    QList<QPointer<QWidget>> m_unloading;

    template <typename W> void unload(QPointer<W> &window);
};

} // namespace lumenar
