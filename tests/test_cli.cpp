// SPDX-License-Identifier: GPL-3.0-or-later
// lumenar-cli as a whole process: what scripts and other programs see.
#include "store/Version.h"
#include "tests/support/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
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
    QTemporaryDir config; // keeps the user's own settings out of reach

    CliRun run(const QStringList &args)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        env.insert(QStringLiteral("HOME"), config.path());
        process.setProcessEnvironment(env);
        process.start(QDir(lumenar::test::binDir()).filePath(QStringLiteral("lumenar-cli")), args);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
    }

    void remember(const QString &variant)
    {
        QSettings settings(QDir(config.path()).filePath(QStringLiteral("Lumenar/Rezi.conf")), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Setup/Implicit"), variant);
    }
};

} // namespace

TEST_F(Cli, OneDayOfEachCalendar)
{
    CliRun usa = run(
        {QStringLiteral("--variant"), QStringLiteral("USA"), QStringLiteral("--date"), QStringLiteral("2026-05-17")});
    ASSERT_EQ(usa.exitCode, 0) << qPrintable(usa.err);
    const QStringList lines = usa.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0],
        QStringLiteral(
            "date\tweekday\tname\trank\tcolour\tid\tseason\tsunday_cycle\tweekday_cycle\tpsalter_week\tobligation"));
    EXPECT_TRUE(lines[1].startsWith(QLatin1String("2026-05-17\tSun\tAscension of the Lord\t2\t0\t")))
        << qPrintable(lines[1]);
    EXPECT_TRUE(lines[1].endsWith(QLatin1String("\teaster\tA\tII\t3\tyes"))) << qPrintable(lines[1]);

    CliRun universal = run({QStringLiteral("2026"), QStringLiteral("--variant=universal"), QStringLiteral("--date"),
        QStringLiteral("2026-05-14")});
    ASSERT_EQ(universal.exitCode, 0);
    EXPECT_TRUE(universal.out.contains(QLatin1String("\tAscension of the Lord\t")));
}

TEST_F(Cli, TheWholeYearAndTheRememberedCalendar)
{
    CliRun year = run({QStringLiteral("2025")});
    ASSERT_EQ(year.exitCode, 0);
    EXPECT_TRUE(year.out.contains(QLatin1String("2025-01-06\tMon\tEpiphany of the Lord"))); // Universal by default
    EXPECT_GT(year.out.count(u'\n'), 365);

    remember(QStringLiteral("SUA"));
    CliRun usa = run({QStringLiteral("2025")});
    ASSERT_EQ(usa.exitCode, 0);
    EXPECT_TRUE(usa.out.contains(QLatin1String("2025-01-05\tSun\tEpiphany of the Lord")));
    EXPECT_TRUE(usa.out.contains(QLatin1String("\tThanksgiving Day\t")));
}

TEST_F(Cli, ICalendarOutput)
{
    CliRun ics = run({QStringLiteral("2026"), QStringLiteral("--format"), QStringLiteral("ics")});
    ASSERT_EQ(ics.exitCode, 0);
    EXPECT_TRUE(ics.out.startsWith(QLatin1String("BEGIN:VCALENDAR\r\n")));
    EXPECT_TRUE(ics.out.contains(QLatin1String("SUMMARY:Easter Sunday\r\n")));
}

TEST_F(Cli, VersionAndHelpAreFlagsWithoutAValue)
{
    CliRun version = run({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("lumenar-cli %1\n").arg(QLatin1String(lumenar::kVersion)));
    CliRun help = run({QStringLiteral("2026"), QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(QLatin1String("Usage: lumenar-cli"))) << qPrintable(help.out);
    EXPECT_TRUE(help.out.contains(QLatin1String("--variant <Universal|USA>"))) << qPrintable(help.out);
}

TEST_F(Cli, BadArgumentsSayWhatIsWrongAndPrintNothing)
{
    const QList<QStringList> bad{
        {"1582"},
        {"4901"},
        {"twenty"},
        {"2026", "2027"},
        {"--variant", "Romania"},
        {"--variant"},
        {"--date", "2026-02-30"},
        {"--date", "6/12/2026"},
        {"2025", "--date", "2026-01-01"},
        {"--format", "csv"},
        {"--colour"},
        {"--bogus", "1"},
    };
    for (const QStringList &args : bad) {
        CliRun r = run(args);
        EXPECT_NE(r.exitCode, 0) << qPrintable(args.join(u' '));
        EXPECT_TRUE(r.out.isEmpty()) << qPrintable(args.join(u' '));
        EXPECT_TRUE(r.err.startsWith(QLatin1String("lumenar-cli: "))) << qPrintable(r.err);
        EXPECT_EQ(r.err.count(u'\n'), 1) << "one line: " << qPrintable(r.err);
        EXPECT_EQ(r.exitCode, 2) << qPrintable(args.join(u' '));
    }
}

TEST_F(Cli, AMissingDatabaseIsReportedNotCreated)
{
    // A copy of the program in a folder without a database beside it, on a machine where
    // none is installed.
    QTemporaryDir folder;
    const QString program = QDir(folder.path()).filePath(QStringLiteral("bin/lumenar-cli"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(program).absolutePath()));
    ASSERT_TRUE(QFile::copy(QDir(lumenar::test::binDir()).filePath(QStringLiteral("lumenar-cli")), program));
    QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), folder.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), QDir(folder.path()).filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_DATA_DIRS"), QDir(folder.path()).filePath(QStringLiteral("none")));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, {QStringLiteral("2026")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(process.readAllStandardError().contains("No information database in application folder."));
    EXPECT_EQ(
        QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("bin")});
}

TEST_F(Cli, NeverChangesTheDatabaseFile)
{
    const QString path = QDir(lumenar::test::binDir()).filePath(QStringLiteral("Lumenar.mdb"));
    const QByteArray before = lumenar::test::fileHash(path);
    ASSERT_EQ(run({QStringLiteral("2031"), QStringLiteral("--variant"), QStringLiteral("USA")}).exitCode, 0);
    EXPECT_EQ(lumenar::test::fileHash(path), before);
}
