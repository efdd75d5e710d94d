// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DayLookup.h"
#include "engine/YearAssembly.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace lumenar;

TEST(Palette, SixteenColoursInTheirPlaces)
{
    ASSERT_EQ(palette().size(), 16u);
    const struct
    {
        int code;
        int r, g, b;
    } expected[]
        = {{0, 0, 0, 0}, {2, 0, 128, 0}, {7, 192, 192, 192}, {9, 0, 0, 255}, {12, 255, 0, 0}, {15, 255, 255, 255}};
    for (const auto &e : expected) {
        const auto colour = paletteColour(e.code);
        ASSERT_TRUE(colour);
        EXPECT_EQ(colour->red, e.r);
        EXPECT_EQ(colour->green, e.g);
        EXPECT_EQ(colour->blue, e.b);
    }
    EXPECT_FALSE(paletteColour(-1));
    EXPECT_FALSE(paletteColour(16));
}

TEST(DayIcon, OnlyFourCodesHaveIcons)
{
    EXPECT_EQ(iconColourForCode(0), IconColour::Black);
    EXPECT_EQ(iconColourForCode(2), IconColour::Green);
    EXPECT_EQ(iconColourForCode(9), IconColour::Blue);
    EXPECT_EQ(iconColourForCode(12), IconColour::Red);
    for (int code : {1, 3, 7, 8, 11, 13, 15, 16, -1})
        EXPECT_FALSE(iconColourForCode(code)) << code;
}

TEST(DayIcon, TheDaysColourIsThatOfItsHighestCode)
{
    test::TempDatabase db;
    Store store = db.open();
    store.exec(QStringLiteral("DELETE FROM C_Univ_Temp"));
    store.exec(QStringLiteral("INSERT INTO C_Univ_Temp (Data, Eveniment, Culori, ID) VALUES "
                              "('2026-07-01', 'green', 2, 1), ('2026-07-01', 'red', 12, 2), "
                              "('2026-07-02', 'white', 7, 3)"));
    EXPECT_EQ(dayColourCode(store, Variant::Universal, {2026, 7, 1}), 12);
    EXPECT_EQ(dayColourCode(store, Variant::Universal, {2026, 7, 2}), 7);
    EXPECT_EQ(dayColourCode(store, Variant::Universal, {2026, 7, 3}), 0); // no row: black
    EXPECT_EQ(dayColourCode(store, Variant::Usa, {2026, 7, 1}), 0);       // the other table
}

TEST(EventDate, ById)
{
    test::TempDatabase db;
    Store store = db.open();
    BuildUsaYear(store, 2026);
    const auto rows = yearCelebrations(store, Variant::Usa);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(EventDateById(store, Variant::Usa, rows.back().id), QDate(2026, 12, 31));
    EXPECT_EQ(EventDateById(store, Variant::Usa, 1), QDate(2026, 1, 1));
    EXPECT_EQ(EventDateById(store, Variant::Usa, rows.back().id + 1), QDate(1899, 12, 30));
    EXPECT_EQ(EventDateById(store, Variant::Universal, 1), QDate(1899, 12, 30)); // not built
}

TEST(Colours, LiturgicalNames)
{
    EXPECT_EQ(liturgicalColourName(0), QStringLiteral("white"));
    EXPECT_EQ(liturgicalColourName(9), QStringLiteral("violet"));
    EXPECT_EQ(liturgicalColourName(12), QStringLiteral("red"));
    EXPECT_EQ(liturgicalColourName(14), QStringLiteral("light yellow"));
}
