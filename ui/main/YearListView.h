// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableView>
#include <functional>

namespace lumenar {

class YearListModel;

// The year list: a table without headers whose date cells span their day. A merged date
// cell answers for the row under the pointer, not only for its first row, so a click or
// double-click there acts on the celebration the user pointed at.
class YearListView : public QTableView
{
    Q_OBJECT
public:
    explicit YearListView(QWidget *parent = nullptr);

    // Shows the model's date and name columns. The colour code and the ID stay out of the
    // view's model: a column only hidden is still read out by assistive technology.
    void setYearModel(YearListModel *model);
    // The name cell of a row, as the view's model numbers it.
    QModelIndex nameCell(int row) const;

    // Merges the date cells of each day (the model's rows must be loaded).
    void mergeDays();
    // Scrolls so that `row` stands fourth from the top.
    void scrollToFourth(int row);

    // Tells assistive technology that the current cell has the focus: only while the list
    // has it, so moving the current row from another control is not taken for a move of
    // the keyboard focus.
    void announceCurrent();
    // Where those notices go; to assistive technology unless a test records them.
    std::function<void(const QModelIndex &cell)> announceFocus;

signals:
    // Double-click or Enter on a row.
    void rowOpened(int row);
    void menuRequested(const QPoint &globalPos);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void focusInEvent(QFocusEvent *event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool event(QEvent *event) override;

private:
    void applyPendingTop();

    YearListModel *m_yearModel = nullptr;
    int m_pendingTop = -1; // the first row to show once the view is seen; -1: none
    QModelIndex nameCellAt(const QPoint &pos) const;
};

} // namespace lumenar
