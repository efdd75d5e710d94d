// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Maintenance.h"
#include "tests/support/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lumenar;
using lumenar::test::TempDatabase;

namespace {

int yearRows(const Store &store)
{
    return store.scalar(QStringLiteral("SELECT (SELECT count(*) FROM C_Univ_Temp) + (SELECT count(*) FROM C_USA_Temp)"))
        .toInt();
}

void fillYearTables(const Store &store)
{
    store.exec(QStringLiteral(
        "INSERT INTO C_Univ_Temp (Data, Eveniment) SELECT '2026-01-01', Eveniment FROM Calendar_Fix_Univ"));
    store.exec(
        QStringLiteral("INSERT INTO C_USA_Temp (Data, Eveniment) SELECT '2026-01-01', Eveniment FROM C_DIF_USA"));
}

QString tempFile(const TempDatabase &db)
{
    return QDir(db.folder()).filePath(QStringLiteral("~Temp.mdb"));
}

void saveUserRow(const Store &store)
{
    store.exec(QStringLiteral("INSERT INTO Parametri (parametru, valoare) VALUES ('xMain', 4321)"));
}

double savedUserValue(const QString &path)
{
    Store store = Store::open(path);
    return store.scalar(QStringLiteral("SELECT valoare FROM Parametri WHERE \"Default\" = 0 AND parametru = 'xMain'"))
        .toDouble();
}

} // namespace

TEST(CuratTemp, EmptiesTheYearTablesAndClearsALeftoverCopy)
{
    TempDatabase db;
    {
        fillYearTables(db.open());
    }
    QFile leftover(tempFile(db));
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.write("half a compaction");
    leftover.close();

    CuratTemp(db.folder());
    EXPECT_EQ(yearRows(db.open()), 0);
    EXPECT_FALSE(QFileInfo::exists(tempFile(db)));
    CuratTemp(db.folder()); // nothing left over: no error
}

TEST(CuratTemp, PutsBackACompactedCopyWhenTheDatabaseIsMissing)
{
    TempDatabase db;
    {
        saveUserRow(db.open());
    }
    ASSERT_TRUE(QFile::rename(db.path(), tempFile(db))); // as if stopped between delete and rename
    CuratTemp(db.folder());
    EXPECT_TRUE(QFileInfo::exists(db.path()));
    EXPECT_FALSE(QFileInfo::exists(tempFile(db)));
    EXPECT_EQ(savedUserValue(db.path()), 4321.0);
}

TEST(CuratTemp, ALogOfTheVanishedFileIsNotReplayedIntoTheCopy)
{
    TempDatabase db;
    {
        saveUserRow(db.open());
    }
    ASSERT_TRUE(QFile::rename(db.path(), tempFile(db)));
    QFile log(db.path() + QStringLiteral("-wal"));
    ASSERT_TRUE(log.open(QIODevice::WriteOnly));
    log.write(QByteArray(4096, 'x'));
    log.close();
    CuratTemp(db.folder());
    EXPECT_EQ(savedUserValue(db.path()), 4321.0);
    EXPECT_TRUE(QFileInfo::exists(db.path() + QStringLiteral("-wal.orphaned")));
}

TEST(CuratTemp, WithoutAnyDatabaseItFailsAndDeletesNothing)
{
    TempDatabase db;
    ASSERT_TRUE(QFile::remove(db.path()));
    QFile broken(tempFile(db));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a database, but maybe all that is left");
    broken.close();
    EXPECT_THROW(CuratTemp(db.folder()), LumenarError);
    EXPECT_TRUE(QFileInfo::exists(tempFile(db)));
    EXPECT_FALSE(QFileInfo::exists(db.path()));
}

TEST(Optimizez, CompactsInPlaceAndKeepsWhatTheUserSaved)
{
    TempDatabase db;
    {
        Store store = db.open();
        saveUserRow(store);
        for (int i = 0; i < 20; ++i)
            fillYearTables(store);
    }
    const qint64 before = QFileInfo(db.path()).size();
    QString detail;
    EXPECT_EQ(Optimizez(db.folder(), &detail), CompactResult::Compacted) << qPrintable(detail);
    EXPECT_LT(QFileInfo(db.path()).size(), before);
    EXPECT_FALSE(QFileInfo::exists(tempFile(db)));
    EXPECT_EQ(yearRows(db.open()), 0);
    EXPECT_EQ(savedUserValue(db.path()), 4321.0);
    EXPECT_GT(db.open().scalar(QStringLiteral("SELECT count(*) FROM Comentarii")).toInt(), 0);
}

TEST(Optimizez, AnUnwritableTargetLeavesTheDatabaseAsItWas)
{
    TempDatabase db;
    {
        saveUserRow(db.open());
    }
    // A folder where the copy should go: the compaction cannot write it (even as root).
    ASSERT_TRUE(QDir(db.folder()).mkdir(QStringLiteral("~Temp.mdb")));
    QString detail;
    EXPECT_EQ(Optimizez(db.folder(), &detail), CompactResult::NotCompacted);
    EXPECT_FALSE(detail.isEmpty());
    EXPECT_EQ(savedUserValue(db.path()), 4321.0);
}

TEST(Optimizez, AMissingDatabaseIsReportedAndNothingIsCreated)
{
    TempDatabase db;
    ASSERT_TRUE(QFile::remove(db.path()));
    EXPECT_EQ(Optimizez(db.folder()), CompactResult::NotCompacted);
    EXPECT_FALSE(QFileInfo::exists(db.path()));
    EXPECT_FALSE(QFileInfo::exists(tempFile(db)));
}

TEST(Optimizez, NeverReplacesADatabaseThatIsStillOpen)
{
    TempDatabase db;
    Store other = db.open(); // as a window would hold it
    saveUserRow(other);
    EXPECT_EQ(Optimizez(db.folder()), CompactResult::NotCompacted);
    EXPECT_FALSE(QFileInfo::exists(tempFile(db)));
    EXPECT_EQ(savedUserValue(db.path()), 4321.0);
    EXPECT_EQ(other.scalar(QStringLiteral("SELECT count(*) FROM Parametri WHERE \"Default\" = 0")).toInt(), 1);
}
