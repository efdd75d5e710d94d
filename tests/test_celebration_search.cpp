// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/CelebrationSearch.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace lumenar;

TEST(CelebrationSearch, FindsWordStartsOnly)
{
    const char16_t *joseph = u"St. Joseph, Husband of Mary";
    const struct
    {
        const char16_t *name;
        const char16_t *typed;
        bool found;
    } cases[] = {// The whole name, its beginning, after a blank or a comma, never inside a word; one phrase.
        {joseph, joseph, true}, {joseph, u"st. jo", true}, {joseph, u"husb", true},
        {u"Sts. Cyril,Methodius", u"meth", true}, {joseph, u"oseph", false}, {joseph, u"band", false},
        {joseph, u"husband of", true}, {joseph, u"of husband", false}, {joseph, u"joseph mary", false},
        {u"St. Joseph", u"", false}, {u"St. Joseph", u"st. joseph, husband", false},
        // Case and accents, for every script.
        {u"St. André Bessette", u"ANDRE", true}, {u"Bl. Miguel Agustín Pro", u"agustin", true},
        {u"Bl. Miguel Agustin Pro", u"AGUSTÍN", true}, {u"Άγιος Νικόλαος", u"νικολαος", true},
        {u"ΣΟΦΊΑ", u"σοφια", true}, {u"Святой Николай", u"НИКОЛАЙ", true}, {u"Heilige Straße", u"STRASSE", true},
        {u"Święty Łukasz", u"lukasz", true}, {u"Sts. Peter’s Chains", u"peter's", true}, {u"ﬁrst Vespers", u"fi", true},
        // The two wildcards.
        {u"St. Joseph", u"j*h", true}, {u"St. Joseph", u"j?seph", true}, {u"St. Joseph", u"*seph", true},
        {u"St. Joseph", u"j??", true}, {u"St. Jo", u"j???", false}, {u"St. Joseph", u"*", true},
        {u"St. Joseph", u"j**h", true},
        // Everything else is itself.
        {u"St. Joseph", u"%", false}, {u"St. Joseph", u"j%", false}, {u"St. Joseph", u"_oseph", false},
        {u"St. Joseph", u"[j]oseph", false}, {u"St. [j]oseph", u"[j]oseph", true}, {u"St. Joseph", u"#", false},
        {u"Day 1 of 50% off", u"50%", true}, {u"St. Mary Magdalene de' Pazzi", u"de' pa", true},
        {u"St. Joseph", u"' OR '1'='1", false}, {u"a\\b", u"a\\b", true}, {u"a\\b", u"a\\\\b", false}};
    for (const auto &c : cases) {
        const QString name = QString::fromUtf16(c.name), typed = QString::fromUtf16(c.typed);
        EXPECT_EQ(nameMatches(name, typed), c.found) << name.toStdString() << " / " << typed.toStdString();
    }
}

TEST(CelebrationSearch, OddTextsNeitherCrashNorHang)
{
    const QString name = QStringLiteral("St. Joseph, Husband of Mary");
    EXPECT_FALSE(nameMatches(name, QString(QChar(0xD800)) + QStringLiteral("x") + QChar(0xDFFF))); // lone surrogates
    EXPECT_FALSE(nameMatches(name, QString(100000, QLatin1Char('*')) + QStringLiteral("z")));
    EXPECT_TRUE(nameMatches(name, QStringLiteral("*a*a*")));
    EXPECT_FALSE(nameMatches(name, QStringLiteral("*a").repeated(50000)));
    EXPECT_FALSE(nameMatches(name, QString(3, QChar(0x0301)))); // only marks: folds to nothing
}

TEST(YearSearch, SearchesTheYearInDateOrder)
{
    const CelebrationSearch universal(test::assembledYear(Variant::Universal, 2026).rows());
    const CelebrationSearch usa(test::assembledYear(Variant::Usa, 2026).rows());
    EXPECT_TRUE(universal.find(u"thanksgiving").empty());
    EXPECT_TRUE(universal.find(u"").empty());
    const std::vector<int> found = usa.find(u"thanksgiving");
    ASSERT_EQ(found.size(), 1u);
    const SearchEntry &row = usa.entries()[found[0]];
    EXPECT_EQ(row.date, QDate(2026, 11, 26));
    EXPECT_EQ(row.weekday, QStringLiteral("Thu"));
    EXPECT_GT(row.id, 0);
    const std::vector<int> letter = universal.find(u"s");
    ASSERT_GT(letter.size(), 50u);
    for (std::size_t i = 1; i < letter.size(); ++i)
        EXPECT_LT(universal.entries()[letter[i - 1]].id, universal.entries()[letter[i]].id);
}
