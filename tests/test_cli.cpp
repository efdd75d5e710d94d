// SPDX-License-Identifier: GPL-3.0-or-later
// lumenar-cli as a whole process: what scripts and other programs see.
#include "store/Version.h"
#include "tests/support/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct CliRun
{
    int exitCode;
    QString out;
    QString err;
};

class Cli : public ::testing::Test
{
protected:
    QTemporaryDir home; // keeps the user's own settings and data out of reach

    CliRun run(
        const QStringList &args, const QString &program = lumenar::test::binDir() + QStringLiteral("/lumenar-cli"))
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home.path());
        env.insert("XDG_CONFIG_HOME", home.path());
        env.insert("XDG_DATA_HOME", home.filePath("data"));
        env.insert("XDG_DATA_DIRS", home.filePath("none"));
        process.setProcessEnvironment(env);
        process.start(program, args);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
    }
};

} // namespace

TEST_F(Cli, OneDayTheWholeYearAndTheRememberedCalendar)
{
    const CliRun usa = run({"--variant", "USA", "--date", "2026-05-17"});
    ASSERT_EQ(usa.exitCode, 0) << qPrintable(usa.err);
    EXPECT_TRUE(QRegularExpression("^date\tweekday\tname\trank\tcolour\tid\tseason\tsunday_cycle\t"
                                   "weekday_cycle\tpsalter_week\tobligation\n2026-05-17\tSun\t"
                                   "Ascension of the Lord\t2\t0\t\\d+\teaster\tA\tII\t3\tyes\n$")
                    .match(usa.out)
                    .hasMatch())
        << qPrintable(usa.out);
    EXPECT_TRUE(run({"2026", "--variant=universal", "--date", "2026-05-14"}).out.contains("\tAscension of the Lord\t"));
    for (const char *date : {"1583-01-01", "4900-12-31"}) // the calendar's first and last days
        EXPECT_EQ(run({"--date", date}).exitCode, 0) << date;

    // Universal by default, then the calendar the desktop program last used; the file is never changed.
    const QByteArray before = lumenar::test::fileHash(lumenar::test::builtDatabasePath());
    const CliRun year = run({"2025"});
    ASSERT_EQ(year.exitCode, 0);
    EXPECT_TRUE(year.out.contains("\n2025-01-06\tMon\tEpiphany of the Lord\t"));
    EXPECT_GT(year.out.count(u'\n'), 365);
    QSettings(home.filePath("Lumenar/Rezi.conf"), QSettings::IniFormat).setValue("Setup/Implicit", "SUA");
    const CliRun remembered = run({"2025"});
    EXPECT_TRUE(remembered.out.contains("\n2025-01-05\tSun\tEpiphany of the Lord\t"));
    EXPECT_TRUE(remembered.out.contains("\tThanksgiving Day\t"));
    EXPECT_EQ(lumenar::test::fileHash(lumenar::test::builtDatabasePath()), before);

    const CliRun ics = run({"2026", "--format", "ics"});
    ASSERT_EQ(ics.exitCode, 0);
    EXPECT_TRUE(ics.out.startsWith("BEGIN:VCALENDAR\r\n"));
    EXPECT_TRUE(ics.out.contains("SUMMARY:Easter Sunday\r\n"));
}

// --version and --help take no value; every other mistake is said in one line, and nothing printed.
TEST_F(Cli, OptionsAndTheirMistakes)
{
    const CliRun version = run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("lumenar-cli %1\n").arg(QLatin1String(lumenar::kVersion)));
    const CliRun help = run({"2026", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: lumenar-cli")) << qPrintable(help.out);
    EXPECT_TRUE(help.out.contains("--variant <Universal|USA>")) << qPrintable(help.out);
    const QList<QStringList> bad{{"1582"}, {"4901"}, {"twenty"}, {"2026", "2027"}, {"--variant", "Romania"},
        {"--variant"}, {"--date", "2026-02-30"}, {"--date", "6/12/2026"}, {"2025", "--date", "2026-01-01"},
        {"--format", "csv"}, {"--colour"}, {"--bogus", "1"}};
    for (const QStringList &args : bad) {
        const CliRun r = run(args);
        EXPECT_EQ(r.exitCode, 2) << qPrintable(args.join(u' '));
        EXPECT_TRUE(r.out.isEmpty()) << qPrintable(args.join(u' '));
        EXPECT_TRUE(r.err.startsWith("lumenar-cli: ") && r.err.count(u'\n') == 1) << qPrintable(r.err);
    }
    // Qt's words, in the style of the program's own.
    EXPECT_EQ(run({"--colour"}).err, "lumenar-cli: unknown option 'colour' (see lumenar-cli --help)\n");
}

// A copy of the program in a folder without a database beside it, on a machine where none
// is installed.
TEST_F(Cli, AMissingDatabaseIsReportedNotCreated)
{
    const QString program = home.filePath("bin/lumenar-cli");
    ASSERT_TRUE(QDir().mkpath(home.filePath("bin")));
    ASSERT_TRUE(QFile::copy(lumenar::test::binDir() + QStringLiteral("/lumenar-cli"), program));
    const CliRun r = run({"2026"}, program);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("No information database in application folder.")) << qPrintable(r.err);
    EXPECT_EQ(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"bin"});
}
