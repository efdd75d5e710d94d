// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Commentary.h"

#include "engine/YearCalendar.h"

namespace lumenar {

std::optional<PrintedComment> readComment(const Store &store, const YearCalendar &year, qint32 id)
{
    const Celebration *row = year.byId(id);
    if (!row)
        return std::nullopt;
    return PrintedComment{row->date, row->name, readCommentary(store, *row)};
}

} // namespace lumenar
