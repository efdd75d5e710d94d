// SPDX-License-Identifier: GPL-3.0-or-later
// lumenar-cli: the liturgical year on standard output, for scripts and other programs.
// It reads the database the desktop program uses and assembles the year in memory, so it
// never changes the user's file and can run beside the desktop program.
#include "engine/Clock.h"
#include "engine/LiturgicalDate.h"
#include "engine/Variant.h"
#include "engine/YearAssembly.h"
#include "engine/YearExport.h"
#include "store/DatabaseLocation.h"
#include "store/Settings.h"
#include "store/Store.h"
#include "store/Version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QStringList>

#include <cstdio>
#include <optional>

using namespace lumenar;

namespace {

struct Options
{
    int year = 0;
    std::optional<Variant> variant;
    std::optional<QDate> date;
    bool ics = false;
};

int problem(const QString &message)
{
    std::fprintf(stderr, "lumenar-cli: %s (see lumenar-cli --help)\n", qPrintable(message));
    return 2;
}

// Reads the options after the parser has taken them; an error message, or nothing.
std::optional<QString> readOptions(const QCommandLineParser &parser, Options &options)
{
    const QStringList years = parser.positionalArguments();
    if (years.size() > 1)
        return QStringLiteral("unexpected argument \"%1\"").arg(years[1]);
    if (parser.isSet(QStringLiteral("variant"))) {
        const QString value = parser.value(QStringLiteral("variant"));
        options.variant = parseVariantName(value);
        if (!options.variant)
            return QStringLiteral("unknown variant \"%1\" (use Universal or USA)").arg(value);
    }
    if (parser.isSet(QStringLiteral("date"))) {
        const QString value = parser.value(QStringLiteral("date"));
        const QDate date = QDate::fromString(value, Qt::ISODate);
        if (!date.isValid() || value.size() != 10)
            return QStringLiteral("\"%1\" is not a date of the form YYYY-MM-DD").arg(value);
        options.date = date;
    }
    const QString format = parser.value(QStringLiteral("format"));
    if (format != QLatin1String("tsv") && format != QLatin1String("ics"))
        return QStringLiteral("unknown format \"%1\" (use tsv or ics)").arg(format);
    options.ics = format == QLatin1String("ics");

    if (!years.isEmpty()) {
        bool ok = false;
        options.year = years[0].toInt(&ok);
        if (!ok)
            return QStringLiteral("\"%1\" is not a year").arg(years[0]);
    } else {
        options.year = options.date ? options.date->year() : Clock().today().year();
    }
    if (options.year < kFirstYear || options.year > kLastYear)
        return QStringLiteral("the year must be from %1 to %2, not %3")
            .arg(kFirstYear)
            .arg(kLastYear)
            .arg(options.year);
    if (options.date && options.date->year() != options.year)
        return QStringLiteral("the date %1 is not in the year %2")
            .arg(options.date->toString(Qt::ISODate))
            .arg(options.year);
    return std::nullopt;
}

void writeOut(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, bytes.size(), stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(Settings::organization());
    QCoreApplication::setApplicationName(QStringLiteral("lumenar-cli"));

    QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersion));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The liturgical year of the Roman rite, one celebration per line."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("year"),
        QStringLiteral("A year from 1583 to 4900 (default: this year)."), QStringLiteral("[YEAR]"));
    parser.addOptions({
        {QStringLiteral("variant"), QStringLiteral("The calendar: Universal or USA (default: the one last used)."),
            QStringLiteral("Universal|USA")},
        {QStringLiteral("date"), QStringLiteral("Only this day of the year."), QStringLiteral("YYYY-MM-DD")},
        {QStringLiteral("format"), QStringLiteral("Tab-separated text or an iCalendar file."),
            QStringLiteral("tsv|ics"), QStringLiteral("tsv")},
    });
    if (!parser.parse(app.arguments())) {
        // Qt's words, in the style of the other messages: "unknown option 'x'".
        QString error = parser.errorText();
        if (error.endsWith(u'.'))
            error.chop(1);
        if (!error.isEmpty())
            error[0] = error[0].toLower();
        return problem(error);
    }
    if (parser.isSet(QStringLiteral("help"))) {
        // The program's name, not the path it was started by.
        QString help = parser.helpText();
        help.replace(help.indexOf(app.arguments().constFirst()), app.arguments().constFirst().size(),
            QStringLiteral("lumenar-cli"));
        std::fputs(qPrintable(help), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    Options options;
    if (auto error = readOptions(parser, options))
        return problem(*error);

    const Variant variant = options.variant.value_or(variantFromSetting(Settings().text(Settings::Key::Variant)));
    const auto year = static_cast<std::int16_t>(options.year);

    try {
        const Store store = Store::openReadOnly(databaseToRead());
        const YearCalendar calendar = assembleYear(readCalendarSource(store), variant, year);
        const std::span<const Celebration> rows
            = options.date ? calendar.day(*options.date) : std::span<const Celebration>(calendar.rows());
        if (options.ics)
            writeOut(toICalendar(calendar, rows, Clock().now()));
        else
            writeOut(toTsv(calendar, rows));
    } catch (const LumenarError &error) {
        std::fprintf(stderr, "lumenar-cli: %s\n", error.what());
        return 1;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
