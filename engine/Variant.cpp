// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Variant.h"

namespace lumenar {

const VariantTables &tablesFor(Variant variant)
{
    static const VariantTables universal{
        QStringLiteral("C_Univ_Temp"),
        QStringLiteral("C_Univ_tmp"),
        QStringLiteral("C_Univ"),
        QStringLiteral("srcUNIV"),
        QStringLiteral("Variabile_Univ"),
        QStringLiteral("UNIV"),
        QStringLiteral("DateFixe->CalUniv"),
        QStringLiteral("DateVar->CalUniv"),
        QStringLiteral("AppCUniv_Alte"),
        QStringLiteral("CalUnivRangMinim"),
        QStringLiteral("doTipZi"),
    };
    static const VariantTables usa{
        QStringLiteral("C_USA_Temp"),
        QStringLiteral("C_USA_tmp"),
        QStringLiteral("C_USA"),
        QStringLiteral("srcUSA"),
        QStringLiteral("Variabile_USA"),
        QStringLiteral("USA"),
        QStringLiteral("DateFixe->CalUSA"),
        QStringLiteral("DateVar->CalUSA"),
        QStringLiteral("AppCUSA_Alte"),
        QStringLiteral("CalUSARangMinim"),
        QStringLiteral("doTipZi_USA"),
    };
    return variant == Variant::Universal ? universal : usa;
}

Variant variantFromSetting(const QString &value)
{
    return value.isEmpty() || value == QLatin1String("Universal") ? Variant::Universal : Variant::Usa;
}

QString settingForVariant(Variant variant)
{
    return variant == Variant::Universal ? QStringLiteral("Universal") : QStringLiteral("SUA");
}

std::optional<Variant> parseVariantName(const QString &text)
{
    if (text.compare(QLatin1String("Universal"), Qt::CaseInsensitive) == 0)
        return Variant::Universal;
    if (text.compare(QLatin1String("USA"), Qt::CaseInsensitive) == 0)
        return Variant::Usa;
    return std::nullopt;
}

QString displayName(Variant variant)
{
    return variant == Variant::Universal ? QStringLiteral("Universal") : QStringLiteral("USA");
}

} // namespace lumenar
