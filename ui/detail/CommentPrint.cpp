// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/detail/CommentPrint.h"

#include "engine/DateText.h"
#include "store/Store.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QFontDatabase>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTextDocument>

namespace lumenar {

namespace {

// The paper keeps at least this much white around the text, whatever margins the printer
// set-up leaves (a PDF printer leaves none).
constexpr qreal kMinimumMarginMm = 20.0;

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

std::optional<PrintedComment> readComment(const Store &store, Variant variant, qint32 id)
{
    QSqlQuery query = store.exec(
        QStringLiteral("SELECT Data, Eveniment, Comentariu FROM %1 WHERE ID = ? LIMIT 1").arg(tablesFor(variant).view),
        {id});
    if (!query.next())
        return std::nullopt;
    return PrintedComment{
        QDate::fromString(query.value(0).toString(), Qt::ISODate),
        query.value(1).toString(),
        query.value(2).isNull() ? QString() : query.value(2).toString(),
    };
}

std::optional<PrintedComment> readPrintedComment(const Store &store, const QString &variant, qint32 id)
{
    return readComment(store, variantFromSetting(variant), id);
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

bool hasUsablePrinter(const QPrinter &printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return !printer.outputFileName().isEmpty();
    return !printer.printerName().isEmpty() && !QPrinterInfo::printerInfo(printer.printerName()).isNull();
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
    const QSizeF body = paintable.marginsRemoved(extra).size();
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
        // A line that starts right on the bottom edge belongs to the next sheet.
        context.clip = sheet.adjusted(0, 0, 0, -1);
        document->documentLayout()->draw(&painter, context);
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
