// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/YearAssembly.h"

#include "engine/LiturgicalDate.h"
#include "store/Store.h"

#include <algorithm>
#include <array>
#include <limits>
#include <numeric>

namespace lumenar {

namespace {

const QString kStJoseph = QStringLiteral("St. Joseph, Husband of Mary");
const QString kAnnunciation = QStringLiteral("Annunciation of the Lord");
const QString kImmaculateConception = QStringLiteral("Immaculate Conception of the Virgin Mary");
const QString kEpiphany = QStringLiteral("Epiphany of the Lord");
const QString kDayOfPrayer = QStringLiteral("Day of Prayer for the Legal Protection of Unborn Children");
const QString kMotherOfTheChurch = QStringLiteral("Mary, Mother of the Church");
const QString kJohnTheBaptist = QStringLiteral("Nativity of St. John the Baptist");
const QString kPeterAndPaul = QStringLiteral("Sts. Peter and Paul, Apostles");
const QString kCorpusChristi = QStringLiteral("The Body and Blood of Christ (Corpus Christi)");
const QString kSacredHeart = QStringLiteral("Sacred Heart of Jesus");
const QString kThanksgiving = QStringLiteral("Thanksgiving Day");
constexpr int kDefaultRank = 13;

const std::array<QString, 8> kWeekdayAbbreviations = {QString(), QStringLiteral("Sun"), QStringLiteral("Mon"),
    QStringLiteral("Tue"), QStringLiteral("Wed"), QStringLiteral("Thu"), QStringLiteral("Fri"), QStringLiteral("Sat")};

// The year's rows while it is assembled, in the order they were added: "the first row"
// of a name or a day is the first in that order.
using Rows = std::vector<Celebration>;

Rows::iterator firstNamed(Rows &rows, const QString &name)
{
    return std::find_if(rows.begin(), rows.end(), [&](const Celebration &c) { return c.name == name; });
}

Rows::iterator firstOnDay(Rows &rows, int month, int day)
{
    return std::find_if(
        rows.begin(), rows.end(), [&](const Celebration &c) { return c.date.month() == month && c.date.day() == day; });
}

bool isSunday(const QDate &date)
{
    return date.dayOfWeek() == Qt::Sunday;
}

// Fixed celebrations of the year in date order, the tables' order within a day; a day
// the year lacks (29 February) has none.
void addFixed(Rows &rows, const std::vector<FixedCelebration> &source, int year)
{
    const std::size_t first = rows.size();
    for (const FixedCelebration &f : source) {
        const QDate date(year, f.month, f.day);
        if (date.isValid())
            rows.push_back({0, date, f.name, {}, f.colour, f.rank, {}});
    }
    std::stable_sort(rows.begin() + std::ptrdiff_t(first), rows.end(),
        [](const Celebration &a, const Celebration &b) { return a.date < b.date; });
}

// The dates of the movable celebrations the store has rows for, by name.
QHash<QString, QDate> movableDatesByName(const YearDates &dates)
{
    QHash<QString, QDate> byName;
    for (const MovableDate &entry : ComputeMovableDates(dates))
        byName.insert(entry.name, entry.date); // a later date replaces an earlier one
    return byName;
}

void addMovable(Rows &rows, const std::vector<MovableCelebration> &source, const QHash<QString, QDate> &dates)
{
    const std::size_t first = rows.size();
    for (const MovableCelebration &m : source) {
        const QDate date = dates.value(m.name);
        if (date.isValid())
            rows.push_back({0, date, m.name, {}, m.colour, m.rank, {}});
    }
    std::stable_sort(rows.begin() + std::ptrdiff_t(first), rows.end(),
        [](const Celebration &a, const Celebration &b) { return a.date < b.date; });
}

// A store may leave rows unranked: inside the privileged seasons they take the season's
// rank, elsewhere the lowest.
void rankUnranked(Rows &rows, const YearDates &dates)
{
    if (std::none_of(rows.begin(), rows.end(), [](const Celebration &c) { return c.rank == 0; }))
        return;
    for (const SeasonRankWindow &window : seasonRankWindows(dates)) {
        const QDate end = window.start.addDays(7);
        for (Celebration &c : rows) {
            if (c.rank == 0 && c.date >= window.start && c.date <= end)
                c.rank = window.rank;
        }
    }
    for (Celebration &c : rows) {
        if (c.rank == 0)
            c.rank = kDefaultRank;
    }
}

// Two solemnities never share a day: a fixed solemnity of a saint that meets a movable
// solemnity of the Lord is anticipated to the day before (the Congregation's answer for
// the Sacred Heart and St. John the Baptist in 2022).
void anticipateSaintBeforeTheLord(Rows &rows, const QString &saint)
{
    const auto row = firstNamed(rows, saint);
    if (row == rows.end())
        return;
    const QDate day = row->date;
    if (std::any_of(rows.begin(), rows.end(), [&](const Celebration &c) {
            return c.date == day && (c.name == kCorpusChristi || c.name == kSacredHeart);
        }))
        row->date = day.addDays(-1);
}

// Moves St. Joseph, the Annunciation, the Immaculate Conception, St. John the Baptist and
// Sts. Peter and Paul off the days where they cannot be kept, before precedence is
// decided, so they compete on their new day.
void transferSolemnities(Rows &rows, const YearDates &dates)
{
    const QDate easter = dates.easter;
    const QDate palmSunday = dates.palmSunday;
    const QDate secondSundayOfEaster = easter.addDays(7);

    if (auto joseph = firstNamed(rows, kStJoseph); joseph != rows.end()) {
        // Holy Week and the Easter octave outrank him; he is kept on the Saturday before
        // Palm Sunday, the last free day before them.
        if (joseph->date >= palmSunday && joseph->date <= secondSundayOfEaster)
            joseph->date = palmSunday.addDays(-1);
        else if (isSunday(joseph->date))
            joseph->date = joseph->date.addDays(1);
    }

    if (auto annunciation = firstNamed(rows, kAnnunciation); annunciation != rows.end()) {
        const qint64 n = annunciation->date.daysTo(easter);
        if (isSunday(annunciation->date) && annunciation->date != easter && n != 7)
            annunciation->date = annunciation->date.addDays(1);
        else if (n >= -7 && n <= 7)
            annunciation->date = secondSundayOfEaster.addDays(1);
    }

    if (auto immaculate = firstNamed(rows, kImmaculateConception); immaculate != rows.end()) {
        if (isSunday(immaculate->date))
            immaculate->date = immaculate->date.addDays(1);
    }

    anticipateSaintBeforeTheLord(rows, kJohnTheBaptist);
    anticipateSaintBeforeTheLord(rows, kPeterAndPaul);
}

// The memorial of the Monday after Pentecost is preferred to any other memorial of its day,
// obligatory or optional, which lapses that year; a feast still prevails over it.
void preferMotherOfTheChurch(Rows &rows)
{
    const auto mother = firstNamed(rows, kMotherOfTheChurch);
    if (mother == rows.end())
        return;
    const std::size_t keep = std::size_t(mother - rows.begin());
    const QDate day = mother->date;
    Rows kept;
    kept.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Celebration &c = rows[i];
        if (i == keep || c.date != day || c.rank < 10 || c.rank > 12)
            kept.push_back(std::move(rows[i]));
    }
    rows = std::move(kept);
}

// The USA's changes to the Universal rows, made while the year holds nothing else.
void adaptUniversalRowsForUsa(Rows &rows, const std::vector<FixedCelebration> &usaFixed, int year)
{
    // Days on which the USA keeps a celebration of its own in place of a Universal one;
    // each loses its first Universal row, if the USA has a row that day.
    static constexpr std::array<std::pair<int, int>, 9> kProperDays{
        {{1, 4}, {1, 5}, {1, 6}, {3, 3}, {5, 15}, {7, 1}, {9, 9}, {11, 13}, {12, 9}}};
    for (const auto &[month, day] : kProperDays) {
        const QDate date(year, month, day);
        const bool usaKeepsIt = std::any_of(usaFixed.begin(), usaFixed.end(),
            [&](const FixedCelebration &f) { return f.month == month && f.day == day; });
        if (!usaKeepsIt)
            continue;
        if (auto row = std::find_if(rows.begin(), rows.end(), [&](const Celebration &c) { return c.date == date; });
            row != rows.end())
            rows.erase(row);
    }

    // Epiphany comes back as the movable Sunday.
    if (auto epiphany = firstNamed(rows, kEpiphany); epiphany != rows.end())
        rows.erase(epiphany);
    // St. Camillus: 14 July belongs to St. Kateri; he comes back on 18 July.
    if (auto camillus = firstOnDay(rows, 7, 14); camillus != rows.end())
        rows.erase(camillus);
    // St. Paul of the Cross: 19 October belongs to the North American Martyrs.
    if (auto paul = firstOnDay(rows, 10, 19); paul != rows.end())
        paul->date = QDate(paul->date.year(), 10, 20);
    // Our Lady of Guadalupe: the USA keeps her on 12 December with its own rank.
    if (auto guadalupe = firstOnDay(rows, 12, 12); guadalupe != rows.end())
        rows.erase(guadalupe);
}

// The USA keeps its day of prayer of 22 January on the Monday when that day is a Sunday.
void transferUsaDays(Rows &rows)
{
    if (auto prayer = firstNamed(rows, kDayOfPrayer); prayer != rows.end() && isSunday(prayer->date))
        prayer->date = prayer->date.addDays(1);
}

// Takes the rows of that name out of the year, to be put back after precedence.
Rows setAside(Rows &rows, const QString &name)
{
    Rows aside;
    std::copy_if(
        rows.begin(), rows.end(), std::back_inserter(aside), [&](const Celebration &c) { return c.name == name; });
    std::erase_if(rows, [&](const Celebration &c) { return c.name == name; });
    return aside;
}

// The least rank of each day the rows hold, by Julian day.
class LeastRanks
{
public:
    explicit LeastRanks(const Rows &rows)
    {
        if (rows.empty())
            return;
        const auto [lo, hi] = std::minmax_element(
            rows.begin(), rows.end(), [](const Celebration &a, const Celebration &b) { return a.date < b.date; });
        m_first = lo->date.toJulianDay();
        m_best.assign(std::size_t(hi->date.toJulianDay() - m_first + 1), kNone);
        for (const Celebration &c : rows) {
            int &best = m_best[std::size_t(c.date.toJulianDay() - m_first)];
            best = std::min(best, c.rank);
        }
    }
    // kNone for a day without rows.
    int of(const QDate &date) const
    {
        const qint64 i = date.toJulianDay() - m_first;
        return i >= 0 && i < qint64(m_best.size()) ? m_best[std::size_t(i)] : kNone;
    }
    static constexpr int kNone = std::numeric_limits<int>::max();

private:
    qint64 m_first = 0;
    std::vector<int> m_best;
};

// A stretch of weekdays of one season: day n is named with the ordinal w0 + (n - base) / step
// and the day of the month firstDay + (n - first).
struct SeasonRange
{
    const char *code;
    QDate first;
    QDate last;
    QDate base;
    int w0;
    int step;
    int firstDay;
};

// Adds a row for every weekday that no celebration of at least the season's rank fills:
// the weekdays of each season, named, ranked and coloured as the store says, counted from
// the year's movable dates. Sundays always have a movable row.
void addSeasonWeekdays(Rows &rows, const CalendarSource &source, const std::vector<MovableCelebration> &movable,
    const QHash<QString, QDate> &movableDates, const YearDates &dates)
{
    // The anchors are the dates the store keeps rows for; without them there is nothing to count from.
    auto anchor = [&](const QString &name) {
        const bool kept
            = std::any_of(movable.begin(), movable.end(), [&](const MovableCelebration &m) { return m.name == name; });
        return kept ? movableDates.value(name) : QDate();
    };
    const QDate e = anchor(QStringLiteral("Easter Sunday"));
    const QDate b = anchor(QStringLiteral("Baptism of the Lord"));
    const QDate aw = anchor(QStringLiteral("Ash Wednesday"));
    const QDate p = anchor(QStringLiteral("Pentecost"));
    const QDate a1 = anchor(QStringLiteral("First Sunday of Advent"));
    if (!e.isValid() || !b.isValid() || !aw.isValid() || !p.isValid() || !a1.isValid())
        return;
    QDate ep = dates.variant == Variant::Usa ? anchor(kEpiphany) : QDate();
    if (!ep.isValid())
        ep = QDate(dates.year, 1, 6);
    const QDate jan1(dates.year, 1, 1);
    const QDate dec17(dates.year, 12, 17);
    const QDate sundayBeforeBaptism = b.addDays(-(b.dayOfWeek() % 7));
    // The weeks after Pentecost are counted back from the Thirty-Fourth, the week of Christ the King.
    const int weekAfterPentecost = 34 - int(p.daysTo(a1.addDays(-7))) / 7;

    const SeasonRange ranges[] = {
        {"BEFORE_EPIPHANY", jan1.addDays(1), ep.addDays(-1), jan1, 1, 7, 2},
        {"AFTER_EPIPHANY", ep.addDays(1), b.addDays(-1), ep, 1, 7, 0},
        {"ORDINARY", b.addDays(1), aw.addDays(-1), sundayBeforeBaptism, 1, 7, 0},
        {"AFTER_ASH_WEDNESDAY", aw.addDays(1), aw.addDays(3), aw, 1, 7, 0},
        {"LENT", aw.addDays(5), e.addDays(-8), aw.addDays(4), 1, 7, 0},
        {"EASTER_OCTAVE", e.addDays(1), e.addDays(6), e, 1, 7, 0},
        {"EASTER", e.addDays(8), p.addDays(-1), e, 1, 7, 0},
        {"ORDINARY", p.addDays(1), a1.addDays(-1), p, weekAfterPentecost, 7, 0},
        {"ADVENT", a1.addDays(1), dec17.addDays(-1), a1, 1, 7, 0},
        {"LATE_ADVENT", dec17, dec17.addDays(7), dec17, 1, 7, 17},
        {"CHRISTMAS_OCTAVE", dec17.addDays(9), dec17.addDays(14), dec17.addDays(9), 2, 1, 26},
    };

    // The least rank each day has before any weekday is added: a weekday that would lose to
    // it is not added.
    const LeastRanks best(rows);
    static const QString kWeekday = QStringLiteral("{weekday}");
    static const QString kOrdinal = QStringLiteral("{ordinal}");
    static const QString kDay = QStringLiteral("{day}");
    for (const SeasonRange &range : ranges) {
        const auto style = source.seasons.constFind(QLatin1String(range.code));
        if (style == source.seasons.cend())
            continue;
        // Most names differ only in a word or two: fill in only what the model asks for.
        const bool byWeekday = style->model.contains(kWeekday);
        const bool byOrdinal = style->model.contains(kOrdinal);
        const bool byDay = style->model.contains(kDay);
        for (QDate day = range.first; day <= range.last; day = day.addDays(1)) {
            const int weekday = weekdayNumber(day);
            if (weekday == 1)
                continue;
            const auto weekdayName = source.weekdayNames.constFind(weekday);
            if (weekdayName == source.weekdayNames.cend() || best.of(day) < style->rank)
                continue;
            QString name = style->model;
            if (byWeekday)
                name.replace(kWeekday, *weekdayName);
            if (byOrdinal)
                name.replace(kOrdinal, source.ordinals.value(range.w0 + int(range.base.daysTo(day)) / range.step));
            if (byDay)
                name.replace(kDay, QString::number(range.firstDay + range.first.daysTo(day)));
            rows.push_back({0, day, std::move(name), {}, style->colour, style->rank, style->commentKey});
        }
    }
}

// Keeps per day the rows of least rank, in the order they were added; the rows set aside
// join their day after the others.
Rows leastRankPerDay(Rows &rows, const Rows &besideTheDay)
{
    const LeastRanks best(rows);
    Rows kept;
    kept.reserve(rows.size() + besideTheDay.size());
    for (Celebration &c : rows) {
        if (c.rank == best.of(c.date))
            kept.push_back(std::move(c));
    }
    kept.insert(kept.end(), besideTheDay.begin(), besideTheDay.end());
    return kept;
}

// Reading order (date, then the highest colour code first), weekday names and row numbers.
Rows numberRows(Rows &rows)
{
    // Sorting places, not rows, spares moving every row's texts about.
    std::vector<std::pair<qint64, int>> order; // (day, -colour) of each place
    order.reserve(rows.size());
    for (const Celebration &c : rows)
        order.emplace_back(c.date.toJulianDay(), -c.colour);
    std::vector<std::size_t> places(rows.size());
    std::iota(places.begin(), places.end(), std::size_t(0));
    std::stable_sort(places.begin(), places.end(), [&](std::size_t a, std::size_t b) { return order[a] < order[b]; });
    Rows sorted;
    sorted.reserve(rows.size());
    for (std::size_t place : places) {
        Celebration &c = rows[place];
        c.id = int(sorted.size()) + 1;
        c.weekday = kWeekdayAbbreviations[std::size_t(weekdayNumber(c.date))];
        sorted.push_back(std::move(c));
    }
    return sorted;
}

void checkYear(std::int16_t year)
{
    if (year < kFirstYear || year > kLastYear)
        throw LumenarError(ErrorKind::Step,
            QStringLiteral("The year must be from %1 to %2.").arg(kFirstYear).arg(kLastYear), QString::number(year));
}

} // namespace

YearCalendar BuildUniversalYear(const CalendarSource &source, std::int16_t year)
{
    checkYear(year);
    const YearDates dates = computeYearDates(year, Variant::Universal);
    const QHash<QString, QDate> movable = movableDatesByName(dates);
    Rows rows;
    rows.reserve(600);
    addFixed(rows, source.universalFixed, year);
    addMovable(rows, source.universalMovable, movable);
    rankUnranked(rows, dates);
    transferSolemnities(rows, dates);
    preferMotherOfTheChurch(rows);
    addSeasonWeekdays(rows, source, source.universalMovable, movable, dates);
    rows = leastRankPerDay(rows, {});
    return YearCalendar(dates, numberRows(rows));
}

YearCalendar BuildUsaYear(const CalendarSource &source, std::int16_t year)
{
    checkYear(year);
    const YearDates dates = computeYearDates(year, Variant::Usa);
    const QHash<QString, QDate> movable = movableDatesByName(dates);
    Rows rows;
    rows.reserve(600);
    addFixed(rows, source.universalFixed, year);
    adaptUniversalRowsForUsa(rows, source.usaFixed, year);
    addFixed(rows, source.usaFixed, year);
    addMovable(rows, source.usaMovable, movable);
    rankUnranked(rows, dates);
    transferSolemnities(rows, dates);
    transferUsaDays(rows);
    preferMotherOfTheChurch(rows);
    // Thanksgiving Day is a proper Mass said on its Thursday, not the day's celebration:
    // it takes nothing from the weekday or the memorials the day keeps by precedence.
    const Rows thanksgiving = setAside(rows, kThanksgiving);
    addSeasonWeekdays(rows, source, source.usaMovable, movable, dates);
    rows = leastRankPerDay(rows, thanksgiving);
    return YearCalendar(dates, numberRows(rows));
}

YearCalendar assembleYear(const CalendarSource &source, Variant variant, std::int16_t year)
{
    return variant == Variant::Universal ? BuildUniversalYear(source, year) : BuildUsaYear(source, year);
}

YearCalendar BuildYear(const Store &store, const CalendarSource &source, Variant variant, std::int16_t year)
{
    YearCalendar calendar = assembleYear(source, variant, year);
    writeYearTable(store, tablesFor(variant).yearTable, calendar.rows());
    return calendar;
}

YearCalendar BuildYear(const Store &store, Variant variant, std::int16_t year)
{
    return BuildYear(store, readCalendarSource(store), variant, year);
}

} // namespace lumenar
