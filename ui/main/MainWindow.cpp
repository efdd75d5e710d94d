#include "ui/main/MainWindow.h"

#include "shell/AppContext.h"
#include "shell/WindowPlacement.h"

namespace lumenar {

MainWindow::MainWindow(AppContext &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
{
    setWindowTitle(QStringLiteral("Lumenar"));
    m_shownYear = m_context.clock().today().year();
    applyPositions();
}

void MainWindow::InitGrid() { }

void MainWindow::AfisezDataCurenta(int) { }

void MainWindow::refreshAfterDayChange()
{
    InitGrid();
}

void MainWindow::showWindow()
{
    show();
    raise();
    activateWindow();
}

void MainWindow::storePosition()
{
    recordWindow(this, m_context.positions, xMain);
}

void MainWindow::applyPositions()
{
    placeWindow(this, m_context.positions, xMain);
}

} // namespace lumenar
