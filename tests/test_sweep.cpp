// Every day of every year has a celebration, rows are numbered without gaps and Easter
// stands where the computus puts it. CI runs a spread of years; LUMENAR_FULL_SWEEP=1 (make
// sweep) runs all of 1583-4900.
#include "engine/DayLookup.h"
#include "engine/LiturgicalDate.h"
#include "engine/YearAssembly.h"
#include "tests/support/TestDatabase.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace lumenar;

namespace {

std::vector<int> yearsToCheck()
{
    std::vector<int> years;
    if (qEnvironmentVariableIsSet("LUMENAR_FULL_SWEEP")) {
        for (int y = kFirstYear; y <= kLastYear; ++y)
            years.push_back(y);
        return years;
    }
    // A spread over the range, every weekday of 1 January and both leap kinds, plus the
    // years whose Easter is earliest or latest and the ends of the range.
    for (int y = kFirstYear; y <= kLastYear; y += 53)
        years.push_back(y);
    for (int y : {1583, 1584, 1600, 1700, 1818, 1900, 1943, 2000, 2001, 2008, 2011, 2012, 2017, 2018, 2022, 2024, 2025,
             2026, 2027, 2028, 2035, 2038, 2285, 4899, 4900})
        years.push_back(y);
    return years;
}

void checkYear(const Store &store, Variant variant, int year)
{
    BuildYear(store, variant, static_cast<std::int16_t>(year));
    const std::vector<Celebration> rows = yearCelebrations(store, variant);
    QSet<QDate> days;
    for (size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].id, int(i) + 1) << year;
        ASSERT_EQ(rows[i].date.year(), year) << qPrintable(rows[i].name);
        days.insert(rows[i].date);
    }
    ASSERT_EQ(days.size(), QDate(year, 1, 1).daysInYear()) << year << (variant == Variant::Usa ? " USA" : " Universal");
    const QDate easter = EasterSunday(static_cast<std::int16_t>(year));
    const auto easterDay = dayCelebrations(store, variant, easter);
    ASSERT_EQ(easterDay.size(), 1u) << year;
    ASSERT_EQ(easterDay[0].name, QStringLiteral("Easter Sunday")) << year;
}

} // namespace

TEST(Sweep, EveryDayOfEveryYearHasACelebration)
{
    test::TempDatabase db;
    Store store = db.open();
    for (int year : yearsToCheck()) {
        for (Variant variant : {Variant::Universal, Variant::Usa}) {
            checkYear(store, variant, year);
            if (HasFatalFailure())
                return;
        }
    }
}
