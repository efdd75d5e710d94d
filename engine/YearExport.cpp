// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/YearExport.h"

#include <QCryptographicHash>
#include <QStringList>

namespace lumenar {

namespace {

QString tsvField(QString text)
{
    // A tab or line break inside a name would break the columns.
    text.replace(u'\t', u' ');
    text.replace(u'\n', u' ');
    text.replace(u'\r', u' ');
    return text;
}

QString escapeText(QString text)
{
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(u';', QStringLiteral("\\;"));
    text.replace(u',', QStringLiteral("\\,"));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    text.replace(u'\n', QStringLiteral("\\n"));
    text.remove(u'\r');
    return text;
}

// Content lines longer than 75 octets are folded, never inside a UTF-8 sequence.
void appendLine(QByteArray &out, const QString &line)
{
    const QByteArray bytes = line.toUtf8();
    int start = 0;
    int limit = 75;
    while (bytes.size() - start > limit) {
        int cut = start + limit;
        while (cut > start && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
            --cut;
        out += bytes.mid(start, cut - start);
        out += "\r\n ";
        start = cut;
        limit = 74; // the leading space counts
    }
    out += bytes.mid(start);
    out += "\r\n";
}

QString uidFor(const Celebration &row, Variant variant)
{
    const QByteArray key = (displayName(variant) + u'|' + row.date.toString(Qt::ISODate) + u'|' + row.name).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("%1-%2-%3@lumenar")
        .arg(row.date.toString(QStringLiteral("yyyyMMdd")), displayName(variant).toLower(), QString::fromLatin1(hash));
}

} // namespace

QString rankDescription(int rank)
{
    switch (rank) {
    case 1:
        return QStringLiteral("Easter Triduum");
    case 2:
        return QStringLiteral("principal celebration");
    case 3:
        return QStringLiteral("solemnity");
    case 4:
        return QStringLiteral("proper solemnity");
    case 5:
        return QStringLiteral("feast of the Lord");
    case 6:
        return QStringLiteral("Sunday");
    case 7:
        return QStringLiteral("feast");
    case 8:
        return QStringLiteral("proper feast");
    case 9:
        return QStringLiteral("privileged weekday");
    case 10:
        return QStringLiteral("memorial");
    case 11:
        return QStringLiteral("proper memorial");
    case 12:
        return QStringLiteral("optional memorial");
    case 13:
        return QStringLiteral("weekday");
    default:
        return QStringLiteral("rank %1").arg(rank);
    }
}

QString toTsv(const YearCalendar &year, std::span<const Celebration> rows)
{
    QString out = QStringLiteral(
        "date\tweekday\tname\trank\tcolour\tid\tseason\tsunday_cycle\tweekday_cycle\tpsalter_week\tobligation\n");
    for (const Celebration &row : rows) {
        QStringList fields{row.date.toString(Qt::ISODate), tsvField(row.weekday), tsvField(row.name),
            QString::number(row.rank), QString::number(row.colour), QString::number(row.id)};
        if (const std::optional<DayDetails> day = year.details(row.date)) {
            fields << seasonCode(day->season) << QString(QChar::fromLatin1(day->sundayCycle))
                   << weekdayCycleText(day->weekdayCycle) << QString::number(day->psalterWeek)
                   << (day->obligation ? QStringLiteral("yes") : QStringLiteral("no"));
        } else {
            fields << QString() << QString() << QString() << QString() << QString(); // a row of another year
        }
        out += fields.join(u'\t');
        out += u'\n';
    }
    return out;
}

QString toICalendar(const YearCalendar &year, std::span<const Celebration> rows, const QDateTime &stamp)
{
    const Variant variant = year.variant();
    QByteArray out;
    const QString dtstamp = stamp.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    appendLine(out, QStringLiteral("BEGIN:VCALENDAR"));
    appendLine(out, QStringLiteral("VERSION:2.0"));
    appendLine(out, QStringLiteral("PRODID:-//Lumenar//Liturgical Calendar//EN"));
    appendLine(out, QStringLiteral("CALSCALE:GREGORIAN"));
    appendLine(out,
        QStringLiteral("X-WR-CALNAME:%1")
            .arg(escapeText(QStringLiteral("Liturgical calendar %1 (%2)").arg(year.year()).arg(displayName(variant)))));
    for (const Celebration &row : rows) {
        appendLine(out, QStringLiteral("BEGIN:VEVENT"));
        appendLine(out, QStringLiteral("UID:") + uidFor(row, variant));
        appendLine(out, QStringLiteral("DTSTAMP:") + dtstamp);
        appendLine(out, QStringLiteral("DTSTART;VALUE=DATE:") + row.date.toString(QStringLiteral("yyyyMMdd")));
        appendLine(out, QStringLiteral("DTEND;VALUE=DATE:") + row.date.addDays(1).toString(QStringLiteral("yyyyMMdd")));
        appendLine(out, QStringLiteral("SUMMARY:") + escapeText(row.name));
        QString description = QStringLiteral("Rank %1 (%2). Liturgical colour: %3.")
                                  .arg(row.rank)
                                  .arg(rankDescription(row.rank), liturgicalColourName(row.colour));
        if (const std::optional<DayDetails> day = year.details(row.date))
            description += u'\n' + dayDetailsLine(*day);
        appendLine(out, QStringLiteral("DESCRIPTION:") + escapeText(description));
        appendLine(out, QStringLiteral("TRANSP:TRANSPARENT"));
        appendLine(out, QStringLiteral("END:VEVENT"));
    }
    appendLine(out, QStringLiteral("END:VCALENDAR"));
    return QString::fromUtf8(out);
}

} // namespace lumenar
