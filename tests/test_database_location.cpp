// SPDX-License-Identifier: GPL-3.0-or-later
// Where the calendar database lives, and how a copy of it is made without losing what the
// user saved.
#include "store/DatabaseCopy.h"
#include "store/DatabaseLocation.h"
#include "tests/support/TestDatabase.h"

#include <QCoreApplication>
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

namespace {

// A machine of its own: an installation under a prefix, a home, and the XDG folders.
class Location : public ::testing::Test
{
protected:
    QTemporaryDir root;
    QString prefix = root.filePath(QStringLiteral("prefix"));
    QString program = root.filePath(QStringLiteral("prefix/bin"));
    QString installed = root.filePath(QStringLiteral("prefix/share/lumenar/Lumenar.mdb"));
    QString dataHome = root.filePath(QStringLiteral("home/.local/share"));
    QString userCopy = root.filePath(QStringLiteral("home/.local/share/Lumenar/Lumenar.mdb"));

    void SetUp() override
    {
        for (const char *name : {"XDG_DATA_HOME", "XDG_DATA_DIRS"})
            m_saved.append({name, qgetenv(name)});
        qputenv("XDG_DATA_HOME", dataHome.toUtf8());
        qputenv("XDG_DATA_DIRS", root.filePath(QStringLiteral("no-such-folder")).toUtf8());
        QDir().mkpath(program);
        install(installed);
    }
    void TearDown() override
    {
        for (const auto &[name, value] : m_saved)
            qputenv(name, value);
    }

    static void install(const QString &path)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile::remove(path);
        ASSERT_TRUE(QFile::copy(test::shippedDatabasePath(), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }
    static void setStamp(const QString &path, const QString &stamp)
    {
        Store::open(path).exec(QStringLiteral("UPDATE ContentStamp SET Stamp = ?"), {stamp});
    }
    static QString messageOf(const std::function<void()> &work)
    {
        try {
            work();
        } catch (const LumenarError &error) {
            EXPECT_EQ(error.kind(), ErrorKind::StoreUnavailable);
            return error.message();
        }
        return QStringLiteral("(no error)");
    }

private:
    QList<std::pair<const char *, QByteArray>> m_saved;
};

} // namespace

TEST_F(Location, ADatabaseBesideTheProgramInAWritableFolderIsTheDatabase)
{
    TempDatabase portable;
    EXPECT_EQ(prepareDatabase(portable.folder()).path, portable.path());
    EXPECT_EQ(databaseToRead(portable.folder()), portable.path());
    EXPECT_FALSE(QFileInfo::exists(userDatabaseFolder()));
}

TEST_F(Location, AnInstalledProgramWorksOnTheUsersCopyAndAnUpdateKeepsTheirRows)
{
    // Before the desktop program first ran, readers take the installed copy and make nothing.
    EXPECT_EQ(databaseToRead(program), installed);
    EXPECT_FALSE(QFileInfo::exists(userDatabaseFolder()));

    EXPECT_EQ(prepareDatabase(program).path, userCopy);
    EXPECT_EQ(databaseStamp(userCopy), databaseStamp(installed));
    EXPECT_EQ(databaseToRead(program), userCopy);
    saveRow(userCopy, QStringLiteral("xMain"), 4321);
    const QByteArray saved = test::fileHash(userCopy);
    EXPECT_EQ(prepareDatabase(program).path, userCopy);
    EXPECT_EQ(test::fileHash(userCopy), saved) << "a current copy is left alone";

    // The folder does not follow the application name of the program asking.
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("lumenar-cli"));
    EXPECT_EQ(userDatabaseFolder(), QFileInfo(userCopy).absolutePath());
    QCoreApplication::setApplicationName(name);

    setStamp(installed, QStringLiteral("newer"));
    EXPECT_EQ(databaseToRead(program), installed) << "the user's copy is older";
    EXPECT_EQ(prepareDatabase(program).path, userCopy);
    EXPECT_EQ(databaseStamp(userCopy), QStringLiteral("newer"));
    EXPECT_EQ(savedRows(userCopy), QStringList{QStringLiteral("xMain=4321.0")});
    EXPECT_EQ(databaseToRead(program), userCopy);
}

TEST_F(Location, TheXdgDataFoldersAndAReadOnlyFolderBesideTheProgramAreInstallations)
{
    ASSERT_TRUE(QFile::remove(installed));
    const QString shared = root.filePath(QStringLiteral("xdg/lumenar/Lumenar.mdb"));
    install(shared);
    qputenv("XDG_DATA_DIRS",
        (root.filePath(QStringLiteral("empty")) + u':' + root.filePath(QStringLiteral("xdg"))).toUtf8());
    EXPECT_EQ(installedDatabase(program), shared);
    EXPECT_EQ(prepareDatabase(program).path, userCopy);

    const QString readOnly = root.filePath(QStringLiteral("cdrom"));
    install(QDir(readOnly).filePath(QStringLiteral("Lumenar.mdb")));
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner);
    if (!QFileInfo(readOnly).isWritable()) { // root may write anywhere
        EXPECT_EQ(installedDatabase(readOnly), QDir(readOnly).filePath(QStringLiteral("Lumenar.mdb")));
    }
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(Location, WithoutAnyDatabaseOrAWritableFolderTheUserIsToldAndNothingIsMade)
{
    ASSERT_TRUE(QFile::remove(installed));
    EXPECT_EQ(
        messageOf([&] { prepareDatabase(program); }), QStringLiteral("No information database in application folder."));
    EXPECT_EQ(
        messageOf([&] { databaseToRead(program); }), QStringLiteral("No information database in application folder."));
    EXPECT_FALSE(QFileInfo::exists(userDatabaseFolder()));

    // A data folder under a plain file cannot be made, even by root.
    install(installed);
    writeFile(root.filePath(QStringLiteral("plain")), "a file, not a folder\n");
    qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("plain/share")).toUtf8());
    const QString message = messageOf([&] { prepareDatabase(program); });
    EXPECT_TRUE(message.contains(QLatin1String("cannot be written"))) << qPrintable(message);
    EXPECT_TRUE(message.contains(root.filePath(QStringLiteral("plain/share/Lumenar")))) << qPrintable(message);
}

TEST_F(Location, OneDesktopProgramPerDatabaseAndALeftoverLockIsFreeAtOnce)
{
    ASSERT_EQ(prepareDatabase(program).path, userCopy);
    EXPECT_FALSE(QFileInfo::exists(userCopy + QStringLiteral(".lock"))) << "let go and removed at the end of a run";
    // A refresh killed while it wrote its lock leaves an empty file behind: nobody holds it.
    setStamp(installed, QStringLiteral("newer"));
    writeFile(userCopy + QStringLiteral(".lock"), QByteArray());
    TempDatabase portable;
    {
        const WorkingDatabase first = prepareDatabase(program, 0);
        EXPECT_EQ(databaseStamp(userCopy), QStringLiteral("newer"));
        const WorkingDatabase beside = prepareDatabase(portable.folder(), 0);
        // A second desktop program on the same file (another session, another runtime
        // folder) is refused and told which file and who holds it.
        for (const QString &folder : {program, portable.folder()}) {
            try {
                prepareDatabase(folder, 0);
                ADD_FAILURE() << "a second program got " << qPrintable(folder);
            } catch (const LumenarError &error) {
                EXPECT_EQ(error.kind(), ErrorKind::InUse);
                EXPECT_TRUE(
                    error.message().contains(QDir::toNativeSeparators(folder == program ? userCopy : portable.path())));
                EXPECT_TRUE(error.message().contains(QString::number(QCoreApplication::applicationPid())));
            }
        }
        // lumenar-cli only reads: it runs beside the desktop program.
        EXPECT_EQ(databaseToRead(program), userCopy);
        EXPECT_NO_THROW(readCalendarSource(Store::openReadOnly(databaseToRead(program))));
    }
    EXPECT_EQ(prepareDatabase(program, 0).path, userCopy);
}

TEST_F(Location, ACopyHeldByARunningProgramIsUsedAsItIs)
{
    ASSERT_EQ(prepareDatabase(program).path, userCopy);
    saveRow(userCopy, QStringLiteral("xMain"), 4321);
    setStamp(installed, QStringLiteral("newer"));
    {
        Store running = Store::open(userCopy);
        running.exec(QStringLiteral("DELETE FROM C_Univ_Temp"));
        EXPECT_EQ(prepareDatabase(program).path, userCopy);
        EXPECT_NE(databaseStamp(userCopy), QStringLiteral("newer"));
    }
    EXPECT_EQ(prepareDatabase(program).path, userCopy);
    EXPECT_EQ(databaseStamp(userCopy), QStringLiteral("newer"));
    EXPECT_EQ(savedRows(userCopy), QStringList{QStringLiteral("xMain=4321.0")});
}
