// SPDX-License-Identifier: GPL-3.0-or-later
// The calendar database: how it opens, what it holds, and how it is built from its sources.
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

namespace {

// A copy of the data sources that a test may break.
QString copyDataDir(const QTemporaryDir &dir)
{
    const QString target = dir.filePath("data");
    for (const char *sub : {"", "/tables", "/queries", "/commentaries"}) {
        QDir().mkpath(target + QLatin1String(sub));
        const QDir source(test::dataDir() + QLatin1String(sub));
        for (const QString &name : source.entryList(QDir::Files))
            QFile::copy(source.filePath(name), target + QLatin1String(sub) + u'/' + name);
    }
    return target;
}

} // namespace

TEST(StoreOpen, MissingOrForeignFilesAreRefusedAndAReaderNeverWrites)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("Lumenar.mdb");
    try {
        Store::open(missing);
        ADD_FAILURE() << "opened a missing file";
    } catch (const LumenarError &e) {
        EXPECT_EQ(e.kind(), ErrorKind::StoreUnavailable);
        EXPECT_EQ(e.message(), "No information database in application folder.");
    }
    EXPECT_FALSE(QFileInfo::exists(missing)) << "opening must not create a database";
    // Words in a file, and an SQLite database that is not the calendar's.
    test::writeFile(dir.filePath("notes.mdb"), "This is not a database, only words that fill a file.\n");
    Store::create(dir.filePath("empty.mdb")).exec("CREATE TABLE t (x)");
    for (const char *name : {"notes.mdb", "empty.mdb"})
        EXPECT_EQ(
            test::errorKindOf([&] { Store::open(dir.filePath(QLatin1String(name))); }), ErrorKind::StoreUnavailable)
            << name;

    // lumenar-cli reads the calendar from the user's file, in a folder whose name looks like
    // an address, while the desktop program runs.
    const QString path = dir.filePath("a b?c#d%20e/Lumenar.mdb");
    ASSERT_TRUE(QDir().mkpath(dir.filePath("a b?c#d%20e")));
    ASSERT_TRUE(QFile::copy(test::builtDatabasePath(), path));
    const QByteArray before = test::fileHash(path);
    {
        const Store store = Store::openReadOnly(path);
        EXPECT_GT(readCalendarSource(store).universalFixed.size(), 200u);
        EXPECT_ANY_THROW(store.exec("DELETE FROM Calendar_Fix_Univ"));
    }
    EXPECT_EQ(test::fileHash(path), before);
}

TEST(StoreSchema, EveryNamedTableViewAndStoredQueryExists)
{
    const Store store = Store::openReadOnly(test::builtDatabasePath());
    // Names match without regard to case, as the program writes them both ways.
    for (const char *table :
        {"C_Univ_Temp", "c_usa_temp", "Calendar_Fix_Univ", "C_DIF_USA", "Variabile_Univ", "Variabile_USA", "Parametri"})
        EXPECT_TRUE(store.hasTable(QLatin1String(table))) << table;
    EXPECT_EQ(store
                  .scalar("SELECT count(*) FROM sqlite_master WHERE type = 'view' AND name IN "
                          "('C_Univ', 'C_USA', 'srcUNIV', 'srcUSA', 'UnivFerialReading')")
                  .toInt(),
        5);
    // The stored queries stay in the file for other tools.
    EXPECT_EQ(
        store
            .scalar("SELECT count(*) FROM StoredQueries WHERE Name IN ('ActualizareDataUniv', 'ActualizareDataDifUSA', "
                    "'DateFixe->CalUniv', 'DateFixe->CalUSA', 'DateFixeDIF->CalUSA', 'DateVar->CalUniv', "
                    "'DateVar->CalUSA', 'AppCUniv_Alte', 'AppCUSA_Alte', 'CalUnivRangMinim', 'CalUSARangMinim', "
                    "'doTipZi', 'doTipZi_USA')")
            .toInt(),
        13);
}

TEST(Transaction, RollsBackUnlessCommittedAndNests)
{
    test::TempDatabase db;
    Store store = db.open();
    auto insert = [&](const char *name) {
        store.exec("INSERT INTO C_Univ_Temp (Eveniment) VALUES (?)", {QLatin1String(name)});
    };
    {
        Store::Transaction outer(store);
        insert("kept");
        {
            Store::Transaction inner(store);
            insert("undone");
        }
        outer.commit();
    }
    {
        Store::Transaction dropped(store);
        insert("never");
    }
    EXPECT_EQ(store.scalar("SELECT group_concat(Eveniment) FROM C_Univ_Temp").toString(), "kept");
}

// The same sources give the same file, stamped with them; a broken source fails the build
// naming its file, and the previous database survives.
TEST(DatabaseBuild, FromItsSourcesOrNotAtAll)
{
    QTemporaryDir dir;
    const QString data = copyDataDir(dir);
    const QString out = dir.filePath("Lumenar.mdb");
    buildDatabase(data, out);
    buildDatabase(data, dir.filePath("again.mdb"));
    const QByteArray good = test::fileHash(out);
    EXPECT_FALSE(good.isEmpty());
    EXPECT_EQ(test::fileHash(dir.filePath("again.mdb")), good);
    const QString stamp = contentStamp(data);
    EXPECT_EQ(databaseStamp(out), stamp);
    EXPECT_EQ(stamp.size(), 64);

    // Empty content removes the file.
    auto expectFailure = [&](const char *file, const QByteArray &content, const QString &mentions) {
        const QString path = data + u'/' + QLatin1String(file);
        QFile f(path);
        const QByteArray old = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        f.close();
        content.isEmpty() ? void(QFile::remove(path)) : test::writeFile(path, content);
        try {
            buildDatabase(data, out);
            ADD_FAILURE() << "built with a broken " << file;
        } catch (const LumenarError &e) {
            EXPECT_TRUE(e.message().contains(mentions)) << qPrintable(e.message());
        }
        EXPECT_EQ(test::fileHash(out), good) << "the previous database must survive";
        EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral(".partial")));
        old.isEmpty() ? void(QFile::remove(path)) : test::writeFile(path, old);
    };
    expectFailure("tables/Ordinale.tsv", "Numar\tNume\n1\tFirst\textra\n", "Ordinale.tsv:2");
    expectFailure("queries/doTipZi.sql", "-- name: doTipZi\nUPDATE NoSuchTable SET x = 1;\n", "doTipZi.sql");
    expectFailure("queries/unnamed.sql", "SELECT 1;\n", "unnamed.sql");
    expectFailure("commentaries/stray.html", "<!--\nfor: Nobody at all\n-->\n<p>x</p>\n", "Nobody at all");
    // Every celebration needs a commentary.
    expectFailure("commentaries/easter-sunday.html", {}, "no commentary for \"Easter Sunday\"");

    QFile commentary(data + QStringLiteral("/commentaries/easter-sunday.html"));
    ASSERT_TRUE(commentary.open(QIODevice::Append));
    commentary.write("<p>One more line.</p>\n");
    commentary.close();
    EXPECT_NE(contentStamp(data), stamp);
}

TEST(DatabaseBuild, SplitsStatementsButKeepsTriggerBodiesWhole)
{
    const QStringList parts = splitSqlStatements(
        "-- a comment\nCREATE TABLE a (x);\n\nCREATE TRIGGER t AFTER INSERT ON a\nBEGIN\n  DELETE FROM a;\n  "
        "SELECT 1;\nEND;\nCREATE VIEW v AS\nSELECT x\nFROM a;\n");
    ASSERT_EQ(parts.size(), 3);
    EXPECT_TRUE(parts[1].startsWith("CREATE TRIGGER"));
    EXPECT_TRUE(parts[1].endsWith("END;"));
    EXPECT_EQ(commentarySlug("St. André Bessette, Religious"), "st-andre-bessette-religious");
}
