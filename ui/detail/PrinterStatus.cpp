// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/detail/PrinterStatus.h"

#include <QLibrary>
#include <QPrinter>
#include <QPrinterInfo>
#include <optional>

namespace lumenar {

namespace {

// Qt reports a queue's state but not whether it takes jobs: a queue set to refuse them
// (cupsreject) stays "idle", and Qt's print engine drops CUPS's refusal of the job. The
// answer is read from CUPS itself, loaded when present (Qt's own printing loads it too).
// These mirror cups_option_t and cups_dest_t of CUPS's public, stable interface.
struct CupsOption
{
    char *name;
    char *value;
};
struct CupsDest
{
    char *name;
    char *instance;
    int isDefault;
    int optionCount;
    CupsOption *options;
};
using GetNamedDest = CupsDest *(*)(void *http, const char *name, const char *instance);
using GetOption = const char *(*)(const char *name, int optionCount, CupsOption *options);
using FreeDests = void (*)(int destCount, CupsDest *dests);

std::optional<bool> cupsAcceptsJobs(const QString &name)
{
    static QLibrary cups(QStringLiteral("cups"), 2);
    static const auto getNamedDest = reinterpret_cast<GetNamedDest>(cups.resolve("cupsGetNamedDest"));
    static const auto getOption = reinterpret_cast<GetOption>(cups.resolve("cupsGetOption"));
    static const auto freeDests = reinterpret_cast<FreeDests>(cups.resolve("cupsFreeDests"));
    if (!getNamedDest || !getOption || !freeDests)
        return std::nullopt;
    CupsDest *dest = getNamedDest(nullptr, name.toLocal8Bit().constData(), nullptr);
    if (!dest)
        return std::nullopt;
    std::optional<bool> accepts;
    if (const char *value = getOption("printer-is-accepting-jobs", dest->optionCount, dest->options))
        accepts = qstrcmp(value, "false") != 0;
    freeDests(1, dest);
    return accepts;
}

} // namespace

PrinterStatus systemPrinterStatus(const QString &name)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (name.isEmpty() || info.isNull())
        return {};
    PrinterStatus status;
    status.exists = true;
    status.stopped = info.state() == QPrinter::Error || info.state() == QPrinter::Aborted;
    status.acceptsJobs = cupsAcceptsJobs(name).value_or(true);
    return status;
}

QString systemDefaultPrinter()
{
    const QString name = QPrinterInfo::defaultPrinterName();
    if (!name.isEmpty())
        return name;
    const QStringList all = QPrinterInfo::availablePrinterNames();
    return all.isEmpty() ? QString() : all.first();
}

QString printerProblem(const QString &name, const PrinterStatus &status)
{
    if (name.isEmpty())
        return QStringLiteral("No printer is set up on this computer.");
    if (!status.exists)
        return QStringLiteral("The printer \u201C%1\u201D is no longer set up on this computer.").arg(name);
    if (!status.acceptsJobs)
        return QStringLiteral("The printer \u201C%1\u201D does not accept jobs at present.").arg(name);
    if (status.stopped)
        return QStringLiteral("The printer \u201C%1\u201D is stopped.").arg(name);
    return {};
}

} // namespace lumenar
