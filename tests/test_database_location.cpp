// Where the calendar database lives, and how a copy of it is made without losing what the
// user saved.
#include "store/DatabaseCopy.h"
#include "tests/support/TestDatabase.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lumenar;
using lumenar::test::TempDatabase;

namespace {

void saveRow(const QString &path, const QString &name, double value)
{
    Store store = Store::open(path);
    store.exec(
        QStringLiteral("INSERT INTO Parametri (parametru, valoare, \"Default\") VALUES (?, ?, 0)"), {name, value});
}

QStringList savedRows(const QString &path)
{
    Store store = Store::open(path);
    QStringList rows;
    QSqlQuery query = store.exec(
        QStringLiteral("SELECT parametru || '=' || valoare FROM Parametri WHERE \"Default\" = 0 ORDER BY rowid"));
    while (query.next())
        rows << query.value(0).toString();
    return rows;
}

int count(const QString &path, const QString &sql)
{
    return Store::open(path).scalar(sql).toInt();
}

QStringList leftovers(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.new*")}, QDir::Files);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

TEST(DatabaseCopy, KeepsTheSavedRowsAndTakesEverythingElseFromTheSource)
{
    TempDatabase target;
    saveRow(target.path(), QStringLiteral("xMain"), 4321);
    saveRow(target.path(), QStringLiteral("wComm"), 5000.5);
    {
        Store store = target.open();
        store.exec(QStringLiteral("DELETE FROM Calendar_Fix_Univ"));
        store.exec(QStringLiteral("UPDATE ContentStamp SET Stamp = 'older'"));
    }
    replaceKeepingSavedRows(test::shippedDatabasePath(), target.path());

    EXPECT_EQ(savedRows(target.path()), (QStringList{QStringLiteral("xMain=4321.0"), QStringLiteral("wComm=5000.5")}));
    EXPECT_EQ(count(target.path(), QStringLiteral("SELECT count(*) FROM Parametri WHERE \"Default\" = 1")), 8);
    EXPECT_GT(count(target.path(), QStringLiteral("SELECT count(*) FROM Calendar_Fix_Univ")), 200);
    EXPECT_EQ(databaseStamp(target.path()), databaseStamp(test::shippedDatabasePath()));
    EXPECT_FALSE(databaseStamp(target.path()).isEmpty());
    EXPECT_EQ(
        Store::open(target.path()).scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
    EXPECT_TRUE(leftovers(target.folder()).isEmpty()) << qPrintable(leftovers(target.folder()).join(u' '));

    // A second copy carries the rows again, without doubling them.
    replaceKeepingSavedRows(test::shippedDatabasePath(), target.path());
    EXPECT_EQ(savedRows(target.path()).size(), 2);
}

TEST(DatabaseCopy, AnOpenTargetOrABadSourceLeavesTheTargetAsItWas)
{
    TempDatabase target;
    saveRow(target.path(), QStringLiteral("xMain"), 4321);
    {
        // Another program holds the database: its log must never meet a new file.
        Store other = target.open();
        other.exec(QStringLiteral("DELETE FROM C_Univ_Temp"));
        EXPECT_EQ(test::errorKindOf([&] { replaceKeepingSavedRows(test::shippedDatabasePath(), target.path()); }),
            ErrorKind::Step);
    }
    const QByteArray before = test::fileHash(target.path());
    QTemporaryDir dir;
    const QString notADatabase = dir.filePath(QStringLiteral("Lumenar.mdb"));
    writeFile(notADatabase, "only words, no tables\n");
    for (const QString &source : {notADatabase, dir.filePath(QStringLiteral("missing.mdb"))}) {
        EXPECT_EQ(test::errorKindOf([&] { replaceKeepingSavedRows(source, target.path()); }), ErrorKind::Step)
            << qPrintable(source);
        EXPECT_EQ(test::fileHash(target.path()), before);
    }
    EXPECT_TRUE(leftovers(target.folder()).isEmpty());
    EXPECT_EQ(savedRows(target.path()), QStringList{QStringLiteral("xMain=4321.0")});
}

TEST(DatabaseCopy, AnUnreadableTargetIsReplacedAndKeptAside)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("Lumenar.mdb"));
    writeFile(target, QByteArray(8192, 'x'));
    replaceKeepingSavedRows(test::shippedDatabasePath(), target);
    EXPECT_GT(count(target, QStringLiteral("SELECT count(*) FROM Calendar_Fix_Univ")), 200);
    EXPECT_EQ(test::fileHash(target + QStringLiteral(".damaged")),
        QCryptographicHash::hash(QByteArray(8192, 'x'), QCryptographicHash::Sha256));
}
