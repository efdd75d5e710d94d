// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace lumenar {

struct BuildOptions
{
    // Every celebration must have a commentary (the release build always asks for this).
    bool requireCommentaries = true;
};

// Generates a calendar database from the readable sources of a data folder:
//   schema.sql, views.sql        tables, views and triggers
//   queries/*.sql                one stored query per file, named by its "-- name:" line
//   tables/<Table>.tsv           rows of a table; the header line names the columns
//   commentaries/*.html          one commentary per file, for the names in its "for:" lines
// The file at outPath is replaced only once the new database is complete. Throws
// LumenarError with a message naming the file and line at fault. The database carries
// contentStamp(dataDir) in its table ContentStamp.
void buildDatabase(const QString &dataDir, const QString &outPath, const BuildOptions &options = {});

// A digest (SHA-256, hexadecimal) of every source file a build reads, with its name.
QString contentStamp(const QString &dataDir);

// Splits a file of SQL statements; a trigger's body stays whole.
QStringList splitSqlStatements(const QString &text);

// A celebration's name as a file name: lower case, other characters folded into "-".
QString commentarySlug(const QString &name);

} // namespace lumenar
