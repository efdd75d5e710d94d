// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/search/SearchResultModel.h"

#include "engine/CelebrationSearch.h"

namespace lumenar {

void SearchResultModel::setResults(
    const CelebrationSearch &search, const std::vector<QString> &dateTexts, const std::vector<int> &found)
{
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(found.size());
    for (int i : found) {
        const SearchEntry &entry = search.entries()[i];
        m_rows.push_back({entry.id, entry.name, dateTexts[i]});
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
    case Qt::AccessibleTextRole:
        return row.name + QStringLiteral(", ") + row.date;
    case IdRole:
        return row.id;
    default:
        return {};
    }
}

QVariant SearchResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == NameColumn ? QStringLiteral("Celebration") : QStringLiteral("Date");
}

} // namespace lumenar
