// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DayLookup.h"
#include "tests/support/UiTestSupport.h"
#include "ui/detail/DetailWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/search/SearchWindow.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace lumenar;
using lumenar::test::child;
using lumenar::test::UiFixture;

namespace {

class SearchWindowTest : public ::testing::Test
{
protected:
    SearchWindowTest() { show(Variant::Universal); }
    void show(Variant variant) { fixture.context->setShownCalendar(fixture.context->calendar(variant, 2026)); }

    SearchWindow *window() { return fixture.context->searchWindow(); }
    QLineEdit *box() { return child<QLineEdit>(window(), "cmbSearch"); }
    QTreeView *list() { return child<QTreeView>(window(), "List1"); }
    // Each result as "name | date".
    QStringList results()
    {
        QStringList rows;
        const QAbstractItemModel *model = list()->model();
        for (int r = 0; r < model->rowCount(); ++r)
            rows << model->index(r, 0).data().toString() + QStringLiteral(" | ") + model->index(r, 1).data().toString();
        return rows;
    }
    int shownId() { return fixture.context->detailWindow()->shownEventId(); }

    UiFixture fixture;
};

TEST_F(SearchWindowTest, ListsWhatIsTypedInTheShownYear)
{
    window()->showSearch();
    EXPECT_EQ(
        child<QLineEdit>(window(), "Combo1")->text(), QString::number(fixture.context->mainWindow()->shownYear()));
    // The keys stay in the text: the count is said through its description too.
    QLabel *count = child<QLabel>(window(), "Count");
    const auto counted = [&](const QString &text) {
        EXPECT_EQ(count->text(), text);
        EXPECT_EQ(box()->accessibleDescription(), text);
    };
    box()->setText(QStringLiteral("NATIVITY OF THE"));
    EXPECT_EQ(results(),
        QStringList({QStringLiteral("Nativity of the Blessed Virgin Mary | Tue, Sep-08"),
            QStringLiteral("The Nativity of the Lord (Christmas) | Fri, Dec-25")}));
    EXPECT_TRUE(list()->currentIndex().isValid());
    counted(QStringLiteral("2 celebrations found"));
    // Each row is read once: the name, then the date in words.
    QAccessibleInterface *tree = QAccessible::queryAccessibleInterface(list());
    ASSERT_TRUE(tree && tree->tableInterface());
    QStringList spoken;
    for (int column = 0; column < tree->tableInterface()->columnCount(); ++column)
        spoken << tree->tableInterface()->cellAt(1, column)->text(QAccessible::Name);
    EXPECT_EQ(spoken.join(u'|'), QStringLiteral("The Nativity of the Lord (Christmas)|Friday, December 25"));

    box()->setText(QStringLiteral("ativity"));
    EXPECT_TRUE(results().isEmpty());
    counted(QStringLiteral("No celebration found"));
    box()->setText(QStringLiteral("andrew, a"));
    counted(QStringLiteral("1 celebration found"));
    box()->setText(QStringLiteral("n"));
    EXPECT_GT(results().size(), 3);
    box()->clear();
    EXPECT_TRUE(results().isEmpty());
    counted(QString());

    for (Variant variant : {Variant::Usa, Variant::Universal}) {
        show(variant);
        window()->search(QStringLiteral("thanksgiving"));
        EXPECT_EQ(results().size(), variant == Variant::Universal ? 0 : 1);
    }
}

TEST_F(SearchWindowTest, EachResultOpensItsOwnRow)
{
    const int first = fixture.context->shownCalendar()->day(QDate(2026, 1, 20))[0].id;
    const int second = fixture.context->shownCalendar()->day(QDate(2026, 6, 3))[0].id;
    std::vector<Celebration> rows = fixture.context->shownCalendar()->rows();
    rows[first - 1].name = rows[second - 1].name = QStringLiteral("Sts. Twin Martyrs");
    fixture.context->setShownCalendar(
        std::make_shared<const YearCalendar>(fixture.context->shownCalendar()->dates(), std::move(rows)));
    fixture.context->currentDate = QDate(2026, 12, 25);
    window()->showSearch();
    box()->setText(QStringLiteral("twin"));
    ASSERT_EQ(results().size(), 2);

    list()->setCurrentIndex(list()->model()->index(1, 0));
    QTest::keyClick(list(), Qt::Key_Return);
    EXPECT_EQ(fixture.context->currentEventId, second);
    ASSERT_TRUE(fixture.context->hasDetailWindow());
    EXPECT_EQ(shownId(), second);
    EXPECT_EQ(fixture.context->detailWindow()->shownDate(), QDate(2026, 6, 3));

    list()->setCurrentIndex(list()->model()->index(0, 0));
    child(window(), "cmd_Comment")->click();
    EXPECT_EQ(shownId(), first);

    const QPoint secondRow = list()->visualRect(list()->model()->index(1, 0)).center();
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, secondRow);
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, secondRow);
    EXPECT_EQ(shownId(), second);
}

TEST_F(SearchWindowTest, EscapeHidesKeepingTheSearchAndCloseUnloads)
{
    window()->showSearch();
    box()->setText(QStringLiteral("st. j"));
    const QStringList found = results();
    ASSERT_FALSE(found.isEmpty());
    for (QWidget *focus : {static_cast<QWidget *>(box()), static_cast<QWidget *>(list())}) {
        QTest::keyClick(focus, Qt::Key_Escape);
        EXPECT_FALSE(window()->isVisible());
        window()->showSearch();
        EXPECT_EQ(box()->text(), QStringLiteral("st. j"));
        EXPECT_EQ(results(), found);
    }
    child(window(), "cmd_Close")->click();
    EXPECT_FALSE(fixture.context->hasSearchWindow());
    window()->showSearch();
    EXPECT_TRUE(box()->text().isEmpty());
    EXPECT_TRUE(results().isEmpty());
}

// Whatever is typed is only ever searched for: no error, no crash, not a byte written.
TEST_F(SearchWindowTest, HostileTextsChangeNothing)
{
    const QString files[] = {fixture.db.path(), fixture.db.path() + QStringLiteral("-wal")};
    const QByteArray before = test::fileHash(files[0]) + test::fileHash(files[1]);
    const QStringList pieces = QStringLiteral("'|\"|''|`|;|--|/*|%|_|[|]|[!a-z]|\\|*|?|#|' OR '1'='1|"
                                              "'; DROP TABLE C_Univ_Temp; --|\") UNION SELECT * FROM Comentarii --|"
                                              "ESCAPE '\\'|st|é|İ|ß|\u0301|\u200f|\U0001F600| |,")
                                   .split(u'|');
    QRandomGenerator random(12);
    window()->showSearch();
    // Fonts complain about scripts they cannot shape; that is the point of these texts.
    const QtMessageHandler previous
        = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    for (int i = 0; i < 10000; ++i) {
        QString text;
        const int parts = i % 1000 == 999 ? 40000 : random.bounded(1, 9); // now and then very long
        // A piece, a control character (NUL included), half a surrogate pair, or any character.
        for (int k = 0; k < parts; ++k) {
            const int kind = random.bounded(4);
            if (kind == 0)
                text += pieces[random.bounded(int(pieces.size()))];
            else
                text += QChar(char16_t(kind == 1 ? random.bounded(0, 32)
                        : kind == 2              ? random.bounded(0xD800, 0xE000)
                                                 : random.bounded(0x20, 0x10000)));
        }
        // Through the text box, and straight in (the box may tidy what it is given).
        if (i % 2)
            box()->setText(text);
        else
            window()->search(text);
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(fixture.dialogs.texts().isEmpty()) << fixture.dialogs.texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(test::fileHash(files[0]) + test::fileHash(files[1]), before);
    window()->search(QStringLiteral("nativity of the lord"));
    EXPECT_EQ(results().size(), 1);
}

} // namespace
