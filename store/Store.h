// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/Errors.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

namespace lumenar {

// One connection to a calendar database. Every operation that touches the store opens
// one, works, and lets it go; SQLite makes that cheap. Failures throw LumenarError.
class Store
{
public:
    // Opens an existing calendar database. A missing, unreadable or foreign file throws
    // StoreUnavailable; nothing is ever created by opening.
    static Store open(const QString &path);
    // Opens an existing calendar database that this connection never writes. A file in a
    // folder we cannot write (an installed copy) is read as unchanging: SQLite could not
    // make its side files there, and no one writing it could either.
    static Store openReadOnly(const QString &path);
    // A private in-memory copy of the database at path: work on it never reaches the file.
    static Store openInMemoryCopy(const QString &path);
    // Creates a new, empty database file (only the database build does this).
    static Store create(const QString &path);

    Store(Store &&other) noexcept;
    Store &operator=(Store &&other) noexcept;
    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;
    ~Store();

    const QString &path() const { return m_path; }
    QSqlDatabase database() const;

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
    // Drops a table of that name from any schema that holds one.
    void dropTableIfExists(const QString &name) const;

    // Runs an action query kept in the store by its name.
    void runStoredQuery(const QString &name) const;
    QString storedQueryText(const QString &name) const;

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
    void attachScratch();
    QSqlQuery &cached(const QString &sql) const;

    QString m_connection;
    QString m_path;
    mutable int m_savepointDepth = 0;
    mutable QHash<QString, QSqlQuery> m_statements;
};

} // namespace lumenar
