// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/YearListModel.h"

#include "engine/DateText.h"

#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace lumenar {

namespace {
const QString kSunday = QStringLiteral("Sun");
constexpr int kSundayColour = 12;

// A small Latin cross in the list's ink: told by its shape, not by a colour, so it reads on
// any surface and to colour-blind eyes. An invalid ink gives a blank of the same size.
QIcon obligationMark(const QColor &ink)
{
    QIcon icon;
    for (const qreal scale : {1.0, 2.0}) {
        QPixmap pixmap(QSize(16, 16) * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        if (ink.isValid()) {
            QPainter painter(&pixmap);
            painter.fillRect(QRectF(7, 3, 2, 11), ink);
            painter.fillRect(QRectF(4, 6, 8, 2), ink);
        }
        icon.addPixmap(pixmap);
    }
    return icon;
}
} // namespace

YearListModel::YearListModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_colours(listColoursFor(QPalette()))
    , m_mark(obligationMark(m_colours.text))
    , m_noMark(obligationMark(QColor()))
{
}

void YearListModel::setRows(std::vector<Celebration> rows, const YearCalendar *year)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_dateTexts.clear();
    m_dateTexts.reserve(m_rows.size());
    m_obligation.assign(m_rows.size(), false);
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        const Celebration &c = m_rows[r];
        m_dateTexts.push_back(listDateText(c.weekday, c.date));
        if (year) {
            const std::optional<DayDetails> details = year->details(c.date);
            m_obligation[r] = details && details->obligation;
        }
    }
    m_markDate = m_markEvent = -1;
    endResetModel();
}

void YearListModel::setColours(const ListColours &colours)
{
    m_colours = colours;
    m_mark = obligationMark(colours.text);
    if (!m_rows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int YearListModel::dayStart(int r) const
{
    if (r < 0 || r >= rowCount())
        return -1;
    while (r > 0 && m_dateTexts[std::size_t(r - 1)] == m_dateTexts[std::size_t(r)])
        --r;
    return r;
}

int YearListModel::dayLength(int r) const
{
    int end = r + 1;
    while (end < rowCount() && m_dateTexts[std::size_t(end)] == m_dateTexts[std::size_t(r)])
        ++end;
    return end - r;
}

int YearListModel::firstRowOf(const QDate &date) const
{
    // Rows are in date order: a binary search keeps marking cheap on long lists.
    const auto it = std::lower_bound(
        m_rows.begin(), m_rows.end(), date, [](const Celebration &c, const QDate &d) { return c.date < d; });
    return it != m_rows.end() && it->date == date ? int(it - m_rows.begin()) : -1;
}

void YearListModel::setMark(int dateRow, int eventRow)
{
    const int oldDate = m_markDate;
    const int oldEvent = m_markEvent;
    m_markDate = dateRow;
    m_markEvent = eventRow;
    touchRow(oldDate, DateColumn);
    touchRow(oldEvent, NameColumn);
    touchRow(dateRow, DateColumn);
    touchRow(eventRow, NameColumn);
}

void YearListModel::touchRow(int row, Column column)
{
    if (row >= 0 && row < rowCount()) {
        const QModelIndex i = index(row, column);
        emit dataChanged(i, i, {Qt::BackgroundRole, MarkFrameRole});
    }
}

bool YearListModel::isMarked(const QModelIndex &index) const
{
    return (index.column() == DateColumn && index.row() == m_markDate)
        || (index.column() == NameColumn && index.row() == m_markEvent);
}

int YearListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int YearListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant YearListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Celebration &c = m_rows[std::size_t(index.row())];
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case DateColumn:
            return m_dateTexts[std::size_t(index.row())];
        case NameColumn:
            return c.name;
        case ColourColumn:
            return c.colour;
        case IdColumn:
            return c.id;
        }
        break;
    case DateRole:
        return c.date;
    case ObligationRole:
        return bool(m_obligation[std::size_t(index.row())]);
    case Qt::DecorationRole:
        if (column == DateColumn)
            return m_obligation[std::size_t(index.row())] ? m_mark : m_noMark;
        break;
    case Qt::TextAlignmentRole:
        if (column == DateColumn)
            return int(Qt::AlignCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (column == NameColumn)
            return m_colours.ink(c.colour);
        if (column == DateColumn)
            return c.weekday.startsWith(kSunday) ? m_colours.ink(kSundayColour) : m_colours.text;
        break;
    case Qt::BackgroundRole:
        return isMarked(index) ? m_colours.marked : m_colours.face;
    case MarkFrameRole:
        if (isMarked(index))
            return m_colours.cue;
        break;
    case Qt::ToolTipRole:
        if (column == NameColumn)
            return QStringLiteral("%1 (%2)").arg(c.name, liturgicalColourName(c.colour));
        if (column == DateColumn)
            return longDateText(c.date)
                + (m_obligation[std::size_t(index.row())] ? QStringLiteral("\nHoly day of obligation") : QString());
        break;
    case Qt::AccessibleTextRole:
        if (column == DateColumn)
            return longDateText(c.date)
                + (m_obligation[std::size_t(index.row())] ? QStringLiteral(", holy day of obligation") : QString());
        if (column == NameColumn)
            return c.name;
        break;
    case Qt::AccessibleDescriptionRole:
        if (column == NameColumn)
            return QStringLiteral("liturgical colour %1").arg(liturgicalColourName(c.colour));
        break;
    }
    return {};
}

QVariant YearListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::TextAlignmentRole && section == DateColumn)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (section) {
    case DateColumn:
        return QStringLiteral("Event Date");
    case NameColumn:
        return QStringLiteral("Event Name");
    case ColourColumn:
        return QStringLiteral("Culori");
    case IdColumn:
        return QStringLiteral("ID");
    }
    return {};
}

} // namespace lumenar
