// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableView>

namespace lumenar {

// The year list: a table without headers whose date cells span their day. A merged date
// cell answers for the row under the pointer, not only for its first row, so a click or
// double-click there acts on the celebration the user pointed at.
class YearListView : public QTableView
{
    Q_OBJECT
public:
    explicit YearListView(QWidget *parent = nullptr);

    // Merges the date cells of each day (the model's rows must be loaded).
    void mergeDays();
    // Scrolls so that `row` stands fourth from the top.
    void scrollToFourth(int row);

signals:
    // Double-click or Enter on a row.
    void rowOpened(int row);
    void menuRequested(const QPoint &globalPos);

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool event(QEvent *event) override;

private:
    void applyPendingTop();

    int m_pendingTop = -1; // the first row to show once the view is seen; -1: none
    QModelIndex nameCellAt(const QPoint &pos) const;
};

} // namespace lumenar
