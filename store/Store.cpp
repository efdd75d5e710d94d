// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>
#include <QStringList>
#include <QUrl>

#include <atomic>

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
            store.attachScratch();
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
    store.attachScratch();
    return store;
}

Store Store::openInMemoryCopy(const QString &path)
{
    Store source = openReadOnly(path);
    Store copy(nextConnectionName(), QStringLiteral(":memory:"));
    {
        QSqlDatabase db
            = addConnection(copy.m_connection, QStringLiteral(":memory:"), QStringLiteral("QSQLITE_OPEN_URI"));
        if (!db.open())
            throwUnavailable(sqlError(db.lastError()));
    }
    // The copy attaches the file read-only and takes its schema in dependency order (tables,
    // then views, triggers and indexes) and its rows.
    copy.exec(QStringLiteral("ATTACH DATABASE ? AS src"), {readOnlyUri(QFileInfo(source.path()))});
    QSqlQuery objects = copy.exec(QStringLiteral(
        "SELECT type, name, sql FROM src.sqlite_master "
        "WHERE sql IS NOT NULL AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
        "ORDER BY CASE type WHEN 'table' THEN 0 WHEN 'view' THEN 1 WHEN 'index' THEN 2 ELSE 3 END, rowid"));
    QStringList tables;
    QStringList statements;
    while (objects.next()) {
        if (objects.value(0).toString() == QLatin1String("table"))
            tables << objects.value(1).toString();
        statements << objects.value(2).toString();
    }
    objects.finish();
    Transaction tx(copy);
    for (const QString &sql : statements)
        copy.exec(sql);
    for (const QString &table : tables) {
        QString quoted = table;
        quoted.replace(u'"', QStringLiteral("\"\""));
        copy.exec(QStringLiteral("INSERT INTO main.\"%1\" SELECT * FROM src.\"%1\"").arg(quoted));
    }
    tx.commit();
    copy.exec(QStringLiteral("DETACH DATABASE src"));
    copy.m_path = source.path();
    copy.attachScratch();
    return copy;
}

void Store::attachScratch()
{
    // Scratch tables of the year assembly live in a schema of their own: creating and
    // dropping them then leaves every prepared statement on the calendar tables valid.
    exec(QStringLiteral("ATTACH DATABASE ':memory:' AS scratch"));
}

QSqlDatabase Store::database() const
{
    return QSqlDatabase::database(m_connection, false);
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

void Store::dropTableIfExists(const QString &name) const
{
    QString quoted = name;
    quoted.replace(u'"', QStringLiteral("\"\""));
    for (const char *schema : {"temp", "main", "scratch"})
        run(QStringLiteral("DROP TABLE IF EXISTS %1.\"%2\"").arg(QLatin1String(schema), quoted));
}

QString Store::storedQueryText(const QString &name) const
{
    QVariant sql = scalar(QStringLiteral("SELECT Sql FROM StoredQueries WHERE Name = ?"), {name});
    if (!sql.isValid())
        throw LumenarError(ErrorKind::Step, QStringLiteral("The stored query \"%1\" is missing").arg(name));
    return sql.toString();
}

void Store::runStoredQuery(const QString &name) const
{
    const QString key = QStringLiteral("stored query: ") + name;
    auto it = m_statements.find(key);
    if (it == m_statements.end()) {
        QSqlQuery query(database());
        query.setForwardOnly(true);
        if (!query.prepare(storedQueryText(name)))
            throw LumenarError(ErrorKind::Step, QStringLiteral("The stored query \"%1\" failed").arg(name),
                sqlError(query.lastError()));
        it = m_statements.insert(key, query);
    }
    if (!it->exec())
        throw LumenarError(
            ErrorKind::Step, QStringLiteral("The stored query \"%1\" failed").arg(name), sqlError(it->lastError()));
    it->finish();
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
