// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Maintenance.h"
#include "tests/support/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Runs `work` as an ordinary user, whom file permissions bind (root writes read-only files):
// under root, in a child process as nobody, after giving it the folder's files.
QString asOrdinaryUser(const QString &folder, const std::function<QString()> &work)
{
    if (::geteuid() != 0)
        return work();
    const uid_t nobody = 65534;
    QFile::setPermissions(folder, QFileDevice::Permissions(0x7777));
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        [[maybe_unused]] const int owned = ::chown(QFile::encodeName(QDir(folder).filePath(name)).constData(), nobody, nobody);
    int channel[2];
    if (::pipe(channel) != 0)
        return QStringLiteral("no pipe");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        QString result = QStringLiteral("could not become nobody");
        if (::setgroups(0, nullptr) == 0 && ::setgid(nobody) == 0 && ::setuid(nobody) == 0)
            result = work();
        const QByteArray bytes = result.toUtf8();
        [[maybe_unused]] const auto written = ::write(channel[1], bytes.constData(), bytes.size());
        ::_exit(0);
    }
    ::close(channel[1]);
    QByteArray bytes;
    char buffer[512];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, n);
    ::close(channel[0]);
    ::waitpid(child, nullptr, 0);
    return QString::fromUtf8(bytes);
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

TEST(CuratTemp, AReadOnlyDatabaseIsNamedAndNoSideFileOfItBlocksALaterStart)
{
    TempDatabase db;
    {
        fillYearTables(db.open());
    }
    const QString wal = db.path() + QStringLiteral("-wal");
    const QString shm = db.path() + QStringLiteral("-shm");
    const QString report = asOrdinaryUser(db.folder(), [&] {
        QStringList seen;
        auto start = [&] {
            try {
                CuratTemp(db.folder());
                seen << QStringLiteral("started");
            } catch (const LumenarError &error) {
                seen << error.message();
            }
            seen << QStringLiteral("side files: %1").arg(QFileInfo::exists(wal) + QFileInfo::exists(shm));
        };
        const auto readWrite = QFile::ReadOwner | QFile::WriteOwner;
        QFile::setPermissions(db.path(), QFile::ReadOwner);
        start();
        // What a run on the read-only file used to leave: logs as read-only as the file.
        for (const QString &side : {wal, shm}) {
            QFile file(side);
            file.open(QIODevice::WriteOnly);
            file.setPermissions(QFile::ReadOwner);
        }
        QFile::setPermissions(db.path(), readWrite);
        start();
        return seen.join(u'\n');
    });
    EXPECT_EQ(report,
        QStringLiteral("The calendar database %1 cannot be written: Permission denied.\nside files: 0\n"
                       "started\nside files: 0")
            .arg(db.path()));
    EXPECT_EQ(yearRows(db.open()), 0);
}
