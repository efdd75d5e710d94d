// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/YearListView.h"

#include "ui/WindowRole.h"
#include "ui/main/ListColours.h"
#include "ui/main/YearListModel.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>
#include <utility>

namespace lumenar {

namespace {

// Styles fill the focused cell with a tint of the highlight, which would turn the mark's
// tooltip yellow into another colour; a plain outline shows the keyboard focus instead.
// The marked cells are framed as well: their pale background alone is nearly invisible.
class MarkDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem plain(option);
        plain.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, plain, index);
        painter->save();
        QColor frame = index.data(YearListModel::MarkFrameRole).value<QColor>();
        const QColor highlight = option.palette.color(QPalette::Highlight);
        if (option.state.testFlag(QStyle::State_HasFocus)) {
            // The mark follows the keys, so focus and mark mostly share a cell: one frame in
            // the highlight tells both, unless the highlight would not stand out as well.
            const QColor surface = index.data(Qt::BackgroundRole).value<QColor>();
            if (!frame.isValid()) {
                painter->setPen(QPen(highlight, 1));
                painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
            } else if (contrastRatio(highlight, surface) >= kCueContrast) {
                frame = highlight;
            }
        }
        if (frame.isValid()) {
            painter->setPen(QPen(frame, 2));
            painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
        }
        painter->restore();
    }
};

// The columns the list shows, date and name, over the year's model.
class ShownColumns : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsColumn(int column, const QModelIndex &) const override
    {
        return column <= YearListModel::NameColumn;
    }
};

} // namespace

YearListView::YearListView(QWidget *parent)
    : QTableView(parent)
    , announceFocus([this](const QModelIndex &cell) { announceFocusedCell(this, cell); })
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setItemDelegate(new MarkDelegate(this));
}

void YearListView::setYearModel(YearListModel *model)
{
    m_yearModel = model;
    auto *shown = new ShownColumns(this);
    shown->setSourceModel(model);
    setModel(shown);
}

QModelIndex YearListView::nameCell(int row) const
{
    return model() ? model()->index(row, YearListModel::NameColumn) : QModelIndex();
}

void YearListView::mergeDays()
{
    YearListModel *list = m_yearModel;
    clearSpans();
    if (!list)
        return;
    const int rows = list->rowCount();
    for (int r = 0; r < rows;) {
        const int n = list->dayLength(r);
        if (n > 1)
            setSpan(r, YearListModel::DateColumn, n, 1);
        r += n;
    }
}

void YearListView::scrollToFourth(int row)
{
    // A hidden view keeps the wish until it is shown: only then are its height and the
    // bar's range real.
    m_pendingTop = std::max(0, row - 3);
    if (isVisible())
        applyPendingTop();
}

void YearListView::applyPendingTop()
{
    if (m_pendingTop < 0)
        return;
    const int top = std::exchange(m_pendingTop, -1);
    // Per-item scrolling: the bar's value is the first row shown, within a range that must
    // first follow the rows just loaded.
    updateGeometries();
    verticalScrollBar()->setValue(top);
}

bool YearListView::event(QEvent *event)
{
    const bool handled = QTableView::event(event);
    // Being shown, the base class scrolls the current row just into view (to the edge);
    // the row's own place comes after that.
    if (event->type() == QEvent::Show)
        applyPendingTop();
    return handled;
}

void YearListView::announceCurrent()
{
    if (hasFocus() && currentIndex().isValid() && announceFocus)
        announceFocus(currentIndex());
}

void YearListView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // QTableView would announce every new current cell as focused, focus or not.
    QAbstractItemView::currentChanged(current, previous);
    announceCurrent();
}

void YearListView::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    // The list itself is announced after this handler: its current row comes after that,
    // so a screen reader reads the row, not only the table's size.
    QMetaObject::invokeMethod(this, &YearListView::announceCurrent, Qt::QueuedConnection);
}

QModelIndex YearListView::nameCellAt(const QPoint &pos) const
{
    const int row = rowAt(pos.y());
    return row < 0 ? QModelIndex() : model()->index(row, YearListModel::NameColumn);
}

QModelIndex YearListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // The current cell lives in the name column: sideways moves go nowhere and every
    // other move lands on the name of the row it reaches.
    switch (action) {
    case MoveLeft:
    case MoveRight:
    case MoveNext:
    case MovePrevious:
        return currentIndex();
    case MoveHome:
    case MoveEnd:
        // Within a row they would only go sideways: take them to the year's ends.
        modifiers |= Qt::ControlModifier;
        break;
    default:
        break;
    }
    const QModelIndex to = QTableView::moveCursor(action, modifiers);
    return to.isValid() ? model()->index(to.row(), YearListModel::NameColumn) : to;
}

void YearListView::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex cell = nameCellAt(event->position().toPoint());
    if (!cell.isValid()) {
        QTableView::mousePressEvent(event);
        return;
    }
    // The base class would take the top of a merged cell; go to the row pointed at.
    setFocus(Qt::MouseFocusReason);
    setCurrentIndex(cell);
    event->accept();
}

void YearListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex cell = nameCellAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !cell.isValid()) {
        QTableView::mouseDoubleClickEvent(event);
        return;
    }
    setCurrentIndex(cell);
    emit rowOpened(cell.row());
    event->accept();
}

void YearListView::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
        emit rowOpened(currentIndex().row());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void YearListView::contextMenuEvent(QContextMenuEvent *event)
{
    QPoint pos = event->pos();
    if (event->reason() == QContextMenuEvent::Mouse) {
        const QModelIndex cell = nameCellAt(pos);
        if (cell.isValid())
            setCurrentIndex(cell);
    } else if (currentIndex().isValid()) {
        pos = visualRect(currentIndex()).center();
    }
    emit menuRequested(viewport()->mapToGlobal(pos));
    event->accept();
}

} // namespace lumenar
