// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/DatabaseBuilder.h"
#include "store/DatabaseCopy.h"
#include "store/Store.h"
#include "store/YearTable.h"
#include "tests/support/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lumenar;
using lumenar::test::TempDatabase;

namespace {

// A copy of the data sources that a test may break.
QString copyDataDir(const QTemporaryDir &dir)
{
    const QString target = dir.filePath(QStringLiteral("data"));
    for (const QString &sub :
        {QString(), QStringLiteral("tables"), QStringLiteral("queries"), QStringLiteral("commentaries")}) {
        QDir().mkpath(QDir(target).filePath(sub));
        const QDir source(QDir(test::dataDir()).filePath(sub));
        for (const QString &name : source.entryList(QDir::Files))
            QFile::copy(source.filePath(name), QDir(QDir(target).filePath(sub)).filePath(name));
    }
    return target;
}

} // namespace

TEST(StoreOpen, MissingUnreadableOrForeignFilesAreReportedAndNeverCreated)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("Lumenar.mdb"));
    EXPECT_EQ(test::errorKindOf([&] { Store::open(missing); }), ErrorKind::StoreUnavailable);
    EXPECT_FALSE(QFileInfo::exists(missing)) << "opening must not create a database";

    QFile text(dir.filePath(QStringLiteral("notes.mdb")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("This is not a database, only some words that fill a file to look like one.\n");
    text.close();
    EXPECT_EQ(test::errorKindOf([&] { Store::open(text.fileName()); }), ErrorKind::StoreUnavailable);

    // An empty SQLite database is not a calendar database.
    {
        Store::create(dir.filePath(QStringLiteral("empty.mdb"))).exec(QStringLiteral("CREATE TABLE t (x)"));
    }
    EXPECT_EQ(test::errorKindOf([&] { Store::open(dir.filePath(QStringLiteral("empty.mdb"))); }),
        ErrorKind::StoreUnavailable);

    try {
        Store::open(missing);
    } catch (const LumenarError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("No information database in application folder."));
    }
}

TEST(StoreSchema, EveryNamedTableViewAndStoredQueryExists)
{
    Store store = Store::open(test::builtDatabasePath());
    const QStringList tables{
        "C_Univ_Temp", "C_USA_Temp", "Calendar_Fix_Univ", "C_DIF_USA", "Variabile_Univ", "Variabile_USA", "Parametri"};
    for (const QString &table : tables)
        EXPECT_TRUE(store.hasTable(table)) << qPrintable(table);
    // Names match without regard to case, as the program writes them both ways.
    EXPECT_TRUE(store.hasTable(QStringLiteral("c_usa_temp")));
    for (const char *view : {"C_Univ", "C_USA", "srcUNIV", "srcUSA", "UnivFerialReading"}) {
        EXPECT_TRUE(store
                        .scalar(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'view' AND name = ?"),
                            {QString::fromLatin1(view)})
                        .isValid())
            << view;
    }
    // The stored queries stay in the file for other tools.
    for (const char *query : {"ActualizareDataUniv", "ActualizareDataDifUSA", "DateFixe->CalUniv", "DateFixe->CalUSA",
             "DateFixeDIF->CalUSA", "DateVar->CalUniv", "DateVar->CalUSA", "AppCUniv_Alte", "AppCUSA_Alte",
             "CalUnivRangMinim", "CalUSARangMinim", "doTipZi", "doTipZi_USA"}) {
        EXPECT_TRUE(
            store.scalar(QStringLiteral("SELECT 1 FROM StoredQueries WHERE Name = ?"), {QString::fromLatin1(query)})
                .isValid())
            << query;
    }
    // Window positions are delivered as defaults; a saved row is not one by default.
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT count(*) FROM Parametri WHERE \"Default\" = 1")).toInt(), 8);
}

// lumenar-cli reads the calendar from the user's file while the desktop program runs.
TEST(StoreReadOnly, ReadsTheCalendarAndNeverWrites)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("a b?c#d%20e")); // looks like an address
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = QDir(folder).filePath(QStringLiteral("Lumenar.mdb"));
    ASSERT_TRUE(QFile::copy(test::builtDatabasePath(), path));
    const QByteArray before = test::fileHash(path);
    {
        const Store store = Store::openReadOnly(path);
        EXPECT_GT(readCalendarSource(store).universalFixed.size(), 200u);
        EXPECT_ANY_THROW(store.exec(QStringLiteral("DELETE FROM Calendar_Fix_Univ")));
    }
    EXPECT_EQ(test::fileHash(path), before);
}

TEST(Transaction, RollsBackUnlessCommittedAndNests)
{
    TempDatabase db;
    Store store = db.open();
    {
        Store::Transaction outer(store);
        store.exec(QStringLiteral("INSERT INTO C_Univ_Temp (Eveniment) VALUES ('kept')"));
        {
            Store::Transaction inner(store);
            store.exec(QStringLiteral("INSERT INTO C_Univ_Temp (Eveniment) VALUES ('undone')"));
        }
        outer.commit();
    }
    {
        Store::Transaction dropped(store);
        store.exec(QStringLiteral("INSERT INTO C_Univ_Temp (Eveniment) VALUES ('never')"));
    }
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT group_concat(Eveniment) FROM C_Univ_Temp")).toString(),
        QStringLiteral("kept"));
}

TEST(DatabaseBuild, SameSourcesGiveTheSameFile)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.mdb")), b = dir.filePath(QStringLiteral("b.mdb"));
    BuildOptions options;
    options.requireCommentaries = false;
    buildDatabase(test::dataDir(), a, options);
    buildDatabase(test::dataDir(), b, options);
    EXPECT_EQ(test::fileHash(a), test::fileHash(b));
    EXPECT_FALSE(test::fileHash(a).isEmpty());
}

TEST(DatabaseBuild, BrokenSourcesFailWithTheirFileAndKeepTheOldDatabase)
{
    QTemporaryDir dir;
    const QString data = copyDataDir(dir);
    const QString out = dir.filePath(QStringLiteral("Lumenar.mdb"));
    BuildOptions lax;
    lax.requireCommentaries = false;
    buildDatabase(data, out, lax);
    const QByteArray good = test::fileHash(out);

    auto expectFailure = [&](const QString &file, const QByteArray &content, const QString &mentions) {
        const QString path = QDir(data).filePath(file);
        QFile f(path);
        QByteArray old;
        if (f.open(QIODevice::ReadOnly)) {
            old = f.readAll();
            f.close();
        }
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
        f.close();
        try {
            buildDatabase(data, out, lax);
            ADD_FAILURE() << "built with a broken " << qPrintable(file);
        } catch (const LumenarError &e) {
            EXPECT_TRUE(e.message().contains(mentions)) << qPrintable(e.message());
        }
        EXPECT_EQ(test::fileHash(out), good) << "the previous database must survive";
        EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral(".partial")));
        if (old.isEmpty())
            QFile::remove(path);
        else if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(old);
    };
    expectFailure(
        QStringLiteral("tables/Ordinale.tsv"), "Numar\tNume\n1\tFirst\textra\n", QStringLiteral("Ordinale.tsv:2"));
    expectFailure(QStringLiteral("queries/doTipZi.sql"), "-- name: doTipZi\nUPDATE NoSuchTable SET x = 1;\n",
        QStringLiteral("doTipZi.sql"));
    expectFailure(QStringLiteral("queries/unnamed.sql"), "SELECT 1;\n", QStringLiteral("unnamed.sql"));
    expectFailure(QStringLiteral("commentaries/stray.html"), "<!--\nfor: Nobody at all\n-->\n<p>x</p>\n",
        QStringLiteral("Nobody at all"));
}

TEST(DatabaseBuild, TheStampFollowsEverySource)
{
    QTemporaryDir dir;
    const QString data = copyDataDir(dir);
    const QString out = dir.filePath(QStringLiteral("Lumenar.mdb"));
    buildDatabase(data, out);
    const QString stamp = contentStamp(data);
    EXPECT_EQ(databaseStamp(out), stamp);
    EXPECT_EQ(stamp.size(), 64);

    QFile commentary(QDir(data).filePath(QStringLiteral("commentaries/easter-sunday.html")));
    ASSERT_TRUE(commentary.open(QIODevice::Append));
    commentary.write("<p>One more line.</p>\n");
    commentary.close();
    EXPECT_NE(contentStamp(data), stamp);
}

TEST(DatabaseBuild, EveryCelebrationNeedsACommentary)
{
    QTemporaryDir dir;
    const QString data = copyDataDir(dir);
    const QString victim = QDir(data).filePath(QStringLiteral("commentaries/easter-sunday.html"));
    ASSERT_TRUE(QFile::remove(victim));
    try {
        buildDatabase(data, dir.filePath(QStringLiteral("x.mdb")));
        FAIL() << "built without a commentary for Easter Sunday";
    } catch (const LumenarError &e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("no commentary for \"Easter Sunday\"")))
            << qPrintable(e.message());
    }
}

TEST(DatabaseBuild, SplitsStatementsButKeepsTriggerBodiesWhole)
{
    const QStringList parts = splitSqlStatements(QStringLiteral(
        "-- a comment\nCREATE TABLE a (x);\n\nCREATE TRIGGER t AFTER INSERT ON a\nBEGIN\n  DELETE FROM a;\n  "
        "SELECT 1;\nEND;\nCREATE VIEW v AS\nSELECT x\nFROM a;\n"));
    ASSERT_EQ(parts.size(), 3);
    EXPECT_TRUE(parts[1].startsWith(QLatin1String("CREATE TRIGGER")));
    EXPECT_TRUE(parts[1].endsWith(QLatin1String("END;")));
    EXPECT_EQ(
        commentarySlug(QStringLiteral("St. André Bessette, Religious")), QStringLiteral("st-andre-bessette-religious"));
}
