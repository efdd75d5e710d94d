// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/detail/DetailWindow.h"

#include "engine/DateText.h"
#include "store/Log.h"
#include "ui/DayDetailsLabel.h"
#include "ui/PictureButton.h"
#include "ui/WaitCursor.h"
#include "ui/WindowHost.h"
#include "ui/WindowPlacement.h"
#include "ui/WindowRole.h"
#include "ui/detail/CommentPrint.h"
#include "ui/detail/PrinterStatus.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QShortcut>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextBrowser>

namespace lumenar {

namespace {

// The window is laid out in twips, as its place is kept.
constexpr double kMargin = 40;      // around the buttons and the page
constexpr double kTextInset = 30;   // the commentary inside the page
constexpr double kLabelGap = 3;     // between the date and the commentary
constexpr int kLabelPadding = 10;   // pixels above and below the date's letters
constexpr int kDocumentMargin = 14; // pixels between the page's edge and the words

int twipsX(double twips)
{
    return qRound(twipsToPixels(twips, screenDpiX()));
}
int twipsY(double twips)
{
    return qRound(twipsToPixels(twips, screenDpiY()));
}

// The page the date and the text stand on, drawn as a sunken panel. Not a QFrame:
// assistive technology presents a QFrame as a window frame, and a screen reader then
// takes the text inside for an inactive window of its own and reads nothing of it.
class Page : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QStyleOptionFrame option;
        option.initFrom(this);
        option.frameShape = QFrame::StyledPanel;
        option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
        option.state |= QStyle::State_Sunken;
        style()->drawPrimitive(QStyle::PE_Frame, &option, &painter, this);
    }
};

} // namespace

DetailWindow::DetailWindow(WindowHost &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
    , m_page(new Page(this))
    , m_dateLabel(new QLabel(m_page))
    , m_text(new QTextBrowser(m_page))
    , m_print(new PictureButton(Glyph::Print, QStringLiteral("Print"), this))
    , m_search(new PictureButton(Glyph::Search, QStringLiteral("Search"), this))
    , m_help(new PictureButton(Glyph::Help, QStringLiteral("Help"), this))
    , m_close(new PictureButton(Glyph::Close, QStringLiteral("Close"), this))
    , m_dayLine(new DayDetailsLabel(m_page))
{
    exposeWindowsAsWindows();
    setWindowTitle(QStringLiteral("Comment"));
    setObjectName(QStringLiteral("Form3"));

    // The page: the date and the commentary on the text colour's own background.
    m_page->setObjectName(QStringLiteral("Picture1"));
    m_page->setBackgroundRole(QPalette::Base);
    m_page->setAutoFillBackground(true);

    m_dateLabel->setObjectName(QStringLiteral("DataEv"));
    // Read by its text, the date itself; what it is goes in the description.
    m_dateLabel->setAccessibleDescription(QStringLiteral("Date of the celebration"));
    m_dateLabel->setAlignment(Qt::AlignCenter);
    m_dateLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_dateLabel->setForegroundRole(QPalette::Text);
    QFont dateFont = commentaryFont(13);
    dateFont.setBold(true);
    m_dateLabel->setFont(dateFont);

    m_dayLine->setAlignment(Qt::AlignCenter);
    m_dayLine->setForegroundRole(QPalette::Text);
    m_dayLine->setFont(commentaryFont(11));

    m_text->setObjectName(QStringLiteral("List1"));
    m_text->setAccessibleName(QStringLiteral("Commentary"));
    m_text->setFrameShape(QFrame::NoFrame);
    m_text->setOpenLinks(false);
    m_text->setTabChangesFocus(true);
    // A caret, so the arrow keys move through the words and a screen reader reads them.
    m_text->setTextInteractionFlags(m_text->textInteractionFlags() | Qt::TextSelectableByKeyboard);
    m_text->document()->setDefaultFont(commentaryFont(12));
    m_text->document()->setDocumentMargin(kDocumentMargin);
    m_text->installEventFilter(this);

    const struct
    {
        PictureButton *button;
        const char *name;
        const char *tip;
    } buttons[] = {
        {m_print, "cmd_Print", "Print the commentary (Ctrl+P)"},
        {m_search, "cmd_Search", "Find a celebration of the year (F3)"},
        {m_help, "cmd_Help", "Help on this window (F1)"},
        {m_close, "cmd_Close", "Hide this window (Esc in the text)"},
    };
    for (const auto &b : buttons) {
        b.button->setObjectName(QString::fromLatin1(b.name));
        b.button->setToolTip(QString::fromLatin1(b.tip));
        b.button->setAutoDefault(false);
    }
    connect(m_print, &QPushButton::clicked, this, &DetailWindow::printCurrentComment);
    connect(m_search, &QPushButton::clicked, this, &DetailWindow::openSearch);
    connect(m_help, &QPushButton::clicked, this, [this] { m_context.showHelp(QStringLiteral("detail")); });
    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);

    auto *print = new QShortcut(QKeySequence::Print, this);
    connect(print, &QShortcut::activated, this, &DetailWindow::printCurrentComment);
    auto *help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { m_context.showHelp(QStringLiteral("detail")); });
    auto *search = new QShortcut(QKeySequence(Qt::Key_F3), this);
    connect(search, &QShortcut::activated, this, &DetailWindow::openSearch);

    setTabOrder(m_text, m_print);
    setTabOrder(m_print, m_search);
    setTabOrder(m_search, m_help);
    setTabOrder(m_help, m_close);
    setFocusProxy(m_text);

    setMinimumSize(420, 260);
    resize(600, 560);
    applyPositions();
    Anulez();
}

void DetailWindow::showForCurrentEvent()
{
    // Read before showing, so the window never flashes the previous celebration; the
    // activation that follows reads the row again.
    CommentActivate();
    show();
    raise();
    activateWindow();
    m_text->setFocus();
}

void DetailWindow::storePosition()
{
    recordWindow(this, m_context.positions, xComm);
}

void DetailWindow::applyPositions()
{
    placeWindow(this, m_context.positions, xComm);
}

void DetailWindow::CommentActivate()
{
    Anulez();
    const qint32 id = m_context.currentEventId;
    if (id == 0)
        return;
    const std::shared_ptr<const YearCalendar> &year = m_context.shownCalendar();
    if (!year)
        return;
    try {
        const std::optional<PrintedComment> row = readComment(m_context.store(), *year, id);
        if (!row)
            return;
        const QString view = tablesFor(year->variant()).view;
        const QDate date = row->date;
        const QString &html = row->html;

        // The label always names the day of the celebration shown, wherever it was chosen.
        m_shownDate = date;
        m_dateLabel->setText(date.isValid() ? longDateText(date) : QString());
        m_dayLine->showDay(year.get(), date);

        // Coming back to the same text keeps the reader's place in it.
        if (id == m_shownId && view == m_shownView && html == m_shownHtml && !m_text->document()->isEmpty()) {
            m_failedId = 0;
            return CommentFormResize();
        }
        m_shownId = id;
        m_shownView = view;
        m_shownHtml = html;
        m_text->setHtml(html);
        QTextCursor start(m_text->document());
        m_text->setTextCursor(start);
        m_text->verticalScrollBar()->setValue(0);
        m_text->horizontalScrollBar()->setValue(0);
        CommentFormResize();
        m_failedId = 0;
    } catch (const std::exception &error) {
        logCaught("DetailWindow::CommentActivate", error);
        // Closing the message activates the window again: one report per failing row.
        if (m_failedId == id)
            return;
        m_failedId = id;
        m_context.dialogs().operationError(this, QStringLiteral("CommentActivate"));
    }
}

void DetailWindow::CommentFormResize()
{
    if (isMinimized())
        return;
    try {
        const int w = width();
        const int h = height();
        // 40 twips is under three pixels on today's screens: never closer than the style's spacing.
        const int spacing = std::max(style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing), 6);
        const int m = std::max(twipsX(kMargin), spacing);
        const int my = std::max(twipsY(kMargin), spacing);

        // Four equal buttons in a row, with the margin between them and at both ends.
        const int b = qRound((w - 5.0 * m) / 4.0);
        const int buttonTop = my;
        const int buttonHeight = std::max({m_print->sizeHint().height(), m_search->sizeHint().height(), 30});
        PictureButton *const row[] = {m_print, m_search, m_help, m_close};
        for (int i = 0; i < 4; ++i)
            row[i]->setGeometry(m + i * (b + m), buttonTop, b, buttonHeight);

        const int frameTop = buttonTop + buttonHeight + my;
        m_page->setGeometry(m, frameTop, w - 2 * m, h - frameTop - my);

        const int inset = std::max(twipsX(kTextInset), style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
        const int gap = twipsY(kLabelGap);
        const int labelHeight = m_dateLabel->sizeHint().height() + 2 * kLabelPadding;
        const int labelWidth = std::min(m_dateLabel->sizeHint().width() + 2 * kLabelPadding, m_page->width());
        const int frameWidth = m_page->width();
        const int frameHeight = m_page->height();
        // The day's line sits in the date's lower padding, so the two read as one heading.
        const int lineHeight = m_dayLine->text().isEmpty() ? 0 : m_dayLine->heightForWidth(frameWidth - 2 * inset);
        const int headHeight = labelHeight + std::max(0, lineHeight - kLabelPadding / 2);
        m_text->setGeometry(
            inset, headHeight + gap, frameWidth - 2 * inset, frameHeight - headHeight - 2 * gap - inset);
        m_dateLabel->setGeometry(inset + (frameWidth - 2 * inset) / 2 - labelWidth / 2, 0, labelWidth, labelHeight);
        m_dayLine->setGeometry(inset, labelHeight - kLabelPadding / 2, frameWidth - 2 * inset, lineHeight);
        storePosition();
    } catch (const std::exception &error) {
        logCaught("DetailWindow::CommentFormResize", error);
        m_context.dialogs().operationError(this, QStringLiteral("CommentFormResize"));
    }
}

void DetailWindow::Anulez()
{
    for (PictureButton *button : {m_close, m_help, m_print, m_search})
        button->setLit(false);
}

void DetailWindow::openSearch()
{
    m_context.showSearch();
}

void DetailWindow::printCurrentComment()
{
    const qint32 id = m_context.currentEventId;
    std::optional<PrintedComment> comment;
    try {
        if (id != 0 && m_context.shownCalendar())
            comment = readComment(m_context.store(), *m_context.shownCalendar(), id);
    } catch (const std::exception &error) {
        logCaught("DetailWindow::printCurrentComment", error);
        m_context.dialogs().operationError(this, QStringLiteral("CommentPrint"));
        return;
    }
    if (!comment) {
        m_context.dialogs().message(this, QMessageBox::Information, Dialogs::defaultTitle(),
            QStringLiteral("There is no celebration to print. Choose one in the year's list first."));
        return;
    }

    QPrinter &printer = m_context.printer();
    Dialogs &dialogs = m_context.dialogs();
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
    QString where = QDir::toNativeSeparators(printer.outputFileName());
    if (!toFile) {
        // With no printer chosen, the one the computer has now: it may have been added since.
        QString name = printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName() : QString();
        if (name.isEmpty())
            name = dialogs.defaultPrinterName();
        where = name;
        // A queue that is stopped or refuses jobs takes the job without a word and drops it.
        const QString problem = printerProblem(name, dialogs.printerStatus(name));
        if (!problem.isEmpty())
            return offerPdfCopy(*comment, problem);
        if (printer.printerName() != name)
            printer.setPrinterName(name);
    }
    printer.setDocName(QStringLiteral("Comment - %1").arg(comment->name));
    bool printed = false;
    {
        WaitCursor busy;
        printed = printComment(*comment, printer);
    }
    if (!printed)
        offerPdfCopy(*comment, QStringLiteral("The comment could not be printed on %1.").arg(where));
}

void DetailWindow::offerPdfCopy(const PrintedComment &comment, const QString &problem)
{
    Dialogs &dialogs = m_context.dialogs();
    const auto answer = dialogs.message(this, QMessageBox::Warning, Dialogs::defaultTitle(),
        problem + QStringLiteral("\n\nSave the comment as a PDF file instead?"), QMessageBox::Yes | QMessageBox::No,
        QMessageBox::Yes);
    if (answer != QMessageBox::Yes)
        return;
    QString path = dialogs.saveFileName(this, QStringLiteral("Save Comment as PDF"),
        QDir(Dialogs::documentsFolder()).filePath(pdfFileName(comment)), QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");

    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(path);
    pdf.setPageLayout(m_context.printer().pageLayout());
    pdf.setDocName(comment.name);
    bool written = false;
    {
        WaitCursor busy;
        written = printComment(comment, pdf);
    }
    if (!written)
        dialogs.message(this, QMessageBox::Warning, Dialogs::defaultTitle(),
            QStringLiteral("The PDF file could not be written:\n%1").arg(QDir::toNativeSeparators(path)));
}

bool DetailWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        CommentActivate();
    else if (event->type() == QEvent::WindowDeactivate)
        storePosition();
    return QWidget::event(event);
}

bool DetailWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            hide();
            return true;
        }
        if (key->key() == Qt::Key_F3) {
            openSearch();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DetailWindow::keyPressEvent(QKeyEvent *event)
{
    // Escape anywhere but in the text unloads the window.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_context.unloadDetailWindow();
        return;
    }
    QWidget::keyPressEvent(event);
}

void DetailWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    CommentFormResize();
}

void DetailWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    storePosition();
}

void DetailWindow::hideEvent(QHideEvent *event)
{
    storePosition();
    QWidget::hideEvent(event);
}

} // namespace lumenar
