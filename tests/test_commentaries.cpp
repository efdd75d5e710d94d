// SPDX-License-Identifier: GPL-3.0-or-later
// Every celebration has a commentary that the detail window can show.
#include "engine/YearAssembly.h"
#include "tests/support/TestDatabase.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace lumenar;

TEST(Commentaries, EveryOneIsRichTextWithAHeadingAndASubstantialBody)
{
    const Store store = Store::openReadOnly(test::builtDatabasePath());
    QSqlQuery q = store.exec("SELECT Eveniment, Comentariu FROM Comentarii");
    int count = 0;
    for (; q.next(); ++count) {
        const QString name = q.value(0).toString(), html = q.value(1).toString();
        QTextDocument document;
        document.setHtml(html);
        const QString plain = document.toPlainText();
        EXPECT_GE(plain.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts).size(), 60) << qPrintable(name);
        // The heading is the first block, and nothing reaches outside the document.
        EXPECT_EQ(document.firstBlock().blockFormat().headingLevel(), 2) << qPrintable(name);
        EXPECT_FALSE(html.contains(QRegularExpression("<script|<img|href", QRegularExpression::CaseInsensitiveOption)))
            << qPrintable(name);
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
    EXPECT_TRUE(readCommentary(store, usa.day({2026, 3, 4})[0]).contains("Weekdays of Lent"));
    EXPECT_TRUE(readCommentary(store, usa.day({2026, 7, 14})[0]).contains("Kateri"));
}
