// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/Errors.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

namespace lumenar {

// One connection to a calendar database. Every operation that touches the store opens
// one, works, and lets it go; SQLite makes that cheap. Failures throw LumenarError.
class Store
{
public:
    // Opens an existing calendar database. A missing, unreadable or foreign file throws
    // StoreUnavailable, and so does one that cannot be written (see requireWritable);
    // nothing is ever created by opening.
    static Store open(const QString &path);
    // Opens an existing calendar database that this connection never writes. A file in a
    // folder we cannot write (an installed copy) is read as unchanging: SQLite could not
    // make its side files there, and no one writing it could either.
    static Store openReadOnly(const QString &path);
    // Creates a new, empty database file (only the database build does this).
    static Store create(const QString &path);
    // Throws StoreUnavailable, naming the file and the reason, unless the database at path,
    // its folder and any side files SQLite left beside it can be written. SQLite would open
    // such a file read-only without a word and leave side files that block later starts.
    // Side files left without write permission are first given the database's own.
    static void requireWritable(const QString &path);

    Store(Store &&other) noexcept;
    Store &operator=(Store &&other) noexcept;
    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;
    ~Store();

    const QString &path() const { return m_path; }
    QSqlDatabase database() const;
    // A statement prepared straight on SQLite, for bulk work that Qt's binding would slow
    // down. The connection keeps it, ready to bind, until it closes; throws on failure.
    sqlite3_stmt *rawStatement(const QString &sql) const;
    // SQLite's message for the last failure of this connection.
    QString rawError() const;

    // Prepares a statement; the query lives only as long as this Store.
    QSqlQuery prepare(const QString &sql) const;
    // Runs a prepared statement, throwing with the statement's own error on failure.
    static void exec(QSqlQuery &query);
    // Prepares, binds positionally and runs one statement.
    QSqlQuery exec(const QString &sql, const QVariantList &values = {}) const;
    // Runs a statement that returns no rows. The prepared statement is kept for the next
    // run of the same text: a year assembly runs the same few dozen statements each time.
    void run(const QString &sql, const QVariantList &values = {}) const;
    // The first column of the first row, or an invalid QVariant when there is no row.
    QVariant scalar(const QString &sql, const QVariantList &values = {}) const;

    bool hasTable(const QString &name) const;
    // Whether SQLite's own quick check finds the file sound.
    bool isIntact() const;

    // A unit of work: rolled back unless commit() is called. Nests through savepoints.
    class Transaction
    {
    public:
        explicit Transaction(const Store &store);
        ~Transaction();
        void commit();
        Transaction(const Transaction &) = delete;
        Transaction &operator=(const Transaction &) = delete;

    private:
        const Store &m_store;
        QString m_name;
        bool m_done = false;
    };

private:
    Store(QString connectionName, QString path);
    static Store openExisting(const QString &path, bool readOnly);
    void close();
    QSqlQuery &cached(const QString &sql) const;

    QString m_connection;
    QString m_path;
    mutable int m_savepointDepth = 0;
    mutable QHash<QString, QSqlQuery> m_statements;
    mutable QHash<QString, sqlite3_stmt *> m_rawStatements;
};

} // namespace lumenar
