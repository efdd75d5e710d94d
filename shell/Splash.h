// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>

namespace lumenar {

QString versionText();     // "Lumenar v3.00"
QString rightsNotice();    // who holds the rights
QString feedbackAddress(); // where "E-mail me your opinions" writes to

// The splash picture, drawn for the screen's pixel ratio.
QPixmap splashPixmap();

} // namespace lumenar
