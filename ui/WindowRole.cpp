// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowRole.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace lumenar {

namespace {

QAccessibleInterface *windowInterface(const QString &className, QObject *object)
{
    // Asked once per class of the object, most derived first: answer for that one only,
    // and only for the program's own classes (Qt's menus are windows made from QWidget too).
    if (!object || !object->isWidgetType() || !className.startsWith(QLatin1String("lumenar::")))
        return nullptr;
    const QMetaObject *meta = object->metaObject();
    auto *widget = static_cast<QWidget *>(object);
    if (!widget->isWindow() || meta->superClass() != &QWidget::staticMetaObject
        || className != QLatin1String(meta->className()))
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Window);
}

} // namespace

void exposeWindowsAsWindows()
{
    static const bool installed = [] {
        QAccessible::installFactory(windowInterface);
        return true;
    }();
    (void)installed;
}

void announceFocusedCell(QAbstractItemView *view, const QModelIndex &cell)
{
    if (!QAccessible::isActive() || !cell.isValid())
        return;
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(view);
    QAccessibleInterface *child
        = table && table->tableInterface() ? table->tableInterface()->cellAt(cell.row(), cell.column()) : nullptr;
    if (!child)
        return;
    QAccessibleEvent event(view, QAccessible::Focus);
    event.setChild(table->indexOfChild(child));
    QAccessible::updateAccessibility(&event);
}

} // namespace lumenar
