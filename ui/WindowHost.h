// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Clock.h"
#include "engine/YearCalendar.h"
#include "store/Store.h"
#include "store/WindowPositions.h"
#include "ui/Dialogs.h"

#include <QDate>
#include <QObject>
#include <memory>

class QMenu;
class QPrinter;

namespace lumenar {

// What the windows share, and what they ask of the program around them. The shell
// answers: it makes the windows, opens the help and owns the tray's commands.
class WindowHost : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The calendar in use.
    Variant variant() const { return m_variant; }
    void setVariant(Variant variant) { m_variant = variant; }
    // The day the program works on: today, or the day chosen in the main window.
    QDate currentDate;
    // The celebration the detail window shows, by its ID in the shown year; 0 when none.
    qint32 currentEventId = 0;
    WindowPositions positions;

    virtual const Store &store() const = 0;
    virtual const Clock &clock() const = 0;
    virtual Dialogs &dialogs() const = 0;
    virtual QPrinter &printer() = 0;
    // An assembled year, built on first use (throws LumenarError).
    virtual std::shared_ptr<const YearCalendar> calendar(Variant variant, int year) = 0;
    // The year the main window shows, which the detail and search windows read; null before any.
    const std::shared_ptr<const YearCalendar> &shownCalendar() const { return m_shown; }
    void setShownCalendar(std::shared_ptr<const YearCalendar> calendar) { m_shown = std::move(calendar); }

    // The detail window for currentEventId, and the search window.
    virtual void showDetail() = 0;
    virtual void showSearch() = 0;
    // Closes a window for good; the next showing starts afresh.
    virtual void unloadDetailWindow() = 0;
    virtual void unloadSearchWindow() = 0;
    // The help at the page for `topic` ("main", "detail", "search", "tray" …).
    virtual void showHelp(const QString &topic) = 0;
    // The program's commands (the tray's menu); null where there are none.
    virtual QMenu *commandMenu() const = 0;

    void requestDayCheck() { emit dayCheckRequested(); }
    void variantChosen() { emit variantChanged(); }
    void mainWindowClosedByUser() { emit mainWindowClosed(); }

signals:
    // A window came to the front or was painted: the day may have changed meanwhile.
    void dayCheckRequested();
    void variantChanged();
    // The main window was closed by the user; without a tray that ends the program.
    void mainWindowClosed();

private:
    Variant m_variant = Variant::Universal;
    std::shared_ptr<const YearCalendar> m_shown;
};

} // namespace lumenar
