// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QDate>
#include <QString>
#include <vector>

namespace lumenar {

class CelebrationSearch;

// The found celebrations: the name, then the date as the year's list writes it.
class SearchResultModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { NameColumn, DateColumn, ColumnCount };
    static constexpr int IdRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    // Replaces the rows by those found; `dateTexts` runs parallel to the search's entries.
    void setResults(
        const CelebrationSearch &search, const std::vector<QString> &dateTexts, const std::vector<int> &found);
    void clear();
    int idAt(int row) const { return m_rows.at(row).id; }
    // "3 celebrations found", "No celebration found".
    QString countText() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    struct Row
    {
        int id;
        QString name;
        QString date; // as the year's list writes it
        QDate day;
    };
    std::vector<Row> m_rows;
};

} // namespace lumenar
