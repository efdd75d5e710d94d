// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DayLookup.h"
#include "tests/support/UiTestSupport.h"
#include "ui/DayDetailsLabel.h"
#include "ui/WindowPlacement.h"
#include "ui/detail/CommentPrint.h"
#include "ui/detail/DetailWindow.h"
#include "ui/search/SearchWindow.h"

#include <QAccessible>
#include <QDir>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <algorithm>
#include <gtest/gtest.h>

using namespace lumenar;
using lumenar::test::child;
using lumenar::test::UiFixture;

namespace {

QString pdfText(const QString &path)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (program.isEmpty())
        return QStringLiteral("pdftotext is missing (Debian package poppler-utils)");
    QProcess process;
    process.start(program, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

QStringList sortedWords(const QString &text)
{
    QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    words.sort();
    return words;
}

const QString kChristmasDate = QStringLiteral("Friday, December 25, 2026");

class DetailWindowTest : public ::testing::Test
{
protected:
    DetailWindowTest() { fixture.context->setShownCalendar(fixture.context->calendar(Variant::Universal, 2026)); }

    DetailWindow *window() { return fixture.context->detailWindow(); }
    QLabel *date() { return child<QLabel>(window(), "DataEv"); }
    QString label() { return date()->text(); }
    QTextBrowser *text() { return child<QTextBrowser>(window(), "List1"); }
    void print() { child(window(), "cmd_Print")->click(); }
    int idOn(QDate date) { return fixture.context->calendar(Variant::Universal, date.year())->day(date)[0].id; }
    void activate()
    {
        QEvent activation(QEvent::WindowActivate);
        QApplication::sendEvent(window(), &activation);
    }
    void show(int id)
    {
        fixture.context->currentEventId = id;
        window()->showForCurrentEvent();
    }
    // PDF output with no file is no printer at all, whatever printers the machine has.
    void noPrinter(const QString &file = QString())
    {
        fixture.context->printer().setOutputFormat(QPrinter::PdfFormat);
        fixture.context->printer().setOutputFileName(file);
    }
    // Prints through the program's printer into a PDF file and returns its text.
    QString printToPdf()
    {
        const QString path = fixture.db.folder() + QStringLiteral("/printed.pdf");
        QFile::remove(path);
        noPrinter(path);
        print();
        return QFile::exists(path) ? pdfText(path) : QString();
    }

    UiFixture fixture;
};

TEST_F(DetailWindowTest, EveryActivationRereadsTheRowAndDatesItself)
{
    const int agatha = idOn(QDate(2026, 2, 5));
    // Opened from the search window, the day in use is not the celebration's.
    fixture.context->currentDate = QDate(2026, 7, 1);
    show(idOn(QDate(2026, 12, 25)));
    EXPECT_EQ(label(), kChristmasDate);
    // The day's line stands between the date and the commentary.
    const auto *line = child<DayDetailsLabel>(window(), "DayDetails");
    EXPECT_TRUE(line->line().startsWith(QStringLiteral("Christmas Time · Year B"))) << qPrintable(line->line());
    EXPECT_GT(line->geometry().top(), date()->geometry().top());
    EXPECT_LE(line->geometry().bottom(), text()->geometry().top());
    EXPECT_TRUE(text()->toPlainText().contains(QStringLiteral("Nativity of the Lord")));
    EXPECT_EQ(text()->textCursor().position(), 0);
    EXPECT_FALSE(text()->textCursor().hasSelection());

    fixture.context->currentEventId = agatha;
    activate();
    EXPECT_EQ(label(), QStringLiteral("Thursday, February 5, 2026"));
    EXPECT_EQ(line->line(), QStringLiteral("Ordinary Time · Year A · Weekday II · Psalter week 4"));
    EXPECT_TRUE(text()->toPlainText().contains(QStringLiteral("Agatha")));

    // The same row is read again, not remembered.
    fixture.context->store().run(
        QStringLiteral("UPDATE Comentarii SET Comentariu = '<p>Changed meanwhile.</p>' WHERE Eveniment = "
                       "(SELECT Eveniment FROM C_Univ_Temp WHERE ID = ?)"),
        {agatha});
    activate();
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("Changed meanwhile."));

    // Nothing chosen, or a row that is gone: what is shown stays, date and all.
    for (int id : {0, 99999}) {
        fixture.context->currentEventId = id;
        activate();
        EXPECT_EQ(text()->toPlainText(), QStringLiteral("Changed meanwhile.")) << id;
        EXPECT_EQ(label(), QStringLiteral("Thursday, February 5, 2026")) << id;
    }

    // A celebration without commentary: an empty box under its date.
    const int march3 = idOn(QDate(2026, 3, 3));
    const Celebration &row = *fixture.context->shownCalendar()->byId(march3);
    fixture.context->store().run(QStringLiteral("DELETE FROM Comentarii WHERE Eveniment = ?"),
        {row.commentKey.isEmpty() ? row.name : row.commentKey});
    show(march3);
    EXPECT_EQ(label(), QStringLiteral("Tuesday, March 3, 2026"));
    EXPECT_TRUE(text()->toPlainText().isEmpty());
    EXPECT_TRUE(fixture.dialogs.shown.isEmpty());

    // A failing read is reported once (closing the message activates the window again).
    fixture.context->store().run(QStringLiteral("DROP TABLE Comentarii"));
    fixture.context->currentEventId = agatha;
    activate();
    activate();
    EXPECT_EQ(fixture.dialogs.texts(), QStringList{Dialogs::operationErrorText(QStringLiteral("CommentActivate"))});
    EXPECT_EQ(label(), QStringLiteral("Tuesday, March 3, 2026"));
}

TEST_F(DetailWindowTest, KeysAndCloseHideOrUnload)
{
    show(idOn(QDate(2026, 12, 25)));
    QTest::keyClick(text(), Qt::Key_F3);
    ASSERT_TRUE(fixture.context->hasSearchWindow());
    EXPECT_TRUE(fixture.context->searchWindow()->isVisible());

    QTest::keyClick(text(), Qt::Key_Escape); // in the text: hidden, still loaded
    EXPECT_FALSE(window()->isVisible());
    EXPECT_TRUE(fixture.context->hasDetailWindow());
    window()->showForCurrentEvent();
    child(window(), "cmd_Close")->click();
    EXPECT_FALSE(window()->isVisible());
    EXPECT_TRUE(fixture.context->hasDetailWindow());

    window()->showForCurrentEvent();
    QTest::keyClick(child(window(), "cmd_Help"), Qt::Key_Escape); // on the window: unloaded
    EXPECT_FALSE(fixture.context->hasDetailWindow());
}

// A screen reader reaches the text (no frame role between the window and it, a caret for
// its arrow keys) and reads the date itself; the buttons share the width equally.
TEST_F(DetailWindowTest, TheTextIsReachableAndTheButtonsShareTheWidth)
{
    show(idOn(QDate(2026, 12, 25)));
    QAccessibleInterface *textIface = QAccessible::queryAccessibleInterface(text());
    ASSERT_TRUE(textIface && textIface->textInterface());
    EXPECT_TRUE(textIface->state().focusable);
    EXPECT_EQ(textIface->textInterface()->cursorPosition(), 0);
    EXPECT_TRUE(text()->textInteractionFlags().testFlag(Qt::TextSelectableByKeyboard));
    for (QAccessibleInterface *up = textIface->parent(); up && up->object() != window(); up = up->parent())
        EXPECT_NE(up->role(), QAccessible::Border) << qPrintable(up->object()->objectName());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(date())->text(QAccessible::Name), kChristmasDate);

    window()->resize(703, 500);
    QList<QRect> rects;
    for (const char *name : {"cmd_Print", "cmd_Search", "cmd_Help", "cmd_Close"})
        rects << child(window(), name)->geometry();
    const int margin = rects[0].left();
    EXPECT_GT(margin, 0);
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(rects[i].width(), rects[0].width());
        EXPECT_EQ(rects[i].left() - rects[i - 1].right() - 1, margin);
    }
    EXPECT_NEAR(703 - rects[3].right() - 1, margin, 2);
    EXPECT_NEAR(fixture.context->positions[wComm], pixelsToTwips(703, screenDpiX()), 1); // kept in twips
}

// Copying, searching and screen readers see the file's text layer: a line cut by a page
// edge must not be written on both sheets.
TEST_F(DetailWindowTest, TheLongestCommentaryFlowsOntoMorePagesEachWordOnce)
{
    const int id = fixture.context->store()
                       .scalar(QStringLiteral("SELECT ID FROM C_Univ ORDER BY length(Comentariu) DESC LIMIT 1"))
                       .toInt();
    show(id);
    const auto comment = readComment(fixture.context->store(), *fixture.context->shownCalendar(), id);
    ASSERT_TRUE(comment);
    const QStringList want
        = sortedWords(printDocument(*comment)->toPlainText().normalized(QString::NormalizationForm_KC));
    for (const auto size : {QPageSize::A6, QPageSize::A5, QPageSize::Letter}) {
        fixture.context->printer().setPageSize(QPageSize(size));
        const QString printed = printToPdf();
        EXPECT_GE(printed.count(QLatin1Char('\f')), size == QPageSize::Letter ? 1 : 2) << "pages";
        const QStringList got = sortedWords(printed);
        QStringList extra, lost;
        std::set_difference(got.begin(), got.end(), want.begin(), want.end(), std::back_inserter(extra));
        std::set_difference(want.begin(), want.end(), got.begin(), got.end(), std::back_inserter(lost));
        EXPECT_TRUE(extra.isEmpty()) << QPageSize::name(size).toStdString()
                                     << " twice: " << extra.join(u' ').toStdString();
        EXPECT_TRUE(lost.isEmpty()) << QPageSize::name(size).toStdString()
                                    << " lost: " << lost.join(u' ').toStdString();
    }
    EXPECT_TRUE(fixture.dialogs.shown.isEmpty());
}

// The print system is asked at every print: a printer added meanwhile is seen, and one that
// is stopped or refuses jobs is reported before the job would vanish into it.
TEST_F(DetailWindowTest, APrinterThatCannotTakeTheJobIsReportedAndAPdfOffered)
{
    show(idOn(QDate(2026, 12, 25)));
    noPrinter();
    const struct
    {
        const char *step;
        const char *defaultPrinter;
        PrinterStatus status;
        const char *says;
    } steps[] = {
        {"none yet", "", {}, "No printer is set up on this computer."},
        {"one added, refusing jobs", "Office", {true, false, false},
            "The printer “Office” does not accept jobs at present."},
        {"stopped", "Office", {true, true, true}, "The printer “Office” is stopped."},
        {"removed", "Office", {}, "The printer “Office” is no longer set up on this computer."},
        // Ready, but only in this test's print system: the job itself fails, and says so.
        {"ready", "Office", {true, false, true}, "The comment could not be printed on Office."},
    };
    for (const auto &step : steps) {
        fixture.dialogs.defaultPrinter = QString::fromUtf8(step.defaultPrinter);
        fixture.dialogs.printers = {{QStringLiteral("Office"), step.status}};
        fixture.dialogs.shown.clear();
        fixture.dialogs.answers = {QMessageBox::No};
        print();
        ASSERT_EQ(fixture.dialogs.shown.size(), 1) << step.step;
        EXPECT_EQ(fixture.dialogs.shown[0].text,
            QString::fromUtf8(step.says) + QStringLiteral("\n\nSave the comment as a PDF file instead?"))
            << step.step;
    }
}

// Declined: nothing written; accepted: the same page lands in the chosen file.
TEST_F(DetailWindowTest, WithoutAPrinterThePdfFileIsOffered)
{
    show(idOn(QDate(2026, 12, 25)));
    for (const QString &printerFile : {QString(), QStringLiteral("/nonexistent/folder/out.pdf")}) {
        noPrinter(printerFile);
        fixture.dialogs.shown.clear();
        fixture.dialogs.fileRequests.clear();
        fixture.dialogs.answers = {QMessageBox::No};
        print();
        ASSERT_EQ(fixture.dialogs.shown.size(), 1);
        EXPECT_TRUE(fixture.dialogs.shown[0].text.startsWith(printerFile.isEmpty()
                ? QStringLiteral("No printer is set up")
                : QStringLiteral("The comment could not be printed on /nonexistent/folder/out.pdf")))
            << fixture.dialogs.shown[0].text.toStdString();
        EXPECT_TRUE(fixture.dialogs.fileRequests.isEmpty());

        const QString saved = fixture.db.folder() + QStringLiteral("/saved.pdf");
        QFile::remove(saved);
        fixture.dialogs.answers = {QMessageBox::Yes};
        fixture.dialogs.fileAnswers = {saved};
        print();
        ASSERT_EQ(fixture.dialogs.fileRequests.size(), 1);
        EXPECT_EQ(fixture.dialogs.fileRequests[0],
            QDir(Dialogs::documentsFolder())
                .filePath(QStringLiteral("The Nativity of the Lord (Christmas) 2026-12-25.pdf")));
        EXPECT_TRUE(pdfText(saved).startsWith(QStringLiteral("The Lumenar\nDec 25, 2026\n")));
    }
}

} // namespace

// Saved files are proposed in the documents folder, else at home: a file dialog given a
// folder that does not exist opens the program's own.
TEST(Dialogs, ProposeTheDocumentsFolderElseHome)
{
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString withoutFolder = Dialogs::documentsFolder();
    QDir().mkpath(documents);
    const QString withFolder = Dialogs::documentsFolder();
    qputenv("HOME", oldHome);
    EXPECT_EQ(withoutFolder, home.path());
    EXPECT_EQ(withFolder, documents);
    EXPECT_TRUE(documents.startsWith(home.path())) << documents.toStdString();
}
