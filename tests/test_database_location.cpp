// SPDX-License-Identifier: GPL-3.0-or-later
// Where the calendar database lives, how a copy of it is made and compacted without losing
// what the user saved, and the start at login beside it.
#include "store/Autostart.h"
#include "store/DatabaseCopy.h"
#include "store/DatabaseLocation.h"
#include "store/Maintenance.h"
#include "tests/support/TestDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace lumenar;
using lumenar::test::TempDatabase;

namespace {

void saveRow(const QString &path, const QString &name = QStringLiteral("xMain"), double value = 4321)
{
    Store::open(path).exec("INSERT INTO Parametri (parametru, valoare, \"Default\") VALUES (?, ?, 0)", {name, value});
}

QString savedRows(const QString &path)
{
    return Store::open(path)
        .scalar("SELECT group_concat(parametru || '=' || valoare, ' ') FROM (SELECT * FROM Parametri "
                "WHERE \"Default\" = 0 ORDER BY rowid)")
        .toString();
}

int count(const QString &path, const char *sql)
{
    return Store::open(path).scalar(QLatin1String(sql)).toInt();
}

int yearRows(const QString &path)
{
    return count(path, "SELECT (SELECT count(*) FROM C_Univ_Temp) + (SELECT count(*) FROM C_USA_Temp)");
}

void fillYearTables(const QString &path)
{
    const Store store = Store::open(path);
    store.exec("INSERT INTO C_Univ_Temp (Data, Eveniment) SELECT '2026-01-01', Eveniment FROM "
               "Calendar_Fix_Univ");
    store.exec("INSERT INTO C_USA_Temp (Data, Eveniment) SELECT '2026-01-01', Eveniment FROM C_DIF_USA");
}

bool exists(const QString &path)
{
    return QFileInfo::exists(path);
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
        [[maybe_unused]] const int owned = ::chown(QFile::encodeName(folder + u'/' + name).constData(), nobody, nobody);
    QTemporaryFile report; // written through the descriptor the child shares
    if (!report.open())
        return "no report file";
    const pid_t child = ::fork();
    if (child == 0) {
        QString result = QStringLiteral("could not become nobody");
        if (::setgroups(0, nullptr) == 0 && ::setgid(nobody) == 0 && ::setuid(nobody) == 0)
            result = work();
        const QByteArray bytes = result.toUtf8();
        [[maybe_unused]] const auto written = ::write(report.handle(), bytes.constData(), bytes.size());
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    report.seek(0);
    return QString::fromUtf8(report.readAll());
}

// A working database with a row the user saved, and the place of its compacted copy.
class Maintenance : public ::testing::Test
{
protected:
    TempDatabase db;
    QString temp = db.folder() + QStringLiteral("/~Temp.mdb");
    void SetUp() override { saveRow(db.path()); }
};

} // namespace

TEST(DatabaseCopy, AnOpenTargetOrABadSourceChangesNothingAndADamagedTargetIsKeptAside)
{
    TempDatabase target;
    saveRow(target.path());
    {
        // Another program holds the database: its log must never meet a new file.
        Store other = target.open();
        other.exec("DELETE FROM C_Univ_Temp");
        EXPECT_EQ(test::errorKindOf([&] { replaceKeepingSavedRows(test::shippedDatabasePath(), target.path()); }),
            ErrorKind::Step);
    }
    const QByteArray before = test::fileHash(target.path());
    QTemporaryDir dir;
    test::writeFile(dir.filePath("words.mdb"), "only words, no tables\n");
    for (const char *source : {"words.mdb", "missing.mdb"}) {
        EXPECT_EQ(
            test::errorKindOf([&] { replaceKeepingSavedRows(dir.filePath(QLatin1String(source)), target.path()); }),
            ErrorKind::Step)
            << source;
        EXPECT_EQ(test::fileHash(target.path()), before);
    }
    EXPECT_EQ(QDir(target.folder()).entryList({"*.new*"}), QStringList());
    EXPECT_EQ(savedRows(target.path()), "xMain=4321.0");

    // A target that cannot be read is replaced, and kept aside.
    const QString damaged = dir.filePath("Lumenar.mdb");
    test::writeFile(damaged, QByteArray(8192, 'x'));
    const QByteArray bytes = test::fileHash(damaged);
    replaceKeepingSavedRows(test::shippedDatabasePath(), damaged);
    EXPECT_GT(count(damaged, "SELECT count(*) FROM Calendar_Fix_Univ"), 200);
    EXPECT_EQ(test::fileHash(damaged + QStringLiteral(".damaged")), bytes);
}

TEST_F(Maintenance, ACompactedCopyComesBackWithoutTheLogOfTheVanishedFile)
{
    ASSERT_TRUE(QFile::rename(db.path(), temp)); // as if stopped between delete and rename
    test::writeFile(db.path() + QStringLiteral("-wal"), QByteArray(4096, 'x'));
    CuratTemp(db.folder());
    EXPECT_FALSE(exists(temp));
    EXPECT_EQ(savedRows(db.path()), "xMain=4321.0");
    EXPECT_TRUE(exists(db.path() + QStringLiteral("-wal.orphaned")));
}

TEST_F(Maintenance, WithoutAnyDatabaseNothingIsDeletedOrMade)
{
    ASSERT_TRUE(QFile::remove(db.path()));
    EXPECT_EQ(Optimizez(db.folder()), CompactResult::NotCompacted);
    EXPECT_FALSE(exists(db.path()));
    EXPECT_FALSE(exists(temp));
    test::writeFile(temp, "not a database, but maybe all that is left");
    EXPECT_THROW(CuratTemp(db.folder()), LumenarError);
    EXPECT_TRUE(exists(temp));
    EXPECT_FALSE(exists(db.path()));
}

// A start clears what a compaction left and empties the year tables; a compaction at the end
// shrinks the file in place.
TEST_F(Maintenance, StartAndEndKeepWhatTheUserSaved)
{
    for (int i = 0; i < 20; ++i)
        fillYearTables(db.path());
    test::writeFile(temp, "half a compaction");
    CuratTemp(db.folder());
    EXPECT_EQ(yearRows(db.path()), 0);
    EXPECT_FALSE(exists(temp));
    CuratTemp(db.folder()); // nothing left over: no error

    fillYearTables(db.path());
    const qint64 before = QFileInfo(db.path()).size();
    QString detail;
    EXPECT_EQ(Optimizez(db.folder(), &detail), CompactResult::Compacted) << qPrintable(detail);
    EXPECT_LT(QFileInfo(db.path()).size(), before);
    EXPECT_FALSE(exists(temp));
    EXPECT_EQ(yearRows(db.path()), 0);
    EXPECT_EQ(savedRows(db.path()), "xMain=4321.0");
    EXPECT_GT(count(db.path(), "SELECT count(*) FROM Comentarii"), 0);
}

TEST_F(Maintenance, AnUnwritableCopyOrAnOpenDatabaseLeavesItAsItWas)
{
    {
        Store other = db.open(); // as a window would hold it
        other.exec("DELETE FROM C_Univ_Temp");
        EXPECT_EQ(Optimizez(db.folder()), CompactResult::NotCompacted);
        EXPECT_FALSE(exists(temp));
        EXPECT_EQ(other.scalar("SELECT count(*) FROM Parametri WHERE \"Default\" = 0").toInt(), 1);
    }
    // A folder where the copy should go: the compaction cannot write it (even as root).
    ASSERT_TRUE(QDir().mkdir(temp));
    QString detail;
    EXPECT_EQ(Optimizez(db.folder(), &detail), CompactResult::NotCompacted);
    EXPECT_FALSE(detail.isEmpty());
    EXPECT_EQ(savedRows(db.path()), "xMain=4321.0");
}

TEST_F(Maintenance, AReadOnlyDatabaseIsNamedAndNoSideFileOfItBlocksALaterStart)
{
    fillYearTables(db.path());
    const QString wal = db.path() + QStringLiteral("-wal"), shm = db.path() + QStringLiteral("-shm");
    const QString report = asOrdinaryUser(db.folder(), [&] {
        QStringList seen;
        auto start = [&] {
            try {
                CuratTemp(db.folder());
                seen << "started";
            } catch (const LumenarError &error) {
                seen << error.message();
            }
            seen << QStringLiteral("side files: %1").arg(exists(wal) + exists(shm));
        };
        QFile::setPermissions(db.path(), QFile::ReadOwner);
        start();
        // What a run on the read-only file used to leave: logs as read-only as the file.
        for (const QString &side : {wal, shm}) {
            QFile file(side);
            file.open(QIODevice::WriteOnly);
            file.setPermissions(QFile::ReadOwner);
        }
        QFile::setPermissions(db.path(), QFile::ReadOwner | QFile::WriteOwner);
        start();
        return seen.join(u'\n');
    });
    EXPECT_EQ(report,
        QStringLiteral("The calendar database %1 cannot be written: Permission denied.\nside files: 0\n"
                       "started\nside files: 0")
            .arg(db.path()));
    EXPECT_EQ(yearRows(db.path()), 0);
}

namespace {

// A machine of its own: an installation under a prefix, a home, and the XDG folders.
class Location : public ::testing::Test
{
protected:
    QTemporaryDir root;
    QString program = root.filePath("prefix/bin");
    QString installed = root.filePath("prefix/share/lumenar/Lumenar.mdb");
    QString userCopy = root.filePath("home/.local/share/Lumenar/Lumenar.mdb");

    void SetUp() override
    {
        for (const char *name : {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME"})
            m_saved.append({name, qgetenv(name)});
        setFolders("XDG_DATA_HOME", "home/.local/share");
        setFolders("XDG_DATA_DIRS", "no-such-folder");
        setFolders("XDG_CONFIG_HOME", "config");
        QDir().mkpath(program);
        install(installed);
    }
    void TearDown() override
    {
        for (const auto &[name, value] : m_saved)
            qputenv(name, value);
    }
    // A variable naming folders under the root.
    void setFolders(const char *name, const char *folders)
    {
        QStringList paths;
        for (const QString &folder : QString::fromLatin1(folders).split(u':'))
            paths << root.filePath(folder);
        qputenv(name, paths.join(u':').toUtf8());
    }
    static void install(const QString &path)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile::remove(path);
        ASSERT_TRUE(QFile::copy(test::shippedDatabasePath(), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }
    static void setStamp(const QString &path, const char *stamp)
    {
        Store::open(path).exec("UPDATE ContentStamp SET Stamp = ?", {QLatin1String(stamp)});
    }
    // The message of the error `work` throws.
    static QString messageOf(ErrorKind kind, const std::function<void()> &work)
    {
        try {
            work();
        } catch (const LumenarError &error) {
            EXPECT_EQ(error.kind(), kind);
            return error.message();
        }
        return "(no error)";
    }

private:
    QList<std::pair<const char *, QByteArray>> m_saved;
};

} // namespace

TEST_F(Location, AnInstalledProgramWorksOnTheUsersCopyAndAnUpdateKeepsTheirRows)
{
    // Before the desktop program first ran, readers take the installed copy and make nothing.
    EXPECT_EQ(databaseToRead(program), installed);
    EXPECT_FALSE(exists(userDatabaseFolder()));

    EXPECT_EQ(prepareDatabase(program).path, userCopy);
    EXPECT_EQ(databaseStamp(userCopy), databaseStamp(installed));
    EXPECT_EQ(databaseToRead(program), userCopy);
    saveRow(userCopy);
    saveRow(userCopy, "wComm", 5000.5);
    const QByteArray saved = test::fileHash(userCopy);
    EXPECT_EQ(prepareDatabase(program).path, userCopy);
    EXPECT_EQ(test::fileHash(userCopy), saved) << "a current copy is left alone";

    // The folder does not follow the application name of the program asking.
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName("lumenar-cli");
    EXPECT_EQ(userDatabaseFolder(), QFileInfo(userCopy).absolutePath());
    QCoreApplication::setApplicationName(name);

    // Each update brings the user's rows along, once, and everything else from the installation.
    Store::open(userCopy).exec("DELETE FROM Calendar_Fix_Univ");
    for (const char *stamp : {"newer", "newest"}) {
        setStamp(installed, stamp);
        EXPECT_EQ(databaseToRead(program), installed) << "the user's copy is older";
        EXPECT_EQ(prepareDatabase(program).path, userCopy);
        EXPECT_EQ(databaseStamp(userCopy), QLatin1String(stamp));
        EXPECT_EQ(savedRows(userCopy), "xMain=4321.0 wComm=5000.5");
        EXPECT_EQ(databaseToRead(program), userCopy);
    }
    EXPECT_EQ(count(userCopy, "SELECT count(*) FROM Parametri WHERE \"Default\" = 1"), 8);
    EXPECT_GT(count(userCopy, "SELECT count(*) FROM Calendar_Fix_Univ"), 200);
    EXPECT_EQ(Store::open(userCopy).scalar("PRAGMA journal_mode").toString(), "wal");
    EXPECT_EQ(QDir(userDatabaseFolder()).entryList({"*.new*"}), QStringList());
    // A compaction stopped before its rename leaves the user's rows in its scratch copy.
    ASSERT_TRUE(QFile::rename(userCopy, userDatabaseFolder() + QStringLiteral("/~Temp.mdb")));
    EXPECT_EQ(prepareDatabase(program).path, userCopy);
    EXPECT_EQ(savedRows(userCopy), "xMain=4321.0 wComm=5000.5");
}

TEST_F(Location, WithoutAnInstallationTheUserIsToldAndTheXdgDataFoldersHoldOne)
{
    ASSERT_TRUE(QFile::remove(installed));
    const QString none = QStringLiteral("No information database in application folder.");
    EXPECT_EQ(messageOf(ErrorKind::StoreUnavailable, [&] { prepareDatabase(program); }), none);
    EXPECT_EQ(messageOf(ErrorKind::StoreUnavailable, [&] { databaseToRead(program); }), none);
    EXPECT_FALSE(exists(userDatabaseFolder()));

    const QString shared = root.filePath("xdg/lumenar/Lumenar.mdb");
    install(shared);
    setFolders("XDG_DATA_DIRS", "empty:xdg");
    EXPECT_EQ(installedDatabase(program), shared);
    EXPECT_EQ(prepareDatabase(program).path, userCopy);
    // So is a read-only folder beside the program.
    const QString readOnly = root.filePath("cdrom");
    install(readOnly + QStringLiteral("/Lumenar.mdb"));
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner);
    if (!QFileInfo(readOnly).isWritable()) { // root may write anywhere
        EXPECT_EQ(installedDatabase(readOnly), readOnly + QStringLiteral("/Lumenar.mdb"));
    }
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // A data folder under a plain file cannot be made, even by root.
    test::writeFile(root.filePath("plain"), "a file, not a folder\n");
    setFolders("XDG_DATA_HOME", "plain/share");
    const QString message = messageOf(ErrorKind::StoreUnavailable, [&] { prepareDatabase(program); });
    EXPECT_TRUE(message.contains("cannot be written")) << qPrintable(message);
    EXPECT_TRUE(message.contains(root.filePath("plain/share/Lumenar"))) << qPrintable(message);
}

TEST_F(Location, OneDesktopProgramPerDatabaseAndACopyInUseIsLeftAsItIs)
{
    ASSERT_EQ(prepareDatabase(program).path, userCopy);
    EXPECT_FALSE(exists(userCopy + QStringLiteral(".lock"))) << "let go and removed at the end of a run";
    saveRow(userCopy);
    setStamp(installed, "newer");
    {
        Store running = Store::open(userCopy); // a program that does not take the lock
        running.exec("DELETE FROM C_Univ_Temp");
        EXPECT_EQ(prepareDatabase(program).path, userCopy);
        EXPECT_NE(databaseStamp(userCopy), "newer");
    }
    // A refresh killed while it wrote its lock leaves an empty file behind: nobody holds it.
    test::writeFile(userCopy + QStringLiteral(".lock"), QByteArray());
    // A database beside the program, in a folder it can write, is the database.
    TempDatabase portable;
    EXPECT_EQ(databaseToRead(portable.folder()), portable.path());
    {
        const WorkingDatabase first = prepareDatabase(program, 0);
        EXPECT_EQ(databaseStamp(userCopy), "newer");
        EXPECT_EQ(savedRows(userCopy), "xMain=4321.0");
        const WorkingDatabase beside = prepareDatabase(portable.folder(), 0);
        EXPECT_EQ(beside.path, portable.path());
        // A second desktop program on the same file (another session, another runtime
        // folder) is refused and told which file and who holds it.
        for (const QString &folder : {program, portable.folder()}) {
            const QString message = messageOf(ErrorKind::InUse, [&] { prepareDatabase(folder, 0); });
            EXPECT_TRUE(message.contains(folder == program ? userCopy : portable.path())) << qPrintable(message);
            EXPECT_TRUE(message.contains(QString::number(QCoreApplication::applicationPid()))) << qPrintable(message);
        }
        // lumenar-cli only reads: it runs beside the desktop program.
        EXPECT_EQ(databaseToRead(program), userCopy);
        EXPECT_NO_THROW(readCalendarSource(Store::openReadOnly(databaseToRead(program))));
    }
    EXPECT_EQ(prepareDatabase(program, 0).path, userCopy);
}

TEST_F(Location, StartAtLoginWritesAValidEntryForTheProgramAndOffRemovesIt)
{
    const QString path = root.filePath("config/autostart/org.lumenar.Lumenar.desktop");
    EXPECT_EQ(autostartFilePath(), path);
    EXPECT_FALSE(autostartEnabled());
    auto entry = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    // Spaces, a dollar and a percent sign must survive the Exec line's quoting rules; TryExec
    // names the program as it is, so a login skips the entry once it is uninstalled.
    setAutostartEnabled(true, "/opt/Lumenar 3/bin$/100%/lumenar");
    EXPECT_TRUE(autostartEnabled());
    EXPECT_TRUE(entry().contains(QLatin1String("\nExec=\"/opt/Lumenar 3/bin\\\\$/100%%/lumenar\"\n"
                                               "TryExec=/opt/Lumenar 3/bin$/100%/lumenar\n")))
        << qPrintable(entry());
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    ASSERT_FALSE(validator.isEmpty()) << "desktop-file-validate (Debian package desktop-file-utils) is missing";
    QProcess validate;
    validate.setProcessChannelMode(QProcess::MergedChannels);
    validate.start(validator, {path});
    ASSERT_TRUE(validate.waitForFinished(60000));
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAll().constData();

    setAutostartEnabled(true, "/usr/bin/lumenar");
    EXPECT_TRUE(entry().contains("\nExec=/usr/bin/lumenar\nTryExec=/usr/bin/lumenar\n")) << qPrintable(entry());
    setAutostartEnabled(false);
    EXPECT_FALSE(autostartEnabled());
    EXPECT_NO_THROW(setAutostartEnabled(false));
    EXPECT_EQ(QDir(root.filePath("config/autostart")).entryList(QDir::Files), QStringList());

    // A folder that cannot be made is reported in words.
    test::writeFile(root.filePath("plain"), {});
    setFolders("XDG_CONFIG_HOME", "plain/config");
    EXPECT_TRUE(
        messageOf(ErrorKind::Step, [] { setAutostartEnabled(true); }).startsWith("Start at login cannot be turned on"));
    EXPECT_FALSE(autostartEnabled());
}
