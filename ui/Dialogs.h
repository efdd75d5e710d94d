// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>

class QPrinter;
class QWidget;

namespace lumenar {

struct PrinterStatus;

// Every message box and file or printer dialog of the program goes through here, and so do
// the print system's answers, so tests can read what would have been shown and give the answer.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    virtual QMessageBox::StandardButton message(QWidget *parent, QMessageBox::Icon icon, const QString &title,
        const QString &text, QMessageBox::StandardButtons buttons = QMessageBox::Ok,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    // The chosen file name, or empty when the user cancelled.
    virtual QString saveFileName(
        QWidget *parent, const QString &caption, const QString &suggestedPath, const QString &filter);
    // The printer set-up dialog; true when the user accepted it.
    virtual bool printerSetup(QWidget *parent, QPrinter &printer);
    // The print system's default printer and the state of a queue, asked afresh each time.
    virtual QString defaultPrinterName();
    virtual PrinterStatus printerStatus(const QString &name);

    // The program is ending: closes every open modal dialog and menu (their own loops then
    // return to the code that opened them) and from now on answers each new request at once,
    // as if cancelled, without showing anything.
    void closeAll();

    // "Error on <tag>." with the request to call for help: a whole operation failed.
    void operationError(QWidget *parent, const QString &tag);
    // A small handler's failure: its description in a plain box.
    void plainError(QWidget *parent, const QString &description);

    static QString defaultTitle();
    // Where a saved file is first suggested: the user's documents folder when it exists,
    // else the home folder (a file dialog given a missing folder opens the working one).
    static QString documentsFolder();
    static QString operationErrorText(const QString &tag);

private:
    bool m_closing = false;
};

} // namespace lumenar
