#include "ui/detail/DetailWindow.h"

#include "shell/AppContext.h"
#include "shell/WindowPlacement.h"

namespace lumenar {

DetailWindow::DetailWindow(AppContext &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
{
    setWindowTitle(QStringLiteral("Comment"));
    applyPositions();
}

void DetailWindow::showForCurrentEvent()
{
    show();
    raise();
    activateWindow();
}

void DetailWindow::storePosition()
{
    recordWindow(this, m_context.positions, xComm);
}

void DetailWindow::applyPositions()
{
    placeWindow(this, m_context.positions, xComm);
}

} // namespace lumenar
