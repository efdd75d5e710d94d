// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/YearCache.h"
#include "shell/HelpWindow.h"
#include "ui/WindowHost.h"
#include "ui/detail/DetailWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/search/SearchWindow.h"

#include <QMenu>
#include <QPointer>
#include <QString>
#include <memory>

class QPrinter;

namespace lumenar {

// The windows of the run and what they share: the one store connection, the assembled
// years, the printer. Each window exists once, is made on first use and hidden rather
// than closed.
class AppContext : public WindowHost
{
    Q_OBJECT
public:
    // The store stays open for the whole run.
    AppContext(Store store, const Clock &clock, Dialogs &dialogs, QObject *parent = nullptr);
    ~AppContext() override;

    const Store &store() const override { return m_store; }
    const Clock &clock() const override { return m_clock; }
    Dialogs &dialogs() const override { return m_dialogs; }
    QPrinter &printer() override;
    std::shared_ptr<const YearCalendar> calendar(Variant variant, int year) override
    {
        return m_years.year(variant, year);
    }
    int yearAssemblies() const { return m_years.assemblies(); }

    MainWindow *mainWindow();
    DetailWindow *detailWindow();
    SearchWindow *searchWindow();
    bool hasMainWindow() const { return m_main; }
    bool hasDetailWindow() const { return m_detail; }
    bool hasSearchWindow() const { return m_search; }
    void unloadMainWindow();

    void showDetail() override;
    void showSearch() override;
    void unloadDetailWindow() override;
    void unloadSearchWindow() override;
    void showHelp(const QString &topic) override;
    QMenu *commandMenu() const override { return m_commandMenu; }
    void setCommandMenu(QMenu *menu) { m_commandMenu = menu; }

private:
    Store m_store;
    const Clock &m_clock;
    Dialogs &m_dialogs;
    std::unique_ptr<QPrinter> m_printer;
    YearCache m_years{m_store};
    QPointer<MainWindow> m_main;
    QPointer<DetailWindow> m_detail;
    QPointer<SearchWindow> m_search;
    QPointer<HelpWindow> m_help;
    QPointer<QMenu> m_commandMenu;
    QList<QPointer<QWidget>> m_unloading;

    template <typename W> void unload(QPointer<W> &window);
};

} // namespace lumenar
