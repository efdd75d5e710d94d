// SPDX-License-Identifier: GPL-3.0-or-later
// Every celebration has a commentary that the detail window can show.
#include "engine/DayLookup.h"
#include "engine/YearAssembly.h"
#include "tests/support/TestDatabase.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace lumenar;

namespace {

int wordCount(const QString &text)
{
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).size();
}

} // namespace

TEST(Commentaries, EveryOneIsRichTextWithAHeadingAndASubstantialBody)
{
    Store store = Store::open(test::builtDatabasePath());
    QSqlQuery q = store.exec(QStringLiteral("SELECT Eveniment, Comentariu FROM Comentarii"));
    int count = 0;
    while (q.next()) {
        ++count;
        const QString name = q.value(0).toString();
        const QString html = q.value(1).toString();
        QTextDocument document;
        document.setHtml(html);
        const QString plain = document.toPlainText();
        EXPECT_GE(wordCount(plain), 60) << qPrintable(name);
        // The heading is the first block, and nothing reaches outside the document.
        EXPECT_EQ(document.firstBlock().blockFormat().headingLevel(), 2) << qPrintable(name);
        EXPECT_FALSE(html.contains(QLatin1String("<script"), Qt::CaseInsensitive)) << qPrintable(name);
        EXPECT_FALSE(html.contains(QLatin1String("<img"), Qt::CaseInsensitive)) << qPrintable(name);
        EXPECT_FALSE(html.contains(QLatin1String("href"), Qt::CaseInsensitive)) << qPrintable(name);
        EXPECT_FALSE(plain.contains(u'<')) << "unbalanced markup in " << qPrintable(name);
    }
    EXPECT_GT(count, 300);
}

TEST(Commentaries, EveryRowOfTheYearHasOne)
{
    const Store store = Store::openReadOnly(test::builtDatabasePath());
    for (Variant variant : {Variant::Universal, Variant::Usa}) {
        for (int year : {2025, 2026, 2027}) {
            const YearCalendar calendar = test::assembledYear(variant, year);
            for (const Celebration &c : calendar.rows())
                ASSERT_FALSE(readCommentary(store, c).isEmpty()) << year << ' ' << qPrintable(c.name);
        }
    }
    // A weekday shares its season's commentary; a saint has one of its own.
    const YearCalendar usa = test::assembledYear(Variant::Usa, 2026);
    const QString lent = readCommentary(store, usa.day({2026, 3, 4})[0]);
    EXPECT_TRUE(lent.contains(QLatin1String("Weekdays of Lent"))) << qPrintable(lent.left(80));
    EXPECT_TRUE(readCommentary(store, usa.day({2026, 7, 14})[0]).contains(QLatin1String("Kateri")));
}

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
