// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/DatabaseBuilder.h"
#include "store/DatabaseCopy.h"
#include "store/Store.h"
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
    for (const char *query : {"ActualizareDataUniv", "ActualizareDataDifUSA", "DateFixe->CalUniv", "DateFixe->CalUSA",
             "DateFixeDIF->CalUSA", "DateVar->CalUniv", "DateVar->CalUSA", "AppCUniv_Alte", "AppCUSA_Alte",
             "CalUnivRangMinim", "CalUSARangMinim", "doTipZi", "doTipZi_USA"}) {
        EXPECT_NO_THROW(store.storedQueryText(QString::fromLatin1(query))) << query;
    }
    // Window positions are delivered as defaults; a saved row is not one by default.
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT count(*) FROM Parametri WHERE \"Default\" = 1")).toInt(), 8);
}

TEST(StoredQueries, AMissingNameIsAnErrorThatNamesIt)
{
    TempDatabase db;
    Store store = db.open();
    try {
        store.runStoredQuery(QStringLiteral("NoSuchQuery"));
        FAIL();
    } catch (const LumenarError &e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("NoSuchQuery")));
    }
}

TEST(StoredQueries, FixedDatesFollowTheYearAndSkipA29thOfFebruaryThatIsNotThere)
{
    TempDatabase db;
    Store store = db.open();
    store.exec(QStringLiteral("INSERT INTO Calendar_Fix_Univ (Luna, Zi, Eveniment, Rang, Culori) "
                              "VALUES (2, 29, 'Leap day', 12, 0)"));
    for (int year : {2024, 2025, 1900, 2000}) {
        store.exec(QStringLiteral("UPDATE Calendar_Fix_Univ SET AnCurent = ?"), {year});
        store.runStoredQuery(QStringLiteral("ActualizareDataUniv"));
        EXPECT_EQ(store
                      .scalar(QStringLiteral("SELECT Data FROM Calendar_Fix_Univ WHERE Eveniment = "
                                             "'St. Joseph, Husband of Mary'"))
                      .toString(),
            QStringLiteral("%1-03-19").arg(year));
        const QVariant leap
            = store.scalar(QStringLiteral("SELECT Data FROM Calendar_Fix_Univ WHERE Eveniment = 'Leap day'"));
        EXPECT_EQ(leap.isNull(), year == 2025 || year == 1900) << year;
    }
}

TEST(UnivFerialReading, DeletingThroughTheViewDeletesTheYearRow)
{
    TempDatabase db;
    Store store = db.open();
    store.exec(QStringLiteral("UPDATE C_DIF_USA SET AnCurent = 2026"));
    store.runStoredQuery(QStringLiteral("ActualizareDataDifUSA"));
    store.exec(QStringLiteral("DELETE FROM C_USA_Temp"));
    store.exec(QStringLiteral("INSERT INTO C_USA_Temp (Data, Eveniment) VALUES "
                              "('2026-12-09', 'first'), ('2026-12-09', 'second'), ('2026-12-10', 'not a USA day')"));
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT count(*) FROM UnivFerialReading")).toInt(), 2);
    store.exec(QStringLiteral("DELETE FROM UnivFerialReading WHERE Eveniment = 'first'"));
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT group_concat(Eveniment) FROM C_USA_Temp")).toString(),
        QStringLiteral("second,not a USA day"));
}

TEST(InMemoryCopy, WorkOnTheCopyNeverReachesTheFile)
{
    TempDatabase db;
    const QByteArray before = test::fileHash(db.path());
    {
        Store copy = Store::openInMemoryCopy(db.path());
        copy.exec(QStringLiteral("DELETE FROM Calendar_Fix_Univ"));
        EXPECT_EQ(copy.scalar(QStringLiteral("SELECT count(*) FROM Calendar_Fix_Univ")).toInt(), 0);
        EXPECT_GT(copy.scalar(QStringLiteral("SELECT count(*) FROM Comentarii")).toInt(), 0);
        // The copy keeps the view's trigger.
        EXPECT_TRUE(copy.scalar(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'trigger'")).isValid());
    }
    EXPECT_EQ(test::fileHash(db.path()), before);
    Store store = db.open();
    EXPECT_GT(store.scalar(QStringLiteral("SELECT count(*) FROM Calendar_Fix_Univ")).toInt(), 200);
}

TEST(InMemoryCopy, ReadsAFileWhosePathLooksLikeAnAddress)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("a b?c#d%20e"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = QDir(folder).filePath(QStringLiteral("Lumenar.mdb"));
    ASSERT_TRUE(QFile::copy(test::builtDatabasePath(), path));
    Store copy = Store::openInMemoryCopy(path);
    EXPECT_GT(copy.scalar(QStringLiteral("SELECT count(*) FROM Calendar_Fix_Univ")).toInt(), 200);
}

TEST(InMemoryCopy, ReadsAnInstalledCopyInAFolderNobodyMayWrite)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("share"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = QDir(folder).filePath(QStringLiteral("Lumenar.mdb"));
    ASSERT_TRUE(QFile::copy(test::builtDatabasePath(), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(folder).isWritable())
        GTEST_SKIP() << "the folder stays writable to this user (root)";
    // The file is in WAL mode: without a writable folder SQLite can make no side files.
    EXPECT_GT(
        Store::openInMemoryCopy(path).scalar(QStringLiteral("SELECT count(*) FROM Calendar_Fix_Univ")).toInt(), 200);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("Lumenar.mdb")});
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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
