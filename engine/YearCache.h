// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/YearCalendar.h"

#include <memory>
#include <optional>
#include <vector>

namespace lumenar {

class Store;

// The years a run has assembled: today's and the one a window shows, in each calendar.
// A year is assembled (and written into its year table) the first time it is asked for
// and then read from memory, so the day check and a change of calendar or year cost at
// most one assembly.
class YearCache
{
public:
    explicit YearCache(const Store &store, std::size_t capacity = 4);

    // Throws LumenarError: BadData when the store's rows cannot be read, Step otherwise.
    std::shared_ptr<const YearCalendar> year(Variant variant, int year);
    int assemblies() const { return m_assemblies; }

private:
    const Store &m_store;
    std::size_t m_capacity;
    std::optional<CalendarSource> m_source;
    std::vector<std::shared_ptr<const YearCalendar>> m_years; // the most recently used last
    int m_assemblies = 0;
};

} // namespace lumenar
