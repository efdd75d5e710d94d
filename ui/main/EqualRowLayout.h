// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLayout>
#include <QList>
#include <QRect>

namespace lumenar {

// Splits `area` into `count` slots of equal width with `gap` between them; what a whole
// division leaves over goes one pixel each to the first slots, so the row always ends
// exactly at the area's right edge.
QList<QRect> equalSlots(const QRect &area, int count, int gap);

// A row of widgets of equal width that fill the row: the main window's button row.
class EqualRowLayout : public QLayout
{
    Q_OBJECT
public:
    explicit EqualRowLayout(QWidget *parent = nullptr);
    ~EqualRowLayout() override;

    void addItem(QLayoutItem *item) override;
    int count() const override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    Qt::Orientations expandingDirections() const override;
    void setGeometry(const QRect &rect) override;

private:
    QSize rowSize(bool minimum) const;
    QList<QLayoutItem *> m_items;
};

} // namespace lumenar
