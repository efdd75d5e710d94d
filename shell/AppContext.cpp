// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/AppContext.h"

#include "shell/HelpWindow.h"
#include "ui/detail/DetailWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/search/SearchWindow.h"

#include <QPrinter>

namespace lumenar {

AppContext::AppContext(Store store, const Clock &clock, Dialogs &dialogs, QObject *parent)
    : WindowHost(parent)
    , m_store(std::move(store))
    , m_clock(clock)
    , m_dialogs(dialogs)
{
    currentDate = m_clock.today();
}

AppContext::~AppContext()
{
    // Windows hold references to this context: they go first.
    delete m_search.data();
    delete m_detail.data();
    delete m_main.data();
    delete m_help.data();
    for (const QPointer<QWidget> &window : std::as_const(m_unloading))
        delete window.data();
}

QPrinter &AppContext::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

MainWindow *AppContext::mainWindow()
{
    if (!m_main)
        m_main = new MainWindow(*this);
    return m_main;
}

DetailWindow *AppContext::detailWindow()
{
    if (!m_detail)
        m_detail = new DetailWindow(*this);
    return m_detail;
}

SearchWindow *AppContext::searchWindow()
{
    if (!m_search)
        m_search = new SearchWindow(*this);
    return m_search;
}

template <typename W> void AppContext::unload(QPointer<W> &window)
{
    if (!window)
        return;
    W *w = window.data();
    window.clear();
    w->hide();
    // A window may ask for its own unloading from one of its handlers: it goes once that
    // handler has returned, or with this context, whichever comes first.
    w->deleteLater();
    m_unloading.append(w);
}

void AppContext::showDetail()
{
    detailWindow()->showForCurrentEvent();
}

void AppContext::showSearch()
{
    searchWindow()->showSearch();
}

void AppContext::unloadMainWindow()
{
    unload(m_main);
}
void AppContext::unloadDetailWindow()
{
    unload(m_detail);
}
void AppContext::unloadSearchWindow()
{
    unload(m_search);
}

void AppContext::showHelp(const QString &topic)
{
    if (!m_help)
        m_help = new HelpWindow();
    m_help->showTopic(topic);
}

} // namespace lumenar
