// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace lumenar {

class Store;
class YearCalendar;

// One celebration as the comment window shows it and the print form prints it.
struct PrintedComment
{
    QDate date;
    QString name;
    QString html; // empty when the celebration has no commentary
};

// The celebration numbered `id` in an assembled year, with its commentary from the store.
// Nothing when the year has no such row. Throws LumenarError when the store fails.
std::optional<PrintedComment> readComment(const Store &store, const YearCalendar &year, qint32 id);

} // namespace lumenar
