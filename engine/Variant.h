// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace lumenar {

enum class Variant { Universal, Usa };

// The names of everything in the store that differs between the two calendars.
struct VariantTables
{
    QString yearTable;      // C_Univ_Temp / C_USA_Temp
    QString scratchTable;   // C_Univ_tmp / C_USA_tmp
    QString view;           // C_Univ / C_USA
    QString searchView;     // srcUNIV / srcUSA
    QString movableTable;   // Variabile_Univ / Variabile_USA
    QString movableCode;    // UNIV / USA
    QString fixedQuery;     // DateFixe->CalUniv / DateFixe->CalUSA
    QString movableQuery;   // DateVar->CalUniv / DateVar->CalUSA
    QString othersQuery;    // AppCUniv_Alte / AppCUSA_Alte
    QString leastRankQuery; // CalUnivRangMinim / CalUSARangMinim
    QString weekdayQuery;   // doTipZi / doTipZi_USA
};

const VariantTables &tablesFor(Variant variant);

// The variant a stored setting selects: exactly "Universal" is the Universal calendar,
// anything else ("SUA", "USA") the USA calendar.
Variant variantFromSetting(const QString &value);
// The setting text for a variant: "Universal" or "SUA".
QString settingForVariant(Variant variant);
// A variant typed by a person ("universal", "USA", "usa"); nothing for anything else.
std::optional<Variant> parseVariantName(const QString &text);
QString displayName(Variant variant);

} // namespace lumenar
