// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/detail/CommentPrint.h"

#include "engine/DateText.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QFontDatabase>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <cmath>

namespace lumenar {

namespace {

// The paper keeps at least this much white around the text, whatever margins the printer
// set-up leaves (a PDF printer leaves none).
constexpr qreal kMinimumMarginMm = 20.0;

// The sheet a line is printed on: the one that holds its middle.
int sheetOf(const QTextLine &line, qreal blockTop, qreal sheetHeight)
{
    return int(std::floor((blockTop + line.y() + line.height() / 2) / sheetHeight));
}

// Draws the lines that stand on `sheet`, each line on one sheet only. The layout's own
// drawing also draws the line just above its clip, and a PDF keeps the text of what its
// clip hides: a paragraph carried over from the sheet before is drawn here line by line.
void drawSheet(QPainter &painter, const QTextDocument &document,
    const QAbstractTextDocumentLayout::PaintContext &context, const QRectF &sheet)
{
    const int page = int(std::lround(sheet.top() / sheet.height()));
    qreal flowTop = sheet.top();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        const int lines = layout->lineCount();
        if (lines == 0)
            continue;
        const qreal top = layout->position().y();
        if (sheetOf(layout->lineAt(0), top, sheet.height()) >= page)
            break;
        if (sheetOf(layout->lineAt(lines - 1), top, sheet.height()) < page)
            continue;
        painter.save();
        painter.setPen(context.palette.color(QPalette::Text));
        for (int i = 0; i < lines; ++i) {
            const QTextLine line = layout->lineAt(i);
            if (sheetOf(line, top, sheet.height()) == page)
                line.draw(&painter, layout->position());
        }
        painter.restore();
        if (sheetOf(layout->lineAt(lines - 1), top, sheet.height()) > page)
            return; // the paragraph fills the sheet
        flowTop = top + layout->lineAt(lines - 1).y() + layout->lineAt(lines - 1).height();
        break;
    }
    // The rest of the sheet: a line that ends on the top edge or starts on the bottom
    // edge of the clip belongs to the sheet before or after.
    QAbstractTextDocumentLayout::PaintContext rest(context);
    const qreal clipTop = std::max(flowTop, sheet.top()) + 1;
    rest.clip = QRectF(sheet.left(), clipTop, sheet.width(), sheet.bottom() - 1 - clipTop);
    if (rest.clip.height() > 0)
        document.documentLayout()->draw(&painter, rest);
}

} // namespace

QFont commentaryFont(qreal pointSize)
{
    QFont font;
    const QString times = QStringLiteral("Times New Roman");
    font.setFamily(QFontDatabase::families().contains(times, Qt::CaseInsensitive) ? times : QStringLiteral("serif"));
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(pointSize);
    return font;
}

std::unique_ptr<QTextDocument> printDocument(const PrintedComment &comment)
{
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(commentaryFont(11));
    document->setDocumentMargin(0);
    const QString head = QStringLiteral("<h1 align=\"center\" style=\"margin-bottom: 4px\">The Lumenar</h1>"
                                        "<p align=\"center\" style=\"font-size: 13pt\">%1</p><hr/>")
                             .arg(mediumDateText(comment.date).toHtmlEscaped());
    document->setHtml(head + comment.html);
    return document;
}

bool printComment(const PrintedComment &comment, QPrinter &printer)
{
    std::unique_ptr<QTextDocument> document = printDocument(comment);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;

    // Points become printer dots only once the layout knows the device.
    document->documentLayout()->setPaintDevice(&printer);
    const qreal dotsPerMm = printer.resolution() / 25.4;
    const QMarginsF set = printer.pageLayout().margins(QPageLayout::Millimeter);
    const QMarginsF extra(std::max(0.0, kMinimumMarginMm - set.left()) * dotsPerMm,
        std::max(0.0, kMinimumMarginMm - set.top()) * dotsPerMm,
        std::max(0.0, kMinimumMarginMm - set.right()) * dotsPerMm,
        std::max(0.0, kMinimumMarginMm - set.bottom()) * dotsPerMm);
    const QRectF paintable = printer.pageLayout().paintRectPixels(printer.resolution());
    // The layout moves a line that would cross a sheet's edge onto the next sheet, at a page
    // top rounded to its fixed-point grid: a whole number of dots keeps that top exactly
    // on the edge, so each line falls wholly within one sheet.
    const QSizeF area = paintable.marginsRemoved(extra).size();
    const QSizeF body(area.width(), std::floor(area.height()));
    if (body.width() < 1 || body.height() < 1)
        return false;
    document->setPageSize(body);

    // Paper is white whatever the screen's theme.
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    const int pages = document->pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !printer.newPage())
            return false;
        painter.save();
        painter.translate(extra.left(), extra.top() - page * body.height());
        const QRectF sheet(QPointF(0, page * body.height()), body);
        painter.setClipRect(sheet);
        drawSheet(painter, *document, context, sheet);
        painter.restore();
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

QString pdfFileName(const PrintedComment &comment)
{
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f\\x7f]+"));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QString name = comment.name;
    name.replace(unsafe, QStringLiteral(" "));
    name = name.replace(blanks, QStringLiteral(" ")).trimmed().left(120).trimmed();
    if (name.isEmpty())
        name = QStringLiteral("Comment");
    if (comment.date.isValid())
        name += QLatin1Char(' ') + comment.date.toString(Qt::ISODate);
    return name + QStringLiteral(".pdf");
}

} // namespace lumenar
