// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace lumenar {

QRect reachableRect(const QRect &frame, const QList<QRect> &screens, int titleHeight)
{
    if (screens.isEmpty() || frame.isEmpty())
        return frame;
    const QRect title(frame.topLeft(), QSize(frame.width(), std::min(titleHeight, frame.height())));
    bool titleOnScreen = false;
    QRegion covered;
    for (const QRect &screen : screens) {
        const QRect shown = screen.intersected(title);
        titleOnScreen = titleOnScreen || (shown.height() == title.height() && 2 * shown.width() >= title.width());
        covered += screen.intersected(frame);
    }
    qint64 coveredArea = 0;
    for (const QRect &part : covered)
        coveredArea += qint64(part.width()) * part.height();

    // The screen holding most of the window, else the one closest to its centre.
    const auto distance = [&](const QRect &screen) {
        const QPoint c = frame.center();
        const int dx = std::max({screen.left() - c.x(), 0, c.x() - screen.right()});
        const int dy = std::max({screen.top() - c.y(), 0, c.y() - screen.bottom()});
        return qint64(dx) * dx + qint64(dy) * dy;
    };
    const QRect *target = &screens.first();
    qint64 bestArea = -1;
    for (const QRect &screen : screens) {
        const QRect shown = screen.intersected(frame);
        const qint64 area = shown.isEmpty() ? 0 : qint64(shown.width()) * shown.height();
        if (area > bestArea || (area == bestArea && area == 0 && distance(screen) < distance(*target))) {
            bestArea = area;
            target = &screen;
        }
    }
    // A window larger than its screen (a place saved at a smaller scale) cannot be seen
    // whole wherever it stands, so it is fitted even when most of it shows.
    const bool fits = frame.width() <= target->width() && frame.height() <= target->height();
    if (titleOnScreen && fits && 2 * coveredArea > qint64(frame.width()) * frame.height())
        return frame;
    QRect placed(frame.topLeft(), frame.size().boundedTo(target->size()));
    placed.moveLeft(std::clamp(placed.left(), target->left(), target->right() + 1 - placed.width()));
    placed.moveTop(std::clamp(placed.top(), target->top(), target->bottom() + 1 - placed.height()));
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
    const QPoint pos(qRound(twipsToPixels(at(0), dx)), qRound(twipsToPixels(at(1), dy)));
    const QSize size(qRound(twipsToPixels(at(2), dx)), qRound(twipsToPixels(at(3), dy)));

    // The kept place is the frame's corner and the inner size. Before its first showing a
    // window has no frame yet: reckon with a title bar of two lines of text.
    QMargins frame(window->geometry().left() - window->frameGeometry().left(),
        window->geometry().top() - window->frameGeometry().top(),
        window->frameGeometry().right() - window->geometry().right(),
        window->frameGeometry().bottom() - window->geometry().bottom());
    if (frame.isNull()) {
        const int border = window->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        frame = QMargins(border, 2 * window->fontMetrics().height() + border, border, border);
    }
    QList<QRect> screens;
    for (QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const QRect placed = reachableRect(QRect(pos, size.grownBy(frame)), screens, frame.top());
    window->move(placed.topLeft());
    window->resize(placed.size().shrunkBy(frame).expandedTo(window->minimumSize()));
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
