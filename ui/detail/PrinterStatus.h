// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lumenar {

// What the print system says of one printer queue at the moment it is asked.
struct PrinterStatus
{
    bool exists = false;      // set up on this computer
    bool stopped = false;     // paused, or halted by an error
    bool acceptsJobs = false; // takes new jobs (a CUPS queue may be set to refuse them)
};

// Asked afresh on every call: printers come, stop and refuse jobs while the program runs.
PrinterStatus systemPrinterStatus(const QString &name);
// The computer's default printer, else its first one; empty when it has none.
QString systemDefaultPrinter();

// Why a job sent to the queue `name` would not be printed; empty when it would be.
QString printerProblem(const QString &name, const PrinterStatus &status);

} // namespace lumenar
