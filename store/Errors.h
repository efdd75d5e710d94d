// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <stdexcept>

namespace lumenar {

// Which report the caller owes the user. The engine never shows anything itself.
enum class ErrorKind {
    StoreUnavailable, // the calendar database cannot be opened
    InUse,            // another program works on the calendar database
    BadData,          // the store opened, but its data could not be read or prepared
    Step,             // a later step failed; the caller reports it in its own words
    Overflow,         // date arithmetic left its range
};

class LumenarError : public std::runtime_error
{
public:
    LumenarError(ErrorKind kind, const QString &message, const QString &detail = {})
        : std::runtime_error(
            (detail.isEmpty() ? message : message + QStringLiteral(" (") + detail + QLatin1Char(')')).toStdString())
        , m_kind(kind)
        , m_message(message)
        , m_detail(detail)
    {
    }

    ErrorKind kind() const { return m_kind; }
    // What the user is told.
    const QString &message() const { return m_message; }
    // What went wrong underneath (an SQL error, a file name), for the curious and for logs.
    const QString &detail() const { return m_detail; }
    QString fullText() const { return QString::fromStdString(what()); }

    // The titles and texts of the two data errors the desktop program reports.
    static QString dataErrorTitle() { return QStringLiteral("Data error"); }
    static QString storeUnavailableText() { return QStringLiteral("No information database in application folder."); }
    static QString badDataText() { return QStringLiteral("Bad or not exist data in information database."); }

private:
    ErrorKind m_kind;
    QString m_message;
    QString m_detail;
};

} // namespace lumenar
