// SPDX-License-Identifier: GPL-3.0-or-later
// The main window, offscreen: marking, the year and variant choices, layout and keys.
#include "engine/DateText.h"
#include "shell/HelpWindow.h"
#include "store/Settings.h"
#include "tests/support/UiTestSupport.h"
#include "ui/DayDetailsLabel.h"
#include "ui/PictureButton.h"
#include "ui/WindowPlacement.h"
#include "ui/main/MainWindow.h"
#include "ui/main/YearBox.h"
#include "ui/main/YearListModel.h"
#include "ui/main/YearListView.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStyleOptionSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace lumenar;
using lumenar::test::UiFixture;

namespace {

class MainWindowTest : public ::testing::Test
{
protected:
    QTemporaryDir settingsDir; // keeps the user's own settings out of reach

    void SetUp() override { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path()); }

    // The window of a fixture, shown offscreen at a known size.
    static MainWindow *open(UiFixture &f)
    {
        MainWindow *w = f.context->mainWindow();
        w->resize(640, 720);
        w->showWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
        return w;
    }
    template <typename T> static T *child(MainWindow *w, const char *name)
    {
        T *found = w->findChild<T *>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }
    static YearListView *grid(MainWindow *w) { return child<YearListView>(w, "Grid"); }
    static YearBox *yearBox(MainWindow *w) { return child<YearBox>(w, "Text1"); }
    static QPushButton *showButton(MainWindow *w) { return child<QPushButton>(w, "Label1"); }
    static void applyYear(MainWindow *w, const QString &text)
    {
        yearBox(w)->setYearText(text);
        showButton(w)->click();
    }
    // The marked day's date, the marked row, and the current cell agree.
    static void expectMarked(UiFixture &f, MainWindow *w, const QDate &day, int row)
    {
        const YearListModel &m = w->listModel();
        ASSERT_GE(row, 0);
        EXPECT_EQ(m.row(row).date, day);
        EXPECT_EQ(m.markedEventRow(), row);
        EXPECT_EQ(m.markedDateRow(), m.dayStart(row));
        EXPECT_EQ(grid(w)->currentIndex(), grid(w)->nameCell(row));
        EXPECT_EQ(f.context->currentEventId, m.row(row).id);
        EXPECT_EQ(f.context->currentDate, day);
    }
    static QPoint cellCentre(MainWindow *w, int row, int column)
    {
        YearListView *g = grid(w);
        return QPoint(g->columnViewportPosition(column) + g->columnWidth(column) / 2,
            g->rowViewportPosition(row) + g->rowHeight(row) / 2);
    }
};

} // namespace

TEST_F(MainWindowTest, MarksTodayFourthFromTopUnderOneDateCell)
{
    UiFixture f(QDate(2026, 10, 9));
    MainWindow *w = open(f);
    const YearListModel &m = w->listModel();
    const int row = m.firstRowOf(QDate(2026, 10, 9));
    expectMarked(f, w, QDate(2026, 10, 9), row);
    EXPECT_EQ(child<DayDetailsLabel>(w, "DayDetails")->line(),
        QStringLiteral("Ordinary Time · Year A · Weekday II · Psalter week 3"));
    EXPECT_EQ(grid(w)->rowAt(0), row - 3);
    EXPECT_EQ(grid(w)->rowSpan(row, YearListModel::DateColumn), 3);
    EXPECT_EQ(grid(w)->rowSpan(row, YearListModel::NameColumn), 1);
    EXPECT_EQ(yearBox(w)->yearText(), QStringLiteral("2026"));
    EXPECT_EQ(child<QComboBox>(w, "Combo1")->currentText(), QStringLiteral("The Universal Lumenar"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Lumenar"));
}

// Whatever brings today back, its row stands fourth from the top once the window is seen.
TEST_F(MainWindowTest, TodayStandsFourthFromTheTopAfterEveryWayBack)
{
    UiFixture f(QDate(2026, 6, 9));
    MainWindow *w = open(f);
    const struct
    {
        const char *how;
        std::function<void()> act;
    } ways[] = {
        {"Ctrl+T", [&] { QTest::keyClick(grid(w), Qt::Key_T, Qt::ControlModifier); }},
        {"Go to today", [&] { w->goToToday(); }},
        {"the same year", [&] { applyYear(w, QStringLiteral("2026")); }},
        {"another year", [&] { applyYear(w, QStringLiteral("2030")); }},
        {"back to this year", [&] { applyYear(w, QStringLiteral("2026")); }},
        {"the USA calendar", [&] { w->chooseVariant(Variant::Usa); }},
        {"the Universal calendar", [&] { w->chooseVariant(Variant::Universal); }},
        {"a new day, window open",
            [&] {
                f.clock.advance(1);
                w->refreshAfterDayChange();
            }},
        {"a new day, window hidden",
            [&] {
                w->hide();
                f.clock.advance(1);
                w->refreshAfterDayChange();
                w->showWindow();
                ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
            }},
    };
    for (const auto &way : ways) {
        QTest::keyClick(grid(w), Qt::Key_End); // away from today first
        way.act();
        QApplication::processEvents();
        const QDate today = f.clock.today();
        const int row = w->listModel().firstRowOf(sameDayInYear(today, w->shownYear()));
        ASSERT_GT(row, 3) << way.how;
        EXPECT_EQ(grid(w)->rowAt(0), row - 3) << way.how;
        EXPECT_EQ(grid(w)->currentIndex().row(), row) << way.how;
    }
}

// A screen reader hears each row once, date, name and colour, and hears of the list's
// current row only while the list has the keys: then when the window opens, after Ctrl+T
// from anywhere and after a year is shown.
TEST_F(MainWindowTest, TheListIsReadRowByRowAndOnlyWhenItHasTheFocus)
{
    UiFixture f(QDate(2026, 10, 9));
    MainWindow *w = f.context->mainWindow();
    YearListView *g = grid(w);
    QList<QModelIndex> announced;
    g->announceFocus = [&](const QModelIndex &cell) { announced << cell; };
    open(f);
    const auto rowOf = [&](const QDate &day) { return w->listModel().firstRowOf(day); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return !announced.isEmpty(); }));
    EXPECT_EQ(announced.last().row(), rowOf(QDate(2026, 10, 9))) << "the window opens on today's row";

    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(g);
    ASSERT_TRUE(table && table->tableInterface());
    EXPECT_EQ(table->tableInterface()->columnCount(), 2);
    const int row = rowOf(QDate(2026, 10, 9));
    QAccessibleInterface *date = table->tableInterface()->cellAt(row + 1, YearListModel::DateColumn);
    QAccessibleInterface *name = table->tableInterface()->cellAt(row + 1, YearListModel::NameColumn);
    EXPECT_EQ(date->text(QAccessible::Name), QStringLiteral("Friday, October 9, 2026"));
    EXPECT_EQ(name->text(QAccessible::Name), w->listModel().row(row + 1).name);
    EXPECT_TRUE(name->text(QAccessible::Description).startsWith(QLatin1String("liturgical colour ")));

    // Keys in the calendar chooser or the year box: the row moves, nothing is announced.
    auto *combo = child<QComboBox>(w, "Combo1");
    combo->setFocus();
    announced.clear();
    QTest::keyClick(combo, Qt::Key_Up);
    QTest::keyClick(combo, Qt::Key_Down);
    yearBox(w)->setFocus();
    QTest::keyClick(yearBox(w), Qt::Key_Up);
    QApplication::processEvents();
    EXPECT_TRUE(announced.isEmpty());
    EXPECT_TRUE(combo->accessibleDescription().startsWith(QStringLiteral("Friday, October 9, 2026: ")))
        << qPrintable(combo->accessibleDescription());

    // Enter shows the year: the list takes the keys on the day's row of that year.
    QTest::keyClick(yearBox(w), Qt::Key_Return);
    EXPECT_TRUE(g->hasFocus());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !announced.isEmpty(); }));
    EXPECT_EQ(announced.last().row(), rowOf(QDate(2027, 10, 9)));

    combo->setFocus();
    announced.clear();
    QTest::keyClick(combo, Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(g->hasFocus());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !announced.isEmpty(); }));
    EXPECT_EQ(announced.last().row(), rowOf(QDate(2026, 10, 9)));
}

TEST_F(MainWindowTest, TheMarkFollowsTheCurrentCellAndStaysInTheNameColumn)
{
    UiFixture f(QDate(2026, 10, 9));
    MainWindow *w = open(f);
    YearListView *g = grid(w);
    const YearListModel &m = w->listModel();
    const int first = m.firstRowOf(QDate(2026, 10, 9));

    // A click on the merged date cell, beside the day's third name, takes that row.
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCentre(w, first + 2, YearListModel::DateColumn));
    expectMarked(f, w, QDate(2026, 10, 9), first + 2);

    QTest::keyClick(g, Qt::Key_Down);
    expectMarked(f, w, QDate(2026, 10, 10), first + 3);
    QTest::keyClick(g, Qt::Key_Left);
    expectMarked(f, w, QDate(2026, 10, 10), first + 3);
    QTest::keyClick(g, Qt::Key_Up);
    QTest::keyClick(g, Qt::Key_Up);
    expectMarked(f, w, QDate(2026, 10, 9), first + 1);

    QTest::keyClick(g, Qt::Key_End);
    expectMarked(f, w, QDate(2026, 12, 31), m.rowCount() - 1);
    QTest::keyClick(g, Qt::Key_Home);
    expectMarked(f, w, QDate(2026, 1, 1), 0);
    EXPECT_EQ(child<DayDetailsLabel>(w, "DayDetails")->line(),
        QStringLiteral("Christmas Time · Year A · Weekday II · Psalter week 1 · Holy day of obligation"));

    // A programmatic move to a date cell ends in the name column too.
    QTest::keyClick(g, Qt::Key_PageDown);
    g->setCurrentIndex(g->model()->index(0, YearListModel::DateColumn));
    expectMarked(f, w, QDate(2026, 1, 1), 0);
}

TEST_F(MainWindowTest, DoubleClickAndEnterOpenTheRowPointedAt)
{
    UiFixture f(QDate(2026, 10, 9));
    MainWindow *w = open(f);
    const YearListModel &m = w->listModel();
    const int first = m.firstRowOf(QDate(2026, 10, 9));
    QTest::mouseDClick(grid(w)->viewport(), Qt::LeftButton, {}, cellCentre(w, first + 1, YearListModel::DateColumn));
    EXPECT_EQ(f.context->currentEventId, m.row(first + 1).id);
    EXPECT_TRUE(f.context->hasDetailWindow());

    f.context->unloadDetailWindow();
    QTest::keyClick(grid(w), Qt::Key_Down);
    QTest::keyClick(grid(w), Qt::Key_Return);
    EXPECT_EQ(f.context->currentEventId, m.row(first + 2).id);
    EXPECT_TRUE(f.context->hasDetailWindow());
}

TEST_F(MainWindowTest, TwentyNinthOfFebruaryMarksTheFirstOfMarchInACommonYear)
{
    UiFixture f(QDate(2028, 2, 29));
    MainWindow *w = open(f);
    expectMarked(f, w, QDate(2028, 2, 29), w->listModel().firstRowOf(QDate(2028, 2, 29)));
    applyYear(w, QStringLiteral("2027"));
    EXPECT_EQ(w->shownYear(), 2027);
    expectMarked(f, w, QDate(2027, 3, 1), w->listModel().firstRowOf(QDate(2027, 3, 1)));
}

TEST_F(MainWindowTest, YearsOutsideTheRangeAreRefusedWithAMessage)
{
    UiFixture f(QDate(2026, 10, 9));
    MainWindow *w = open(f);
    const struct
    {
        const char *text;
        int shown; // 0: refused, the shown year stays
    } steps[] = {{"1582", 0}, {"4901", 0}, {"twenty", 0}, {"", 0}, {"4900", 4900}, {"1582", 0}, {"1583", 1583}};
    int expectedYear = 2026;
    for (const auto &step : steps) {
        const qsizetype before = f.dialogs.shown.size();
        applyYear(w, QString::fromLatin1(step.text));
        if (step.shown == 0) {
            ASSERT_EQ(f.dialogs.shown.size(), before + 1) << step.text;
            EXPECT_EQ(f.dialogs.shown.last().title, QStringLiteral("Year selection"));
            EXPECT_EQ(
                f.dialogs.shown.last().text, QStringLiteral("Selected year must be a number between 1583 and 4900!"));
            EXPECT_EQ(f.dialogs.shown.last().icon, QMessageBox::Information);
        } else {
            EXPECT_EQ(f.dialogs.shown.size(), before) << step.text;
            expectedYear = step.shown;
        }
        EXPECT_EQ(w->shownYear(), expectedYear) << step.text;
        EXPECT_EQ(yearBox(w)->yearText(), QString::number(expectedYear)) << step.text;
        EXPECT_EQ(f.context->shownCalendar()->year(), expectedYear);
        EXPECT_EQ(w->listModel().row(0).date.year(), expectedYear);
    }
    expectMarked(f, w, QDate(1583, 10, 9), w->listModel().firstRowOf(QDate(1583, 10, 9)));
}

TEST_F(MainWindowTest, AnUnchangedYearBuildsNothingAndMarksTodayAgain)
{
    UiFixture f(QDate(2026, 10, 9));
    MainWindow *w = open(f);
    const int builds = f.context->yearAssemblies();
    QTest::keyClick(grid(w), Qt::Key_PageDown);
    ASSERT_NE(f.context->currentDate, QDate(2026, 10, 9));
    applyYear(w, QStringLiteral("2026"));
    EXPECT_EQ(f.context->yearAssemblies(), builds);
    EXPECT_TRUE(f.dialogs.shown.isEmpty());
    expectMarked(f, w, QDate(2026, 10, 9), w->listModel().firstRowOf(QDate(2026, 10, 9)));
}

TEST_F(MainWindowTest, ShiftStepsByTenAndASpunYearWaitsOnTheButton)
{
    UiFixture f(QDate(2026, 10, 9));
    MainWindow *w = open(f);
    YearBox *box = yearBox(w);
    QPushButton *show = showButton(w);

    box->setFocus();
    QTest::keyClick(box, Qt::Key_Up);
    EXPECT_EQ(box->yearText(), QStringLiteral("2027"));
    QTest::keyClick(box, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(box->yearText(), QStringLiteral("2017"));
    EXPECT_TRUE(show->font().bold());

    // Shift held anywhere in the window, then the arrow clicked with the mouse.
    QTest::keyPress(grid(w), Qt::Key_Shift);
    EXPECT_EQ(box->increment(), 10);
    QTest::keyRelease(grid(w), Qt::Key_Shift);
    EXPECT_EQ(box->increment(), 1);

    QStyleOptionSpinBox option;
    option.initFrom(box);
    option.subControls = QStyle::SC_All;
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    const QRect up = box->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, box);
    QTest::mouseClick(box, Qt::LeftButton, Qt::ShiftModifier, up.center());
    EXPECT_EQ(box->yearText(), QStringLiteral("2027"));
    QTest::mouseClick(box, Qt::LeftButton, {}, up.center());
    EXPECT_EQ(box->yearText(), QStringLiteral("2028"));
    EXPECT_TRUE(show->hasFocus()); // so Enter or Space applies
    EXPECT_TRUE(show->font().bold());

    QTest::keyClick(show, Qt::Key_Space);
    EXPECT_EQ(w->shownYear(), 2028);
    EXPECT_FALSE(show->font().bold());

    // After a click on an arrow, Enter and keypad Enter apply as Space does, and the box's
    // own Up and Down keys still step.
    for (const auto &enter : {std::pair{Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Enter, Qt::KeypadModifier}}) {
        QTest::mouseClick(box, Qt::LeftButton, {}, up.center());
        ASSERT_TRUE(show->hasFocus());
        // Past the moment a held arrow would start repeating.
        QTest::qWait(box->style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatThreshold) + 300);
        const int spun = box->yearText().toInt();
        QTest::keyClick(show, enter.first, enter.second);
        EXPECT_EQ(w->shownYear(), spun);
        EXPECT_FALSE(show->font().bold());
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Up);
        EXPECT_EQ(box->yearText().toInt(), spun + 1);
        QTest::keyClick(box, Qt::Key_Down);
        QTest::keyClick(box, Qt::Key_Down);
        EXPECT_EQ(box->yearText().toInt(), spun - 1);
    }
}

// The year box is a value for assistive technology: the year within 1583-4900, stepped
// through it, and a stepped year not yet shown is said in its description.
TEST_F(MainWindowTest, TheYearBoxIsAValueWithItsRange)
{
    UiFixture f(QDate(2026, 10, 9));
    MainWindow *w = open(f);
    QAccessibleInterface *box = QAccessible::queryAccessibleInterface(yearBox(w));
    ASSERT_TRUE(box && box->valueInterface());
    QAccessibleValueInterface *value = box->valueInterface();
    EXPECT_EQ(value->currentValue().toInt(), 2026);
    EXPECT_EQ(value->minimumValue().toInt(), 1583);
    EXPECT_EQ(value->maximumValue().toInt(), 4900);
    EXPECT_EQ(value->minimumStepSize().toInt(), 1);
    const QString pending = QStringLiteral("Not shown yet: Enter shows this year");
    EXPECT_NE(box->text(QAccessible::Description), pending);

    // Increase and decrease as assistive technology does them, and past the end.
    for (const auto &[to, expected] : {std::pair{2027, 2027}, {2025, 2025}, {5000, 4900}, {1000, 1583}}) {
        value->setCurrentValue(to);
        EXPECT_EQ(yearBox(w)->yearText(), QString::number(expected));
        EXPECT_EQ(value->currentValue().toInt(), expected);
    }
    EXPECT_EQ(box->text(QAccessible::Description), pending);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(showButton(w))->text(QAccessible::Description), pending);
    EXPECT_EQ(w->shownYear(), 2026);

    showButton(w)->click();
    EXPECT_EQ(w->shownYear(), 1583);
    EXPECT_NE(box->text(QAccessible::Description), pending);
}

TEST_F(MainWindowTest, LeavingASpunYearDropsIt)
{
    UiFixture f(QDate(2026, 10, 9));
    MainWindow *w = open(f);
    const int builds = f.context->yearAssemblies();
    yearBox(w)->stepBy(3);
    showButton(w)->setFocus();
    EXPECT_EQ(yearBox(w)->yearText(), QStringLiteral("2029"));
    grid(w)->setFocus();
    EXPECT_EQ(yearBox(w)->yearText(), QStringLiteral("2026"));
    EXPECT_FALSE(showButton(w)->font().bold());
    EXPECT_EQ(f.context->yearAssemblies(), builds);
    EXPECT_EQ(w->shownYear(), 2026);
}

TEST_F(MainWindowTest, TheUsaEntryIsStoredAsSuaAndShownAsUsaNextTime)
{
    {
        UiFixture f(QDate(2026, 11, 23));
        MainWindow *w = open(f);
        QSignalSpy variantChanged(f.context.get(), &AppContext::variantChanged);
        auto *combo = child<QComboBox>(w, "Combo1");
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Up); // to "The USA Lumenar"
        EXPECT_EQ(combo->currentText(), QStringLiteral("The USA Lumenar"));
        EXPECT_EQ(Settings().text(Settings::Key::Variant), QStringLiteral("SUA"));
        EXPECT_EQ(f.context->variant(), Variant::Usa);
        EXPECT_EQ(variantChanged.count(), 1);
        EXPECT_EQ(f.context->shownCalendar()->variant(), Variant::Usa);
        const std::vector<Celebration> usa = test::assembledYear(Variant::Usa, 2026).rows();
        ASSERT_EQ(std::size_t(w->listModel().rowCount()), usa.size());
        EXPECT_EQ(w->listModel().rows().back().name, usa.back().name);
        expectMarked(f, w, QDate(2026, 11, 23), w->listModel().firstRowOf(QDate(2026, 11, 23)));
    }
    UiFixture next(QDate(2026, 11, 23), Settings().text(Settings::Key::Variant));
    MainWindow *w = open(next);
    EXPECT_EQ(child<QComboBox>(w, "Combo1")->currentText(), QStringLiteral("The USA Lumenar"));
    EXPECT_EQ(next.context->variant(), Variant::Usa);
    EXPECT_EQ(next.context->shownCalendar()->variant(), Variant::Usa);
}

TEST_F(MainWindowTest, AWiderWindowWidensEachButtonByAQuarter)
{
    UiFixture f;
    MainWindow *w = open(f);
    const char *names[] = {"Command1", "Command2", "Command3", "Command4"};
    auto measure = [&] {
        QList<QRect> r;
        for (const char *n : names)
            r << child<QPushButton>(w, n)->geometry();
        return r;
    };
    w->resize(600, 600);
    QApplication::processEvents();
    const QList<QRect> narrow = measure();
    const int yearGap = w->width() - yearBox(w)->geometry().right();
    const int nameWidth = grid(w)->columnWidth(YearListModel::NameColumn);
    w->resize(1000, 600);
    QApplication::processEvents();
    const QList<QRect> wide = measure();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(wide[i].width() - narrow[i].width(), 100) << names[i];
        EXPECT_EQ(wide[i].top(), narrow[i].top());
    }
    const int leftGap = wide[0].left();
    EXPECT_EQ(w->width() - 1 - wide[3].right(), leftGap);
    EXPECT_EQ(wide[1].left() - wide[0].right() - 1, leftGap);
    EXPECT_EQ(w->width() - yearBox(w)->geometry().right(), yearGap);
    EXPECT_EQ(grid(w)->columnWidth(YearListModel::NameColumn), nameWidth + 400);
    EXPECT_NEAR(f.context->positions[wMain], pixelsToTwips(1000, screenDpiX()), 1e-6);
}

TEST_F(MainWindowTest, F1HelpsAndEscapeAndCloseHideTheWindow)
{
    UiFixture f;
    MainWindow *w = open(f);
    QTest::keyClick(grid(w), Qt::Key_F1);
    HelpWindow *help = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        help = help ? help : qobject_cast<HelpWindow *>(top);
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->currentPage().fileName(), QStringLiteral("main.html"));
    help->hide();
    w->activateWindow();

    QSignalSpy closed(f.context.get(), &AppContext::mainWindowClosed);
    QTest::keyClick(grid(w), Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
    w->showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    QTest::keyClick(grid(w), Qt::Key_C, Qt::AltModifier); // the button shows its press first
    EXPECT_TRUE(QTest::qWaitFor([w] { return !w->isVisible(); }));
    w->showWindow();
    w->close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(closed.count(), 3);
    EXPECT_EQ(f.context->mainWindow(), w); // hidden, not destroyed
}

TEST_F(MainWindowTest, GoToTodayAndTheDayChangeKeepTheRightYear)
{
    UiFixture f(QDate(2026, 12, 31));
    MainWindow *w = open(f);
    applyYear(w, QStringLiteral("2030"));
    QTest::keyClick(grid(w), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(w->shownYear(), 2026);
    expectMarked(f, w, QDate(2026, 12, 31), w->listModel().rowCount() - 1);

    // Across New Year the shell builds the new current year; the window keeps 2026.
    f.clock.advance(1);
    f.context->calendar(Variant::Universal, 2027);
    w->refreshAfterDayChange();
    EXPECT_EQ(w->shownYear(), 2026);
    EXPECT_EQ(yearBox(w)->yearText(), QStringLiteral("2026"));
    EXPECT_EQ(w->listModel().row(0).date.year(), 2026);
    EXPECT_EQ(f.context->shownCalendar()->year(), 2026);
    expectMarked(f, w, QDate(2026, 1, 1), 0);
}

TEST_F(MainWindowTest, ChangingTheYearClosesTheDetailAndSearchWindows)
{
    UiFixture f;
    MainWindow *w = open(f);
    w->openComment();
    w->openSearch();
    ASSERT_TRUE(f.context->hasDetailWindow() && f.context->hasSearchWindow());
    applyYear(w, QStringLiteral("2000"));
    EXPECT_FALSE(f.context->hasDetailWindow());
    EXPECT_FALSE(f.context->hasSearchWindow());
}

TEST_F(MainWindowTest, ExportWritesWhatTheCommandLineWrites)
{
    QTemporaryDir out;
    for (const char *variant : {"Universal", "SUA"}) {
        UiFixture f(QDate(2026, 10, 9), QString::fromLatin1(variant));
        MainWindow *w = open(f);
        const QString path = out.filePath(QStringLiteral("year-%1").arg(QLatin1String(variant)));
        f.dialogs.fileAnswers << path;
        w->exportYear();
        QFile file(path + QStringLiteral(".ics"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << variant;

        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), out.path());
        cli.setProcessEnvironment(env);
        cli.start(QDir(test::binDir()).filePath(QStringLiteral("lumenar-cli")),
            {QStringLiteral("2026"), QStringLiteral("--variant"), displayName(f.context->variant()),
                QStringLiteral("--format"), QStringLiteral("ics")});
        ASSERT_TRUE(cli.waitForFinished(60000));
        auto withoutStamp = [](QByteArray text) {
            QList<QByteArray> lines = text.split('\n');
            lines.removeIf([](const QByteArray &l) { return l.startsWith("DTSTAMP:"); });
            return lines;
        };
        const QList<QByteArray> ours = withoutStamp(file.readAll());
        EXPECT_GT(ours.size(), 2000);
        EXPECT_TRUE(ours == withoutStamp(cli.readAllStandardOutput())) << variant;
    }
}

TEST_F(MainWindowTest, ControlsAreNamedForAssistiveTechnology)
{
    UiFixture f;
    MainWindow *w = open(f);
    for (QWidget *widget : w->findChildren<QWidget *>()) {
        if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(w) || widget->focusProxy())
            continue;
        auto *button = qobject_cast<QAbstractButton *>(widget);
        const bool named = !widget->accessibleName().isEmpty() || (button && !button->text().trimmed().isEmpty());
        EXPECT_TRUE(named || qobject_cast<QLineEdit *>(widget)) << qPrintable(widget->objectName());
    }
    // Tab goes round the window in reading order.
    QWidget *order[] = {child<QComboBox>(w, "Combo1"), showButton(w), yearBox(w), child<QPushButton>(w, "Command1"),
        child<QPushButton>(w, "Command2"), child<QPushButton>(w, "Command3"), child<QPushButton>(w, "Command4"),
        grid(w)};
    order[0]->setFocus();
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_TRUE(QApplication::focusWidget() == order[i] || order[i]->isAncestorOf(QApplication::focusWidget()))
            << i;
    }
}
