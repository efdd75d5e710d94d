// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/YearTable.h"

#include "store/Store.h"

#include <sqlite3.h>

#include <memory>

namespace lumenar {

namespace {

std::vector<FixedCelebration> readFixed(const Store &store, const QString &table)
{
    std::vector<FixedCelebration> rows;
    QSqlQuery query
        = store.exec(QStringLiteral("SELECT Luna, Zi, Eveniment, Rang, Culori FROM %1 ORDER BY ID").arg(table));
    while (query.next())
        rows.push_back({query.value(0).toInt(), query.value(1).toInt(), query.value(2).toString(),
            query.value(3).toInt(), query.value(4).toInt()});
    return rows;
}

std::vector<MovableCelebration> readMovable(const Store &store, const QString &table)
{
    std::vector<MovableCelebration> rows;
    QSqlQuery query = store.exec(QStringLiteral("SELECT evenimentuniv, Rang, Culori FROM %1 ORDER BY ID").arg(table));
    while (query.next())
        rows.push_back({query.value(0).toString(), query.value(1).toInt(), query.value(2).toInt()});
    return rows;
}

QHash<int, QString> readWords(const Store &store, const QString &table)
{
    QHash<int, QString> words;
    QSqlQuery query = store.exec(QStringLiteral("SELECT Numar, Nume FROM %1").arg(table));
    while (query.next())
        words.insert(query.value(0).toInt(), query.value(1).toString());
    return words;
}

} // namespace

CalendarSource readCalendarSource(const Store &store)
{
    try {
        CalendarSource source;
        source.universalFixed = readFixed(store, QStringLiteral("Calendar_Fix_Univ"));
        source.usaFixed = readFixed(store, QStringLiteral("C_DIF_USA"));
        source.universalMovable = readMovable(store, QStringLiteral("Variabile_Univ"));
        source.usaMovable = readMovable(store, QStringLiteral("Variabile_USA"));
        QSqlQuery seasons = store.exec(QStringLiteral("SELECT Cod, Model, Rang, Culori, Cheie FROM Sezoane"));
        while (seasons.next())
            source.seasons.insert(seasons.value(0).toString(),
                {seasons.value(1).toString(), seasons.value(2).toInt(), seasons.value(3).toInt(),
                    seasons.value(4).toString()});
        source.ordinals = readWords(store, QStringLiteral("Ordinale"));
        source.weekdayNames = readWords(store, QStringLiteral("ZileSaptamanii"));
        return source;
    } catch (const LumenarError &error) {
        throw LumenarError(ErrorKind::BadData, LumenarError::badDataText(), error.fullText());
    }
}

namespace {

constexpr int kColumns = 7;
constexpr std::size_t kRowsPerInsert = 64;

QString insertText(const QString &table, std::size_t rows)
{
    QString sql = QStringLiteral("INSERT INTO %1 (Data, Eveniment, TipZi, Culori, Rang, ID, Cheie) VALUES ").arg(table);
    for (std::size_t r = 0; r < rows; ++r)
        sql += r == 0 ? QStringLiteral("(?,?,?,?,?,?,?)") : QStringLiteral(",(?,?,?,?,?,?,?)");
    return sql;
}

// YYYY-MM-DD, as the year tables keep dates.
void isoDate(const QDate &date, char out[10])
{
    auto digits = [](char *at, int value, int count) {
        for (int i = count - 1; i >= 0; --i, value /= 10)
            at[i] = char('0' + value % 10);
    };
    int year = 0, month = 0, day = 0;
    date.getDate(&year, &month, &day);
    digits(out, year, 4);
    out[4] = '-';
    digits(out + 5, month, 2);
    out[7] = '-';
    digits(out + 8, day, 2);
}

} // namespace

void writeYearTable(const Store &store, const QString &table, const std::vector<Celebration> &rows)
{
    Store::Transaction tx(store);
    store.run(QStringLiteral("DELETE FROM %1").arg(table));
    // Straight on SQLite, many rows per statement: Qt's binding would cost more than the
    // assembly itself. Rows past the last full batch go one by one.
    sqlite3_stmt *batch = store.rawStatement(insertText(table, kRowsPerInsert));
    sqlite3_stmt *single = store.rawStatement(insertText(table, 1));
    std::vector<char> dates(rows.size() * 10);
    std::vector<QByteArray> texts(rows.size() * 3);
    std::size_t i = 0;
    while (i < rows.size()) {
        const std::size_t count = rows.size() - i >= kRowsPerInsert ? kRowsPerInsert : 1;
        sqlite3_stmt *insert = count == kRowsPerInsert ? batch : single;
        for (std::size_t r = 0; r < count; ++r, ++i) {
            const Celebration &c = rows[i];
            const int column = int(r) * kColumns;
            isoDate(c.date, &dates[i * 10]);
            texts[i * 3] = c.name.toUtf8();
            texts[i * 3 + 1] = c.weekday.toLatin1(); // "Sun" … "Sat"
            if (!c.commentKey.isEmpty())
                texts[i * 3 + 2] = c.commentKey.toUtf8();
            sqlite3_bind_text(insert, column + 1, &dates[i * 10], 10, SQLITE_STATIC);
            sqlite3_bind_text(insert, column + 2, texts[i * 3].constData(), int(texts[i * 3].size()), SQLITE_STATIC);
            sqlite3_bind_text(
                insert, column + 3, texts[i * 3 + 1].constData(), int(texts[i * 3 + 1].size()), SQLITE_STATIC);
            sqlite3_bind_int(insert, column + 4, c.colour);
            sqlite3_bind_int(insert, column + 5, c.rank);
            sqlite3_bind_int(insert, column + 6, c.id);
            if (c.commentKey.isEmpty())
                sqlite3_bind_null(insert, column + 7);
            else
                sqlite3_bind_text(
                    insert, column + 7, texts[i * 3 + 2].constData(), int(texts[i * 3 + 2].size()), SQLITE_STATIC);
        }
        const int status = sqlite3_step(insert);
        sqlite3_reset(insert);
        if (status != SQLITE_DONE)
            throw LumenarError(
                ErrorKind::Step, QStringLiteral("The year could not be written into %1").arg(table), store.rawError());
    }
    // The bound texts go with this call: leave nothing pointing at them.
    sqlite3_clear_bindings(batch);
    sqlite3_clear_bindings(single);
    tx.commit();
}

QString readCommentary(const Store &store, const Celebration &celebration)
{
    const QVariant text = store.scalar(QStringLiteral("SELECT Comentariu FROM Comentarii WHERE Eveniment = ?"),
        {celebration.commentKey.isEmpty() ? celebration.name : celebration.commentKey});
    return text.isNull() ? QString() : text.toString();
}

} // namespace lumenar
