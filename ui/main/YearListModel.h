// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/DayLookup.h"
#include "engine/YearCalendar.h"
#include "ui/main/ListColours.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <vector>

namespace lumenar {

// The celebrations of one assembled year, one row each in ID order (row r holds ID r + 1).
// Colours, alignment and the marked day come from data() by role, so the view never
// formats a cell itself.
class YearListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { DateColumn, NameColumn, ColourColumn, IdColumn, ColumnCount };
    // The row's date as a QDate, for callers that must not parse the shown text.
    static constexpr int DateRole = Qt::UserRole + 1;
    // True when the row's day is a holy day of obligation; its date cell then carries a mark.
    static constexpr int ObligationRole = Qt::UserRole + 2;
    // The colour of the frame around a marked cell; nothing for the others.
    static constexpr int MarkFrameRole = Qt::UserRole + 3;

    explicit YearListModel(QObject *parent = nullptr);

    // The days of obligation are taken from `year`'s details; without it none is marked.
    void setRows(std::vector<Celebration> rows, const YearCalendar *year = nullptr);
    const std::vector<Celebration> &rows() const { return m_rows; }
    const Celebration &row(int r) const { return m_rows.at(std::size_t(r)); }

    void setColours(const ListColours &colours);
    const ListColours &colours() const { return m_colours; }

    // The first row of the day that row r belongs to.
    int dayStart(int r) const;
    // The number of rows of the day that starts at row r.
    int dayLength(int r) const;
    // The first row dated `date`, or -1.
    int firstRowOf(const QDate &date) const;

    // Marks the date cell of `dateRow` and the name cell of `eventRow`; -1 marks nothing.
    void setMark(int dateRow, int eventRow);
    void clearMark() { setMark(-1, -1); }
    int markedDateRow() const { return m_markDate; }
    int markedEventRow() const { return m_markEvent; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void touchRow(int row, Column column);
    bool isMarked(const QModelIndex &index) const;

    std::vector<Celebration> m_rows;
    std::vector<QString> m_dateTexts; // made once per load: the view asks for them often
    std::vector<bool> m_obligation;   // by row
    ListColours m_colours;
    QIcon m_mark;   // beside the date of a day of obligation
    QIcon m_noMark; // as large and blank, so every date stands in the same place
    int m_markDate = -1;
    int m_markEvent = -1;
};

} // namespace lumenar
