#include "ui/search/SearchWindow.h"

#include "shell/AppContext.h"

namespace lumenar {

SearchWindow::SearchWindow(AppContext &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
{
    setWindowTitle(QStringLiteral("Search"));
}

void SearchWindow::showSearch()
{
    show();
    raise();
    activateWindow();
}

} // namespace lumenar
