// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace lumenar {

QRect reachableRect(const QRect &wanted, const QList<QRect> &screens, const QRect &primary)
{
    // A title bar's worth must be visible for the user to drag the window back.
    constexpr int kGrip = 48;
    for (const QRect &screen : screens) {
        const QRect common = screen.intersected(wanted);
        if (common.width() >= std::min(kGrip, wanted.width()) && common.height() >= std::min(kGrip, wanted.height()))
            return wanted;
    }
    QRect placed(QPoint(), wanted.size().boundedTo(primary.size()));
    placed.moveCenter(primary.center());
    return placed;
}

double screenDpiX()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

double screenDpiY()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

void placeWindow(QWidget *window, const WindowPositions &p, Position first)
{
    const auto at = [&](int offset) { return p[static_cast<Position>(first + offset)]; };
    if (at(2) <= 0 || at(3) <= 0)
        return;
    const double dx = screenDpiX();
    const double dy = screenDpiY();
    QRect wanted(qRound(twipsToPixels(at(0), dx)), qRound(twipsToPixels(at(1), dy)), qRound(twipsToPixels(at(2), dx)),
        qRound(twipsToPixels(at(3), dy)));
    QList<QRect> screens;
    for (QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    QScreen *primary = QGuiApplication::primaryScreen();
    if (primary && !screens.isEmpty())
        wanted = reachableRect(wanted, screens, primary->availableGeometry());
    window->move(wanted.topLeft());
    window->resize(wanted.size());
}

void recordWindow(const QWidget *window, WindowPositions &p, Position first)
{
    if (window->isMinimized())
        return;
    const double dx = screenDpiX();
    const double dy = screenDpiY();
    const QPoint pos = window->pos();
    const QSize size = window->size();
    p[static_cast<Position>(first + 0)] = pixelsToTwips(pos.x(), dx);
    p[static_cast<Position>(first + 1)] = pixelsToTwips(pos.y(), dy);
    p[static_cast<Position>(first + 2)] = pixelsToTwips(size.width(), dx);
    p[static_cast<Position>(first + 3)] = pixelsToTwips(size.height(), dy);
}

} // namespace lumenar
