// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DayLookup.h"
#include "engine/YearCalendar.h"
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

// A year answers by day and by number, for days with several rows, none, or another year.
TEST(YearCalendar, FindsDaysAndRows)
{
    auto row = [](int id, QDate date, int colour) {
        return Celebration{id, date, QString::number(id), {}, colour, 13, {}};
    };
    const YearCalendar year(computeYearDates(2024, Variant::Universal),
        {row(1, {2024, 1, 1}, 0), row(2, {2024, 2, 29}, 12), row(3, {2024, 2, 29}, 2), row(4, {2024, 12, 31}, 9)});
    EXPECT_EQ(year.day({2024, 2, 29}).size(), 2u);
    EXPECT_EQ(year.dayColour({2024, 2, 29}), 12); // the first row, highest code, decides
    EXPECT_EQ(year.dayColour({2024, 12, 31}), 9);
    EXPECT_EQ(year.dayColour({2024, 3, 1}), 0); // no row: black
    EXPECT_TRUE(year.day({2025, 1, 1}).empty());
    EXPECT_EQ(year.firstRowOf({2024, 2, 29}), 1);
    EXPECT_EQ(year.firstRowOf({2024, 12, 31}), 3);
    EXPECT_EQ(year.firstRowOf({2024, 2, 28}), -1);
    EXPECT_EQ(year.byId(4)->date, QDate(2024, 12, 31));
    EXPECT_EQ(year.byId(0), nullptr);
    EXPECT_EQ(year.byId(5), nullptr);
}

TEST(Colours, LiturgicalNames)
{
    EXPECT_EQ(liturgicalColourName(0), QStringLiteral("white"));
    EXPECT_EQ(liturgicalColourName(9), QStringLiteral("violet"));
    EXPECT_EQ(liturgicalColourName(12), QStringLiteral("red"));
    EXPECT_EQ(liturgicalColourName(14), QStringLiteral("light yellow"));
}
