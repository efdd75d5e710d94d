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

TEST(Commentaries, TheViewsCarryThemForEveryRowOfTheYear)
{
    test::TempDatabase db;
    Store store = db.open();
    for (Variant variant : {Variant::Universal, Variant::Usa}) {
        for (int year : {2025, 2026, 2027}) {
            BuildYear(store, variant, static_cast<std::int16_t>(year));
            const QString view = tablesFor(variant).view;
            EXPECT_EQ(
                store
                    .scalar(
                        QStringLiteral("SELECT count(*) FROM %1 WHERE Comentariu IS NULL OR Comentariu = ''").arg(view))
                    .toInt(),
                0)
                << qPrintable(view) << ' ' << year;
        }
    }
    // A weekday shares its season's commentary; a saint has one of its own.
    BuildUsaYear(store, 2026);
    const QString lent
        = store.scalar(QStringLiteral("SELECT Comentariu FROM C_USA WHERE Data = '2026-03-04'")).toString();
    EXPECT_TRUE(lent.contains(QLatin1String("Weekdays of Lent"))) << qPrintable(lent.left(80));
    const QString kateri
        = store.scalar(QStringLiteral("SELECT Comentariu FROM C_USA WHERE Data = '2026-07-14'")).toString();
    EXPECT_TRUE(kateri.contains(QLatin1String("Kateri")));
}

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
