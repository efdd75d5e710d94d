// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lumenar {

// Flushes a file, or a folder's list of entries, to disk. False when it could not.
bool syncFile(const QString &path);
bool syncFolder(const QString &path);

// Puts `from` in the place of `to` in one step, replacing it (QFile::rename refuses to);
// a crash leaves either the old file or the new one, never neither.
bool replaceFile(const QString &from, const QString &to);

} // namespace lumenar
