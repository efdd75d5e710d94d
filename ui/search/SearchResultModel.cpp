// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/search/SearchResultModel.h"

#include "engine/CelebrationSearch.h"

#include <QLocale>

namespace lumenar {

void SearchResultModel::setResults(
    const CelebrationSearch &search, const std::vector<QString> &dateTexts, const std::vector<int> &found)
{
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(found.size());
    for (int i : found) {
        const SearchEntry &entry = search.entries()[i];
        m_rows.push_back({entry.id, entry.name, dateTexts[i], entry.date});
    }
    endResetModel();
}

void SearchResultModel::clear()
{
    if (m_rows.empty())
        return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

int SearchResultModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int SearchResultModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SearchResultModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Row &row = m_rows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == NameColumn ? row.name : row.date;
    case Qt::ToolTipRole:
        return row.name + QStringLiteral(", ") + row.date;
    case Qt::AccessibleTextRole:
        // Each cell says its own part, so a row is read once; the date in words.
        return index.column() == NameColumn ? row.name : QLocale::c().toString(row.day, QStringLiteral("dddd, MMMM d"));
    case IdRole:
        return row.id;
    default:
        return {};
    }
}

QString SearchResultModel::countText() const
{
    switch (m_rows.size()) {
    case 0:
        return QStringLiteral("No celebration found");
    case 1:
        return QStringLiteral("1 celebration found");
    default:
        return QStringLiteral("%1 celebrations found").arg(m_rows.size());
    }
}

QVariant SearchResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == NameColumn ? QStringLiteral("Celebration") : QStringLiteral("Date");
}

} // namespace lumenar
