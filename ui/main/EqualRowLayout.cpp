// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/EqualRowLayout.h"

#include <QWidget>

namespace lumenar {

QList<QRect> equalSlots(const QRect &area, int count, int gap)
{
    QList<QRect> cells;
    if (count <= 0)
        return cells;
    const int free = std::max(0, area.width() - (count - 1) * gap);
    const int width = free / count;
    const int extra = free % count;
    int left = area.left();
    for (int i = 0; i < count; ++i) {
        const int w = width + (i < extra ? 1 : 0);
        cells << QRect(left, area.top(), w, area.height());
        left += w + gap;
    }
    return cells;
}

EqualRowLayout::EqualRowLayout(QWidget *parent)
    : QLayout(parent)
{
}

EqualRowLayout::~EqualRowLayout()
{
    qDeleteAll(m_items);
}

void EqualRowLayout::addItem(QLayoutItem *item)
{
    m_items << item;
}

int EqualRowLayout::count() const
{
    return int(m_items.size());
}

QLayoutItem *EqualRowLayout::itemAt(int index) const
{
    return m_items.value(index);
}

QLayoutItem *EqualRowLayout::takeAt(int index)
{
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}

Qt::Orientations EqualRowLayout::expandingDirections() const
{
    return Qt::Horizontal;
}

QSize EqualRowLayout::rowSize(bool minimum) const
{
    // Equal cells: the row needs as many of the widest as it has items.
    int widest = 0;
    int tallest = 0;
    for (QLayoutItem *item : m_items) {
        const QSize s = minimum ? item->minimumSize() : item->sizeHint();
        widest = std::max(widest, s.width());
        tallest = std::max(tallest, s.height());
    }
    const int n = int(m_items.size());
    const QMargins m = contentsMargins();
    return QSize(n * widest + std::max(0, n - 1) * std::max(0, spacing()) + m.left() + m.right(),
        tallest + m.top() + m.bottom());
}

QSize EqualRowLayout::sizeHint() const
{
    return rowSize(false);
}

QSize EqualRowLayout::minimumSize() const
{
    return rowSize(true);
}

void EqualRowLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    const QList<QRect> cells = equalSlots(contentsRect(), int(m_items.size()), std::max(0, spacing()));
    for (int i = 0; i < m_items.size(); ++i)
        m_items[i]->setGeometry(cells[i]);
}

} // namespace lumenar
