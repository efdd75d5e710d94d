// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DayLookup.h"

#include "store/Store.h"

namespace lumenar {

namespace {

std::vector<Celebration> readCelebrations(QSqlQuery &query)
{
    std::vector<Celebration> rows;
    while (query.next()) {
        rows.push_back(Celebration{
            query.value(0).toInt(),
            QDate::fromString(query.value(1).toString(), Qt::ISODate),
            query.value(2).toString(),
            query.value(3).toString(),
            query.value(4).toInt(),
            query.value(5).toInt(),
        });
    }
    return rows;
}

const QString kColumns = QStringLiteral("ID, Data, Eveniment, TipZi, Culori, Rang");

} // namespace

const std::array<PaletteColour, 16> &palette()
{
    static constexpr std::array<PaletteColour, 16> colours{{
        {"black", 0, 0, 0},
        {"blue", 0, 0, 128},
        {"green", 0, 128, 0},
        {"cyan", 0, 128, 128},
        {"red", 128, 0, 0},
        {"magenta", 128, 0, 128},
        {"yellow", 128, 128, 0},
        {"white", 192, 192, 192},
        {"grey", 128, 128, 128},
        {"light blue", 0, 0, 255},
        {"light green", 0, 255, 0},
        {"light cyan", 0, 255, 255},
        {"light red", 255, 0, 0},
        {"light magenta", 255, 0, 255},
        {"light yellow", 255, 255, 0},
        {"bright white", 255, 255, 255},
    }};
    return colours;
}

std::optional<PaletteColour> paletteColour(int code)
{
    if (code < 0 || code >= int(palette().size()))
        return std::nullopt;
    return palette()[code];
}

QString liturgicalColourName(int code)
{
    switch (code) {
    case 0:
        return QStringLiteral("white");
    case 2:
        return QStringLiteral("green");
    case 9:
        return QStringLiteral("violet");
    case 12:
        return QStringLiteral("red");
    default:
        if (auto colour = paletteColour(code))
            return QString::fromLatin1(colour->name);
        return QStringLiteral("colour %1").arg(code);
    }
}

std::optional<IconColour> iconColourForCode(int code)
{
    switch (code) {
    case 0:
        return IconColour::Black;
    case 2:
        return IconColour::Green;
    case 9:
        return IconColour::Blue;
    case 12:
        return IconColour::Red;
    default:
        return std::nullopt;
    }
}

int dayColourCode(const Store &store, Variant variant, const QDate &date)
{
    QVariant code = store.scalar(QStringLiteral("SELECT Culori FROM %1 WHERE Data = ? ORDER BY Culori DESC, ID LIMIT 1")
                                     .arg(tablesFor(variant).yearTable),
        {date.toString(Qt::ISODate)});
    return code.isValid() ? code.toInt() : 0;
}

QDate noEventDate()
{
    return QDate(1899, 12, 30);
}

QDate EventDateById(const Store &store, Variant variant, std::int32_t id)
{
    QVariant date = store.scalar(
        QStringLiteral("SELECT Data FROM %1 WHERE ID = ? LIMIT 1").arg(tablesFor(variant).yearTable), {id});
    if (!date.isValid())
        return noEventDate();
    return QDate::fromString(date.toString(), Qt::ISODate);
}

std::vector<Celebration> dayCelebrations(const Store &store, Variant variant, const QDate &date)
{
    QSqlQuery query = store.exec(QStringLiteral("SELECT %1 FROM %2 WHERE Data = ? ORDER BY Culori DESC, ID")
                                     .arg(kColumns, tablesFor(variant).yearTable),
        {date.toString(Qt::ISODate)});
    return readCelebrations(query);
}

std::vector<Celebration> yearCelebrations(const Store &store, Variant variant)
{
    QSqlQuery query
        = store.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY ID").arg(kColumns, tablesFor(variant).yearTable));
    return readCelebrations(query);
}

} // namespace lumenar
