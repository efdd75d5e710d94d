// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/YearCache.h"

#include "engine/YearAssembly.h"

#include <algorithm>

namespace lumenar {

YearCache::YearCache(const Store &store, std::size_t capacity)
    : m_store(store)
    , m_capacity(std::max<std::size_t>(capacity, 1))
{
}

std::shared_ptr<const YearCalendar> YearCache::year(Variant variant, int year)
{
    const auto found = std::find_if(
        m_years.begin(), m_years.end(), [&](const auto &y) { return y->variant() == variant && y->year() == year; });
    if (found != m_years.end()) {
        std::rotate(found, found + 1, m_years.end());
        return m_years.back();
    }
    if (!m_source)
        m_source = readCalendarSource(m_store);
    ++m_assemblies;
    auto built
        = std::make_shared<const YearCalendar>(BuildYear(m_store, *m_source, variant, static_cast<std::int16_t>(year)));
    if (m_years.size() == m_capacity)
        m_years.erase(m_years.begin());
    m_years.push_back(built);
    return built;
}

} // namespace lumenar
