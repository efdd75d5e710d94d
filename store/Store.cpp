// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <QStringList>
#include <QUrl>

#include <sqlite3.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace lumenar {

namespace {

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("lumenar-store-%1").arg(counter.fetch_add(1));
}

QString sqlError(const QSqlError &error)
{
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.driverText();
    return text;
}

[[noreturn]] void throwUnavailable(const QString &detail)
{
    throw LumenarError(ErrorKind::StoreUnavailable, LumenarError::storeUnavailableText(), detail);
}

} // namespace

Store::Store(QString connectionName, QString path)
    : m_connection(std::move(connectionName))
    , m_path(std::move(path))
{
}

Store::Store(Store &&other) noexcept
    : m_connection(std::exchange(other.m_connection, QString()))
    , m_path(std::move(other.m_path))
    , m_savepointDepth(other.m_savepointDepth)
    , m_statements(std::move(other.m_statements))
    , m_rawStatements(std::exchange(other.m_rawStatements, {}))
{
}

Store &Store::operator=(Store &&other) noexcept
{
    if (this != &other) {
        close();
        m_connection = std::exchange(other.m_connection, QString());
        m_path = std::move(other.m_path);
        m_savepointDepth = other.m_savepointDepth;
        m_statements = std::move(other.m_statements);
        m_rawStatements = std::exchange(other.m_rawStatements, {});
    }
    return *this;
}

Store::~Store()
{
    close();
}

void Store::close()
{
    if (m_connection.isEmpty())
        return;
    m_statements.clear(); // no query may outlive its connection
    for (sqlite3_stmt *statement : std::as_const(m_rawStatements))
        sqlite3_finalize(statement);
    m_rawStatements.clear();
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    m_connection.clear();
}

static QSqlDatabase addConnection(const QString &name, const QString &file, const QString &options = {})
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(file);
    if (!options.isEmpty())
        db.setConnectOptions(options);
    return db;
}

// The address SQLite reads a file by without writing to it.
static QString readOnlyUri(const QFileInfo &info)
{
    QString uri
        = QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=ro");
    if (!QFileInfo(info.absolutePath()).isWritable())
        uri += QStringLiteral("&immutable=1");
    return uri;
}

Store Store::open(const QString &path)
{
    return openExisting(path, false);
}

void Store::requireWritable(const QString &path)
{
    // Why a file cannot be written; empty when it can.
    auto whyNot = [](const QString &file) {
        return ::access(QFile::encodeName(file).constData(), W_OK) == 0 ? QString()
                                                                        : QString::fromLocal8Bit(std::strerror(errno));
    };
    // Said to the user as it stands: which file, and why.
    auto refuse = [](const QString &text, const QString &file, const QString &why) {
        throw LumenarError(ErrorKind::StoreUnavailable, text.arg(QDir::toNativeSeparators(file), why));
    };
    const QFileInfo info(path);
    const QString file = info.absoluteFilePath();
    if (const QString why = whyNot(file); !why.isEmpty())
        refuse(QStringLiteral("The calendar database %1 cannot be written: %2."), file, why);
    if (const QString why = whyNot(info.absolutePath()); !why.isEmpty())
        refuse(
            QStringLiteral("The folder %1 of the calendar database cannot be written: %2."), info.absolutePath(), why);
    for (const char *suffix : {"-wal", "-shm", "-journal"}) {
        const QString side = file + QLatin1String(suffix);
        if (!QFileInfo::exists(side) || whyNot(side).isEmpty())
            continue;
        // Left by a run on a read-only database: SQLite gives these the database's permissions.
        QFile::setPermissions(side, QFile::permissions(file));
        if (const QString why = whyNot(side); !why.isEmpty())
            refuse(QStringLiteral("The file %1 beside the calendar database cannot be written: %2."), side, why);
    }
}

Store Store::openReadOnly(const QString &path)
{
    return openExisting(path, true);
}

Store Store::openExisting(const QString &path, bool readOnly)
{
    QFileInfo info(path);
    if (!info.exists())
        throwUnavailable(QStringLiteral("%1 is missing").arg(path));
    if (!info.isFile() || !info.isReadable())
        throwUnavailable(QStringLiteral("%1 cannot be read").arg(path));
    if (!readOnly)
        requireWritable(path);

    Store store(nextConnectionName(), info.absoluteFilePath());
    {
        // A busy timeout lets a command-line reader wait out the desktop program's writes.
        QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000");
        if (readOnly)
            options += QStringLiteral(";QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY");
        QSqlDatabase db = addConnection(store.m_connection, readOnly ? readOnlyUri(info) : store.m_path, options);
        if (!db.open())
            throwUnavailable(sqlError(db.lastError()));
        // SQLite opens anything lazily; reading the catalogue proves it is a database.
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
            throwUnavailable(QStringLiteral("%1: %2").arg(path, sqlError(probe.lastError())));
        probe.finish();
        if (!readOnly) {
            // The database is kept in WAL mode: commits need no flush of their own, and a power
            // loss can cost the last commits but never corrupt the file.
            probe.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
            // The sorts and intermediate results of a year assembly are small: keep them off disk.
            probe.exec(QStringLiteral("PRAGMA temp_store = MEMORY"));
            probe.finish();
        }
        if (!store.hasTable(QStringLiteral("StoredQueries")))
            throwUnavailable(QStringLiteral("%1 is not a calendar database").arg(path));
    }
    return store;
}

Store Store::create(const QString &path)
{
    Store store(nextConnectionName(), QFileInfo(path).absoluteFilePath());
    QSqlDatabase db = addConnection(store.m_connection, store.m_path);
    if (!db.open())
        throw LumenarError(ErrorKind::Step, QStringLiteral("Cannot create %1").arg(path), sqlError(db.lastError()));
    return store;
}

QSqlDatabase Store::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

static sqlite3 *sqliteHandle(const QSqlDatabase &db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

sqlite3_stmt *Store::rawStatement(const QString &sql) const
{
    if (sqlite3_stmt *statement = m_rawStatements.value(sql))
        return statement;
    sqlite3 *db = sqliteHandle(database());
    if (!db)
        throw LumenarError(ErrorKind::Step, QStringLiteral("The database connection is not SQLite's"));
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &statement, nullptr)
        != SQLITE_OK)
        throw LumenarError(ErrorKind::Step, QStringLiteral("Cannot prepare: %1").arg(sql.left(200).simplified()),
            QString::fromUtf8(sqlite3_errmsg(db)));
    m_rawStatements.insert(sql, statement);
    return statement;
}

QString Store::rawError() const
{
    sqlite3 *db = sqliteHandle(database());
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
}

QSqlQuery Store::prepare(const QString &sql) const
{
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw LumenarError(
            ErrorKind::Step, QStringLiteral("Cannot prepare: %1").arg(sql.simplified()), sqlError(query.lastError()));
    return query;
}

void Store::exec(QSqlQuery &query)
{
    if (!query.exec())
        throw LumenarError(ErrorKind::Step, QStringLiteral("Failed: %1").arg(query.lastQuery().simplified()),
            sqlError(query.lastError()));
}

QSqlQuery Store::exec(const QString &sql, const QVariantList &values) const
{
    QSqlQuery query = prepare(sql);
    for (const QVariant &value : values)
        query.addBindValue(value);
    exec(query);
    return query;
}

QSqlQuery &Store::cached(const QString &sql) const
{
    auto it = m_statements.find(sql);
    if (it == m_statements.end())
        it = m_statements.insert(sql, prepare(sql));
    return it.value();
}

void Store::run(const QString &sql, const QVariantList &values) const
{
    QSqlQuery &query = cached(sql);
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    exec(query);
    query.finish();
}

QVariant Store::scalar(const QString &sql, const QVariantList &values) const
{
    QSqlQuery &query = cached(sql);
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    exec(query);
    QVariant value = query.next() ? query.value(0) : QVariant();
    query.finish();
    return value;
}

bool Store::hasTable(const QString &name) const
{
    return scalar(
        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"), {name})
        .isValid();
}

bool Store::isIntact() const
{
    return scalar(QStringLiteral("PRAGMA quick_check")).toString() == QLatin1String("ok");
}

Store::Transaction::Transaction(const Store &store)
    : m_store(store)
    , m_name(QStringLiteral("lumenar_%1").arg(store.m_savepointDepth + 1))
{
    m_store.exec(QStringLiteral("SAVEPOINT ") + m_name);
    ++m_store.m_savepointDepth;
}

Store::Transaction::~Transaction()
{
    if (m_done)
        return;
    // Never throw from here: a failed rollback leaves SQLite to undo at close.
    QSqlQuery query(m_store.database());
    query.exec(QStringLiteral("ROLLBACK TO ") + m_name);
    query.exec(QStringLiteral("RELEASE ") + m_name);
    --m_store.m_savepointDepth;
}

void Store::Transaction::commit()
{
    m_store.exec(QStringLiteral("RELEASE ") + m_name);
    --m_store.m_savepointDepth;
    m_done = true;
}

} // namespace lumenar
