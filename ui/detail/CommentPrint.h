// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Commentary.h"

#include <QDate>
#include <QString>
#include <memory>
#include <optional>

class QFont;
class QPrinter;
class QTextDocument;

namespace lumenar {

// The face commentaries are read in: Times New Roman where installed, else the desktop's serif.
QFont commentaryFont(qreal pointSize);

// The page in the print form's order: the heading "The Lumenar", the medium date, the
// commentary. Text, not a picture, so it prints sharp and flows onto further pages.
std::unique_ptr<QTextDocument> printDocument(const PrintedComment &comment);

// Lays the page out for the printer and prints it. False when the printer refused it.
bool printComment(const PrintedComment &comment, QPrinter &printer);

// A file name for the PDF copy of a commentary, made from the celebration and its date.
QString pdfFileName(const PrintedComment &comment);

} // namespace lumenar
