// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/YearTable.h"

#include <QDate>
#include <QString>
#include <QStringView>
#include <string>
#include <vector>

namespace lumenar {

// The text a search compares: letter case folded for every script, accents and other
// combining marks dropped, compatibility forms (ligatures, full-width letters) unfolded,
// so that "ANDRE" finds "André" and "agustin" finds "Agustín".
std::u32string searchKey(QStringView text);

// Whether a celebration's name answers a typed text: the name equals it, begins with it,
// or holds it right after a blank or a comma. `*` stands for any run of characters and
// `?` for one; every other character stands for itself. Several words are one phrase.
// An empty text answers nothing.
bool nameMatches(QStringView name, QStringView typed);

// One row of the search view of an assembled year.
struct SearchEntry
{
    int id = 0;
    QString name;
    QDate date;
    QString weekday; // "Sun" … "Sat"
    std::u32string key;
};

// The celebrations of an assembled year, ready to be searched as the user types.
class CelebrationSearch
{
public:
    CelebrationSearch() = default;
    // The rows of an assembled year, in their order.
    explicit CelebrationSearch(const std::vector<Celebration> &rows);

    const std::vector<SearchEntry> &entries() const { return m_entries; }
    // The positions in entries() of the rows the typed text finds, in date order.
    std::vector<int> find(QStringView typed) const;

private:
    std::vector<SearchEntry> m_entries;
};

} // namespace lumenar
