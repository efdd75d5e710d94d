// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Autostart.h"

#include "store/Errors.h"
#include "store/Version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace lumenar {

namespace {

[[noreturn]] void fail(const QString &message, const QString &detail = {})
{
    throw LumenarError(ErrorKind::Step, message, detail);
}

// A desktop entry string value.
QString escapeString(QString value)
{
    value.replace(u'\\', QStringLiteral("\\\\"));
    value.replace(u'\n', QStringLiteral("\\n"));
    value.replace(u'\t', QStringLiteral("\\t"));
    return value;
}

// One argument of an Exec line: quoted when the desktop entry rules reserve any of its
// characters, then escaped as a desktop entry string value.
QString execArgument(const QString &argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString arg = argument;
    arg.replace(u'%', QStringLiteral("%%"));
    if (std::any_of(arg.begin(), arg.end(), [](QChar c) { return reserved.contains(c); })) {
        QString quoted;
        for (QChar c : arg) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                quoted += u'\\';
            quoted += c;
        }
        arg = u'"' + quoted + u'"';
    }
    return escapeString(arg);
}

} // namespace

QString autostartFilePath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("autostart/%1.desktop").arg(QLatin1String(kApplicationId)));
}

bool autostartEnabled()
{
    return QFileInfo::exists(autostartFilePath());
}

void setAutostartEnabled(bool enabled, const QString &program)
{
    const QString path = autostartFilePath();
    if (!enabled) {
        if (QFileInfo::exists(path) && !QFile::remove(path))
            fail(QStringLiteral("Start at login cannot be turned off: %1 cannot be removed.")
                     .arg(QDir::toNativeSeparators(path)));
        return;
    }
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        fail(QStringLiteral("Start at login cannot be turned on: the folder %1 cannot be made.")
                 .arg(QDir::toNativeSeparators(folder)));
    const QString executable = program.isEmpty() ? QCoreApplication::applicationFilePath() : program;
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Lumenar\n"
                                         "Comment=The liturgical day in the notification area\n"
                                         "Exec=%1\n"
                                         // Once the program is gone, a login skips the entry.
                                         "TryExec=%3\n"
                                         "Icon=%2\n"
                                         "Terminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(execArgument(executable), QLatin1String(kApplicationId), escapeString(executable));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(entry.toUtf8()) < 0 || !file.commit())
        fail(QStringLiteral("Start at login cannot be turned on: %1 cannot be written.")
                 .arg(QDir::toNativeSeparators(path)),
            file.errorString());
}

} // namespace lumenar
