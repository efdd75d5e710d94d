// SPDX-License-Identifier: GPL-3.0-or-later
// The main window, offscreen: marking, the year and variant choices, layout and keys.
#include "engine/DateText.h"
#include "shell/HelpWindow.h"
#include "store/Settings.h"
#include "tests/support/UiTestSupport.h"
#include "ui/DayDetailsLabel.h"
#include "ui/WindowPlacement.h"
#include "ui/main/MainWindow.h"
#include "ui/main/YearBox.h"
#include "ui/main/YearListModel.h"
#include "ui/main/YearListView.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
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
using lumenar::test::child;
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
    static YearListView *grid(MainWindow *w) { return child<YearListView>(w, "Grid"); }
    static YearBox *yearBox(MainWindow *w) { return child<YearBox>(w, "Text1"); }
    static QComboBox *combo(MainWindow *w) { return child<QComboBox>(w, "Combo1"); }
    static QString dayLine(MainWindow *w) { return child<DayDetailsLabel>(w, "DayDetails")->line(); }
    static void applyYear(MainWindow *w, const QString &text)
    {
        yearBox(w)->setYearText(text);
        child(w, "Label1")->click();
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
    static void expectMarked(UiFixture &f, MainWindow *w, const QDate &day)
    {
        expectMarked(f, w, day, w->listModel().firstRowOf(day));
    }
    static QPoint dateCellCentre(MainWindow *w, int row)
    {
        YearListView *g = grid(w);
        return QPoint(
            g->columnViewportPosition(YearListModel::DateColumn) + g->columnWidth(YearListModel::DateColumn) / 2,
            g->rowViewportPosition(row) + g->rowHeight(row) / 2);
    }
};

} // namespace

TEST_F(MainWindowTest, MarksTodayFourthFromTopAndTheMarkFollowsTheCurrentRow)
{
    UiFixture f(QDate(2026, 10, 9));
    MainWindow *w = open(f);
    YearListView *g = grid(w);
    const YearListModel &m = w->listModel();
    const int first = m.firstRowOf(QDate(2026, 10, 9));
    expectMarked(f, w, QDate(2026, 10, 9), first);
    EXPECT_EQ(dayLine(w), QStringLiteral("Ordinary Time · Year A · Weekday II · Psalter week 3"));
    EXPECT_EQ(g->rowAt(0), first - 3);
    EXPECT_EQ(g->rowSpan(first, YearListModel::DateColumn), 3);
    EXPECT_EQ(g->rowSpan(first, YearListModel::NameColumn), 1);
    EXPECT_EQ(yearBox(w)->yearText(), QStringLiteral("2026"));
    EXPECT_EQ(combo(w)->currentText(), QStringLiteral("The Universal Lumenar"));

    // A click on the merged date cell, beside the day's third name, takes that row.
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, dateCellCentre(w, first + 2));
    expectMarked(f, w, QDate(2026, 10, 9), first + 2);
    const auto press = [&](Qt::Key key, const QDate &day, int row) {
        QTest::keyClick(g, key);
        expectMarked(f, w, day, row);
    };
    press(Qt::Key_Down, QDate(2026, 10, 10), first + 3);
    press(Qt::Key_Left, QDate(2026, 10, 10), first + 3);
    press(Qt::Key_Up, QDate(2026, 10, 9), first + 2);
    press(Qt::Key_Up, QDate(2026, 10, 9), first + 1);

    // A double click and Enter open the row pointed at.
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, dateCellCentre(w, first + 2));
    EXPECT_EQ(f.context->currentEventId, m.row(first + 2).id);
    EXPECT_TRUE(f.context->hasDetailWindow());
    f.context->unloadDetailWindow();
    QTest::keyClick(g, Qt::Key_Up);
    QTest::keyClick(g, Qt::Key_Return);
    EXPECT_EQ(f.context->currentEventId, m.row(first + 1).id);
    EXPECT_TRUE(f.context->hasDetailWindow());

    press(Qt::Key_End, QDate(2026, 12, 31), m.rowCount() - 1);
    press(Qt::Key_Home, QDate(2026, 1, 1), 0);
    EXPECT_EQ(
        dayLine(w), QStringLiteral("Christmas Time · Year A · Weekday II · Psalter week 1 · Holy day of obligation"));
    // A programmatic move to a date cell ends in the name column too.
    QTest::keyClick(g, Qt::Key_PageDown);
    g->setCurrentIndex(g->model()->index(0, YearListModel::DateColumn));
    expectMarked(f, w, QDate(2026, 1, 1), 0);
}

// Whatever brings today back, its row stands fourth from the top once the window is seen.
TEST_F(MainWindowTest, TodayStandsFourthFromTheTopAfterEveryWayBack)
{
    UiFixture f(QDate(2026, 6, 9));
    MainWindow *w = open(f);
    const auto newDay = [&] {
        f.clock.advance(1);
        w->refreshAfterDayChange();
    };
    const std::pair<const char *, std::function<void()>> ways[] = {
        {"Ctrl+T", [&] { QTest::keyClick(grid(w), Qt::Key_T, Qt::ControlModifier); }},
        {"Go to today", [&] { w->goToToday(); }},
        {"the same year", [&] { applyYear(w, QStringLiteral("2026")); }},
        {"another year", [&] { applyYear(w, QStringLiteral("2030")); }},
        {"back to this year", [&] { applyYear(w, QStringLiteral("2026")); }},
        {"the USA calendar", [&] { w->chooseVariant(Variant::Usa); }},
        {"the Universal calendar", [&] { w->chooseVariant(Variant::Universal); }},
        {"a new day, window open", newDay},
        {"a new day, window hidden",
            [&] {
                w->hide();
                newDay();
                w->showWindow();
                ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
            }},
    };
    for (const auto &[how, act] : ways) {
        QTest::keyClick(grid(w), Qt::Key_End); // away from today first
        act();
        QApplication::processEvents();
        const int row = w->listModel().firstRowOf(sameDayInYear(f.clock.today(), w->shownYear()));
        ASSERT_GT(row, 3) << how;
        EXPECT_EQ(grid(w)->rowAt(0), row - 3) << how;
        EXPECT_EQ(grid(w)->currentIndex().row(), row) << how;
    }
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

// Showing a year closes the detail and search windows; on 29 February a common year marks
// the first of March.
TEST_F(MainWindowTest, TheYearBoxShowsYearsInRangeOnly)
{
    UiFixture f(QDate(2028, 2, 29));
    MainWindow *w = open(f);
    w->openComment();
    w->openSearch();
    ASSERT_TRUE(f.context->hasDetailWindow() && f.context->hasSearchWindow());
    const int builds = f.context->yearAssemblies();
    QTest::keyClick(grid(w), Qt::Key_PageDown);
    ASSERT_NE(f.context->currentDate, QDate(2028, 2, 29));
    applyYear(w, QStringLiteral("2028")); // the same year builds nothing and marks today again
    EXPECT_EQ(f.context->yearAssemblies(), builds);
    EXPECT_FALSE(f.context->hasDetailWindow() || f.context->hasSearchWindow());
    expectMarked(f, w, QDate(2028, 2, 29));

    int expectedYear = 2028;
    for (const auto &[text, shown] : {std::pair{"1582", 0}, {"4901", 0}, {"twenty", 0}, {"", 0}, {"4900", 4900},
             {"1582", 0}, {"2027", 2027}, {"1583", 1583}}) { // 0: refused, the shown year stays
        const qsizetype before = f.dialogs.shown.size();
        applyYear(w, QString::fromLatin1(text));
        ASSERT_EQ(f.dialogs.shown.size(), before + (shown ? 0 : 1)) << text;
        if (!shown)
            EXPECT_EQ(f.dialogs.shown.last().title + u'|' + f.dialogs.shown.last().text,
                QStringLiteral("Year selection|Selected year must be a number between 1583 and 4900!"));
        expectedYear = shown ? shown : expectedYear;
        EXPECT_EQ(w->shownYear(), expectedYear) << text;
        EXPECT_EQ(yearBox(w)->yearText(), QString::number(expectedYear)) << text;
        EXPECT_EQ(f.context->shownCalendar()->year(), expectedYear);
        EXPECT_EQ(w->listModel().row(0).date.year(), expectedYear);
    }
    expectMarked(f, w, QDate(1583, 3, 1));
}

TEST_F(MainWindowTest, ShiftStepsByTenAndASpunYearWaitsOnTheButton)
{
    UiFixture f(QDate(2026, 10, 9));
    MainWindow *w = open(f);
    YearBox *box = yearBox(w);
    QPushButton *show = child(w, "Label1");
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
    const QPoint up = box->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, box).center();
    QTest::mouseClick(box, Qt::LeftButton, Qt::ShiftModifier, up);
    EXPECT_EQ(box->yearText(), QStringLiteral("2027"));
    QTest::mouseClick(box, Qt::LeftButton, {}, up);
    EXPECT_EQ(box->yearText(), QStringLiteral("2028"));
    EXPECT_TRUE(show->hasFocus()); // so Enter or Space applies
    EXPECT_TRUE(show->font().bold());
    QTest::keyClick(show, Qt::Key_Space);
    EXPECT_EQ(w->shownYear(), 2028);
    EXPECT_FALSE(show->font().bold());

    // After an arrow's click Enter and keypad Enter apply too; the box's keys still step.
    for (const auto &[key, modifier] :
        {std::pair{Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Enter, Qt::KeypadModifier}}) {
        QTest::mouseClick(box, Qt::LeftButton, {}, up);
        ASSERT_TRUE(show->hasFocus());
        // Past the moment a held arrow would start repeating.
        QTest::qWait(box->style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatThreshold) + 300);
        const int spun = box->yearText().toInt();
        QTest::keyClick(show, key, modifier);
        EXPECT_EQ(w->shownYear(), spun);
        EXPECT_FALSE(show->font().bold());
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Up);
        EXPECT_EQ(box->yearText().toInt(), spun + 1);
        QTest::keyClick(box, Qt::Key_Down);
        QTest::keyClick(box, Qt::Key_Down);
        EXPECT_EQ(box->yearText().toInt(), spun - 1);
    }

    // Leaving the year controls for the list drops a spun year and builds nothing.
    const int shown = w->shownYear();
    const int builds = f.context->yearAssemblies();
    box->stepBy(3);
    show->setFocus();
    EXPECT_EQ(box->yearText().toInt(), shown + 2); // stepped from the year below
    grid(w)->setFocus();
    EXPECT_EQ(box->yearText(), QString::number(shown));
    EXPECT_FALSE(show->font().bold());
    EXPECT_EQ(f.context->yearAssemblies(), builds);
    EXPECT_EQ(w->shownYear(), shown);
}

// For assistive technology the year box is a value within 1583-4900; a stepped year not
// yet shown is said in its description.
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
    for (const auto &[to, expected] : {std::pair{2027, 2027}, {2025, 2025}, {5000, 4900}, {1000, 1583}}) {
        value->setCurrentValue(to);
        EXPECT_EQ(yearBox(w)->yearText(), QString::number(expected));
        EXPECT_EQ(value->currentValue().toInt(), expected);
    }
    EXPECT_EQ(box->text(QAccessible::Description), pending);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(child(w, "Label1"))->text(QAccessible::Description), pending);
    EXPECT_EQ(w->shownYear(), 2026);
    child(w, "Label1")->click();
    EXPECT_EQ(w->shownYear(), 1583);
    EXPECT_NE(box->text(QAccessible::Description), pending);
}

// A screen reader hears each row once, date, name and colour, and hears of the list's
// current row only while the list has the keys: when the window opens, after Ctrl+T from
// anywhere and after a year is shown. Every control has a name; Tab goes in reading order.
TEST_F(MainWindowTest, TheListIsReadRowByRowOnlyWithTheFocusAndControlsAreNamed)
{
    UiFixture f(QDate(2026, 10, 9));
    MainWindow *w = f.context->mainWindow();
    YearListView *g = grid(w);
    QList<QModelIndex> announced;
    g->announceFocus = [&](const QModelIndex &cell) { announced << cell; };
    open(f);
    const auto announcedRowOf = [&](const QDate &day) {
        return QTest::qWaitFor([&] { return !announced.isEmpty(); })
            && announced.last().row() == w->listModel().firstRowOf(day);
    };
    EXPECT_TRUE(announcedRowOf(QDate(2026, 10, 9))) << "the window opens on today's row";

    QAccessibleTableInterface *table = QAccessible::queryAccessibleInterface(g)->tableInterface();
    ASSERT_TRUE(table);
    EXPECT_EQ(table->columnCount(), 2);
    const int row = w->listModel().firstRowOf(QDate(2026, 10, 9)) + 1;
    EXPECT_EQ(table->cellAt(row, YearListModel::DateColumn)->text(QAccessible::Name),
        QStringLiteral("Friday, October 9, 2026"));
    QAccessibleInterface *name = table->cellAt(row, YearListModel::NameColumn);
    EXPECT_EQ(name->text(QAccessible::Name), w->listModel().row(row).name);
    EXPECT_TRUE(name->text(QAccessible::Description).startsWith(QLatin1String("liturgical colour ")));

    // Keys in the calendar chooser or the year box: the row moves, nothing is announced.
    QComboBox *chooser = combo(w);
    chooser->setFocus();
    announced.clear();
    QTest::keyClick(chooser, Qt::Key_Up);
    QTest::keyClick(chooser, Qt::Key_Down);
    yearBox(w)->setFocus();
    QTest::keyClick(yearBox(w), Qt::Key_Up);
    QApplication::processEvents();
    EXPECT_TRUE(announced.isEmpty());
    EXPECT_TRUE(chooser->accessibleDescription().startsWith(QStringLiteral("Friday, October 9, 2026: ")))
        << qPrintable(chooser->accessibleDescription());
    // Enter shows the year: the list takes the keys on the day's row of that year.
    QTest::keyClick(yearBox(w), Qt::Key_Return);
    EXPECT_TRUE(g->hasFocus());
    EXPECT_TRUE(announcedRowOf(QDate(2027, 10, 9)));
    chooser->setFocus();
    announced.clear();
    QTest::keyClick(chooser, Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(g->hasFocus());
    EXPECT_TRUE(announcedRowOf(QDate(2026, 10, 9)));

    for (QWidget *widget : w->findChildren<QWidget *>()) {
        if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(w) || widget->focusProxy())
            continue;
        auto *button = qobject_cast<QAbstractButton *>(widget);
        const bool named = !widget->accessibleName().isEmpty() || (button && !button->text().trimmed().isEmpty());
        EXPECT_TRUE(named || qobject_cast<QLineEdit *>(widget)) << qPrintable(widget->objectName());
    }
    QWidget *order[] = {chooser, child(w, "Label1"), yearBox(w), child(w, "Command1"), child(w, "Command2"),
        child(w, "Command3"), child(w, "Command4"), g};
    chooser->setFocus();
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_TRUE(QApplication::focusWidget() == order[i] || order[i]->isAncestorOf(QApplication::focusWidget()))
            << i;
    }
}

TEST_F(MainWindowTest, TheUsaEntryIsStoredAsSuaAndShownAsUsaNextTime)
{
    {
        UiFixture f(QDate(2026, 11, 23));
        MainWindow *w = open(f);
        QSignalSpy variantChanged(f.context.get(), &AppContext::variantChanged);
        combo(w)->setFocus();
        QTest::keyClick(combo(w), Qt::Key_Up); // to "The USA Lumenar"
        EXPECT_EQ(combo(w)->currentText(), QStringLiteral("The USA Lumenar"));
        EXPECT_EQ(Settings().text(Settings::Key::Variant), QStringLiteral("SUA"));
        EXPECT_EQ(f.context->variant(), Variant::Usa);
        EXPECT_EQ(variantChanged.count(), 1);
        EXPECT_EQ(f.context->shownCalendar()->variant(), Variant::Usa);
        const std::vector<Celebration> usa = test::assembledYear(Variant::Usa, 2026).rows();
        ASSERT_EQ(std::size_t(w->listModel().rowCount()), usa.size());
        EXPECT_EQ(w->listModel().rows().back().name, usa.back().name);
        expectMarked(f, w, QDate(2026, 11, 23));
    }
    UiFixture next(QDate(2026, 11, 23), Settings().text(Settings::Key::Variant));
    EXPECT_EQ(combo(open(next))->currentText(), QStringLiteral("The USA Lumenar"));
    EXPECT_EQ(next.context->variant(), Variant::Usa);
    EXPECT_EQ(next.context->shownCalendar()->variant(), Variant::Usa);
}

TEST_F(MainWindowTest, AWiderWindowWidensEachButtonByAQuarter)
{
    UiFixture f;
    MainWindow *w = open(f);
    const auto resized = [&](int width) {
        w->resize(width, 600);
        QApplication::processEvents();
        QList<QRect> r;
        for (const char *name : {"Command1", "Command2", "Command3", "Command4"})
            r << child(w, name)->geometry();
        return r;
    };
    const QList<QRect> narrow = resized(600);
    const int yearGap = w->width() - yearBox(w)->geometry().right();
    const int nameWidth = grid(w)->columnWidth(YearListModel::NameColumn);
    const QList<QRect> wide = resized(1000);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(wide[i].width() - narrow[i].width(), 100) << i;
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
    ASSERT_TRUE(help && help->isVisible());
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

TEST_F(MainWindowTest, ExportWritesWhatTheCommandLineWrites)
{
    QTemporaryDir out;
    const auto withoutStamp = [](const QByteArray &text) {
        QList<QByteArray> lines = text.split('\n');
        lines.removeIf([](const QByteArray &l) { return l.startsWith("DTSTAMP:"); });
        return lines;
    };
    for (const char *variant : {"Universal", "SUA"}) {
        UiFixture f(QDate(2026, 10, 9), QString::fromLatin1(variant));
        const QString path = out.filePath(QStringLiteral("year-%1").arg(QLatin1String(variant)));
        f.dialogs.fileAnswers << path;
        open(f)->exportYear();
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
        const QList<QByteArray> ours = withoutStamp(file.readAll());
        EXPECT_GT(ours.size(), 2000);
        EXPECT_TRUE(ours == withoutStamp(cli.readAllStandardOutput())) << variant;
    }
}
