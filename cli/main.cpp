// SPDX-License-Identifier: GPL-3.0-or-later
// lumenar-cli: the liturgical year on standard output, for scripts and other programs.
// It reads the database the desktop program uses and assembles the year in a private
// in-memory copy of it, so it never changes the user's file and can run beside the
// desktop program.
#include "engine/DayLookup.h"
#include "engine/LiturgicalDate.h"
#include "engine/Variant.h"
#include "engine/YearAssembly.h"
#include "engine/YearExport.h"
#include "store/DatabaseLocation.h"
#include "store/Settings.h"
#include "store/Store.h"
#include "store/Version.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QStringList>

#include <cstdio>
#include <optional>

using namespace lumenar;

namespace {

const char *kUsage = "usage: lumenar-cli [YEAR] [--variant Universal|USA] [--date YYYY-MM-DD] [--format tsv|ics]\n"
                     "       lumenar-cli --help | --version\n";

struct Options
{
    bool help = false;
    bool version = false;
    std::optional<int> year;
    std::optional<Variant> variant;
    std::optional<QDate> date;
    QString format = QStringLiteral("tsv");
};

int problem(const QString &message)
{
    std::fprintf(stderr, "lumenar-cli: %s\n", qPrintable(message));
    return 2;
}

// Returns an error message, or nothing when the arguments are sound.
std::optional<QString> parse(const QStringList &args, Options &options)
{
    for (int i = 0; i < args.size(); ++i) {
        QString arg = args[i];
        QString value;
        const bool isOption = arg.startsWith(QLatin1String("--"));
        const bool isFlag = arg == QLatin1String("--help") || arg == QLatin1String("--version");
        if (isOption && !isFlag) {
            const qsizetype eq = arg.indexOf(u'=');
            if (eq > 0) {
                value = arg.mid(eq + 1);
                arg = arg.left(eq);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                return QStringLiteral("%1 needs a value").arg(arg);
            }
        }
        if (arg == QLatin1String("--help")) {
            options.help = true;
            return std::nullopt;
        } else if (arg == QLatin1String("--version")) {
            options.version = true;
            return std::nullopt;
        } else if (arg == QLatin1String("--variant")) {
            options.variant = parseVariantName(value);
            if (!options.variant)
                return QStringLiteral("unknown variant \"%1\" (use Universal or USA)").arg(value);
        } else if (arg == QLatin1String("--date")) {
            const QDate date = QDate::fromString(value, Qt::ISODate);
            if (!date.isValid() || value.size() != 10)
                return QStringLiteral("\"%1\" is not a date of the form YYYY-MM-DD").arg(value);
            options.date = date;
        } else if (arg == QLatin1String("--format")) {
            if (value != QLatin1String("tsv") && value != QLatin1String("ics"))
                return QStringLiteral("unknown format \"%1\" (use tsv or ics)").arg(value);
            options.format = value;
        } else if (isOption) {
            return QStringLiteral("unknown option %1").arg(arg);
        } else if (!options.year) {
            bool ok = false;
            const int year = arg.toInt(&ok);
            if (!ok)
                return QStringLiteral("\"%1\" is not a year").arg(arg);
            options.year = year;
        } else {
            return QStringLiteral("unexpected argument \"%1\"").arg(arg);
        }
    }
    if (!options.year)
        options.year = options.date ? options.date->year() : QDate::currentDate().year();
    if (*options.year < kFirstYear || *options.year > kLastYear)
        return QStringLiteral("the year must be from %1 to %2, not %3")
            .arg(kFirstYear)
            .arg(kLastYear)
            .arg(*options.year);
    if (options.date && options.date->year() != *options.year)
        return QStringLiteral("the date %1 is not in the year %2")
            .arg(options.date->toString(Qt::ISODate))
            .arg(*options.year);
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
    QCoreApplication::setOrganizationName(settingsOrganization());
    QCoreApplication::setApplicationName(QStringLiteral("lumenar-cli"));

    Options options;
    if (auto error = parse(app.arguments().mid(1), options))
        return problem(*error + QStringLiteral(" (see lumenar-cli --help)"));
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (options.version) {
        std::printf("lumenar-cli %s\n", kVersion);
        return 0;
    }
    const Variant variant = options.variant.value_or(variantFromSetting(rememberedVariantSetting()));
    const auto year = static_cast<std::int16_t>(*options.year);

    try {
        Store store = Store::openInMemoryCopy(databaseToRead());
        BuildYear(store, variant, year);
        std::vector<Celebration> rows
            = options.date ? dayCelebrations(store, variant, *options.date) : yearCelebrations(store, variant);
        if (options.format == QLatin1String("ics"))
            writeOut(toICalendar(rows, variant, year, QDateTime::currentDateTimeUtc()));
        else
            writeOut(toTsv(rows));
    } catch (const LumenarError &error) {
        std::fprintf(stderr, "lumenar-cli: %s\n", error.what());
        return 1;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
