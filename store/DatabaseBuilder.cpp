// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/DatabaseBuilder.h"

#include "store/FileSystem.h"
#include "store/Store.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QTextStream>

namespace lumenar {

namespace {

[[noreturn]] void fail(const QString &message)
{
    throw LumenarError(ErrorKind::Step, message);
}

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("%1: cannot be read (%2)").arg(path, file.errorString()));
    return QString::fromUtf8(file.readAll());
}

QStringList filesIn(const QString &dir, const QString &pattern)
{
    QDir folder(dir);
    QStringList names = folder.entryList({pattern}, QDir::Files, QDir::Name);
    for (QString &name : names)
        name = folder.filePath(name);
    return names;
}

// Every file a build reads, relative to the data folder, in a fixed order.
QStringList sourceFiles(const QString &dataDir)
{
    QStringList files{QStringLiteral("schema.sql"), QStringLiteral("views.sql")};
    const QDir data(dataDir);
    for (const auto &[sub, pattern] :
        {std::pair{"queries", "*.sql"}, {"tables", "*.tsv"}, {"commentaries", "*.html"}}) {
        for (const QString &path : filesIn(data.filePath(QLatin1String(sub)), QLatin1String(pattern)))
            files << data.relativeFilePath(path);
    }
    return files;
}

void runScript(const Store &store, const QString &path)
{
    for (const QString &statement : splitSqlStatements(readText(path))) {
        QSqlQuery query(store.database());
        if (!query.exec(statement))
            fail(QStringLiteral("%1: %2\n%3").arg(path, query.lastError().text(), statement));
    }
}

QString stripComments(const QString &sql)
{
    QStringList kept;
    for (const QString &line : sql.split(u'\n')) {
        if (!line.trimmed().startsWith(QLatin1String("--")))
            kept << line;
    }
    return kept.join(u'\n').trimmed();
}

void loadStoredQueries(const Store &store, const QString &dir)
{
    static const QRegularExpression nameLine(
        QStringLiteral("^--\\s*name:\\s*(.+?)\\s*$"), QRegularExpression::MultilineOption);
    QSet<QString> seen;
    for (const QString &path : filesIn(dir, QStringLiteral("*.sql"))) {
        const QString text = readText(path);
        const QRegularExpressionMatch match = nameLine.match(text);
        if (!match.hasMatch())
            fail(QStringLiteral("%1: no \"-- name:\" line names the stored query").arg(path));
        const QString name = match.captured(1);
        if (seen.contains(name))
            fail(QStringLiteral("%1: the stored query \"%2\" is defined twice").arg(path, name));
        seen.insert(name);
        QString sql = stripComments(text);
        while (sql.endsWith(u';'))
            sql.chop(1);
        if (splitSqlStatements(sql).size() != 1)
            fail(QStringLiteral("%1: a stored query holds exactly one statement").arg(path));
        // Prepare it now, so a typo fails the build rather than a year assembly.
        QSqlQuery check(store.database());
        if (!check.prepare(sql))
            fail(QStringLiteral("%1: %2").arg(path, check.lastError().text()));
        check.finish();
        store.exec(QStringLiteral("INSERT INTO StoredQueries (Name, Sql) VALUES (?, ?)"), {name, sql});
    }
}

void loadTable(const Store &store, const QString &path)
{
    const QString table = QFileInfo(path).completeBaseName();
    if (!store.hasTable(table))
        fail(QStringLiteral("%1: no table \"%2\" in the schema").arg(path, table));
    const QStringList lines = readText(path).split(u'\n');
    QStringList columns;
    QSqlQuery insert;
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u'\t');
        if (columns.isEmpty()) {
            columns = fields;
            QStringList quoted;
            for (const QString &column : columns)
                quoted << QLatin1Char('"') + column + QLatin1Char('"');
            QStringList marks(columns.size(), QStringLiteral("?"));
            insert = store.prepare(
                QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, quoted.join(u','), marks.join(u',')));
            continue;
        }
        if (fields.size() != columns.size())
            fail(QStringLiteral("%1:%2: %3 fields where the header names %4")
                     .arg(path)
                     .arg(i + 1)
                     .arg(fields.size())
                     .arg(columns.size()));
        for (int c = 0; c < fields.size(); ++c)
            insert.bindValue(c, fields[c].isEmpty() ? QVariant() : QVariant(fields[c]));
        if (!insert.exec())
            fail(QStringLiteral("%1:%2: %3").arg(path).arg(i + 1).arg(insert.lastError().text()));
    }
}

struct Commentary
{
    QStringList names;
    QString text;
};

Commentary parseCommentary(const QString &path)
{
    const QString text = readText(path).trimmed();
    if (!text.startsWith(QLatin1String("<!--")))
        fail(QStringLiteral("%1: a commentary opens with a comment of \"for:\" lines").arg(path));
    const qsizetype end = text.indexOf(QLatin1String("-->"));
    if (end < 0)
        fail(QStringLiteral("%1: the opening comment is not closed").arg(path));
    Commentary commentary;
    for (const QString &line : text.mid(4, end - 4).split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("for:")))
            commentary.names << trimmed.mid(4).trimmed();
    }
    commentary.text = text.mid(end + 3).trimmed();
    if (commentary.names.isEmpty())
        fail(QStringLiteral("%1: the opening comment names no celebration").arg(path));
    if (commentary.text.isEmpty())
        fail(QStringLiteral("%1: the commentary is empty").arg(path));
    return commentary;
}

QStringList columnValues(const Store &store, const QString &sql)
{
    QStringList values;
    QSqlQuery query = store.exec(sql);
    while (query.next())
        values << query.value(0).toString();
    return values;
}

void loadCommentaries(const Store &store, const QString &dir, const BuildOptions &options)
{
    const QStringList wanted = columnValues(store,
        QStringLiteral("SELECT Eveniment FROM Calendar_Fix_Univ UNION SELECT Eveniment FROM C_DIF_USA "
                       "UNION SELECT evenimentuniv FROM Variabile_Univ UNION SELECT evenimentuniv FROM Variabile_USA "
                       "UNION SELECT Cheie FROM Sezoane ORDER BY 1"));
    const QSet<QString> known(wanted.begin(), wanted.end());

    QHash<QString, QString> fileOf;
    QStringList problems;
    for (const QString &path : filesIn(dir, QStringLiteral("*.html"))) {
        const Commentary commentary = parseCommentary(path);
        for (const QString &name : commentary.names) {
            if (!known.contains(name))
                problems << QStringLiteral("%1: names \"%2\", which no calendar table holds").arg(path, name);
            else if (fileOf.contains(name))
                problems << QStringLiteral("%1: \"%2\" already has a commentary in %3").arg(path, name, fileOf[name]);
            else {
                fileOf.insert(name, path);
                store.exec(QStringLiteral("INSERT INTO Comentarii (Eveniment, Comentariu) VALUES (?, ?)"),
                    {name, commentary.text});
            }
        }
    }
    if (options.requireCommentaries) {
        for (const QString &name : wanted) {
            if (!fileOf.contains(name))
                problems << QStringLiteral("no commentary for \"%1\" (expected in %2/%3.html)")
                                .arg(name, dir, commentarySlug(name));
        }
    }
    if (!problems.isEmpty())
        fail(problems.join(u'\n'));
}

} // namespace

QString contentStamp(const QString &dataDir)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &name : sourceFiles(dataDir)) {
        QFile file(QDir(dataDir).filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            fail(QStringLiteral("%1: cannot be read (%2)").arg(file.fileName(), file.errorString()));
        const QByteArray bytes = file.readAll();
        // Name and length delimit each file, so moving text between files changes the stamp.
        hash.addData(name.toUtf8() + '\n' + QByteArray::number(bytes.size()) + '\n');
        hash.addData(bytes);
    }
    return QString::fromLatin1(hash.result().toHex());
}

QStringList splitSqlStatements(const QString &text)
{
    QStringList statements;
    QString current;
    bool inTrigger = false;
    for (const QString &line : text.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (current.trimmed().isEmpty() && (trimmed.isEmpty() || trimmed.startsWith(QLatin1String("--"))))
            continue;
        current += line + u'\n';
        if (trimmed.startsWith(QLatin1String("CREATE TRIGGER"), Qt::CaseInsensitive))
            inTrigger = true;
        const bool ends
            = inTrigger ? trimmed.compare(QLatin1String("END;"), Qt::CaseInsensitive) == 0 : trimmed.endsWith(u';');
        if (ends) {
            statements << current.trimmed();
            current.clear();
            inTrigger = false;
        }
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}

QString commentarySlug(const QString &name)
{
    QString slug = name.normalized(QString::NormalizationForm_KD).toLower();
    QString out;
    for (QChar c : slug) {
        if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'))
            out += c;
        else if (c.category() == QChar::Mark_NonSpacing)
            continue;
        else if (!out.endsWith(u'-'))
            out += u'-';
    }
    while (out.endsWith(u'-'))
        out.chop(1);
    while (out.startsWith(u'-'))
        out.remove(0, 1);
    return out;
}

void buildDatabase(const QString &dataDir, const QString &outPath, const BuildOptions &options)
{
    const QString partial = outPath + QStringLiteral(".partial");
    QFile::remove(partial);
    try {
        Store store = Store::create(partial);
        store.exec(QStringLiteral("PRAGMA journal_mode = OFF"));
        Store::Transaction tx(store);
        runScript(store, QDir(dataDir).filePath(QStringLiteral("schema.sql")));
        for (const QString &path : filesIn(QDir(dataDir).filePath(QStringLiteral("tables")), QStringLiteral("*.tsv")))
            loadTable(store, path);
        runScript(store, QDir(dataDir).filePath(QStringLiteral("views.sql")));
        loadStoredQueries(store, QDir(dataDir).filePath(QStringLiteral("queries")));
        loadCommentaries(store, QDir(dataDir).filePath(QStringLiteral("commentaries")), options);
        store.exec(QStringLiteral("INSERT INTO ContentStamp (Stamp) VALUES (?)"), {contentStamp(dataDir)});
        tx.commit();
        store.exec(QStringLiteral("VACUUM"));
        // Installed programs read this file where they cannot write: in rollback-journal mode
        // reading it needs nothing beside it. Working copies are switched to WAL.
        store.exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
    if (!replaceFile(partial, outPath)) {
        QFile::remove(partial);
        fail(QStringLiteral("cannot write %1").arg(outPath));
    }
}

} // namespace lumenar
