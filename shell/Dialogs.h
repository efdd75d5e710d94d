// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>

class QPrinter;
class QWidget;

namespace lumenar {

// Every message box and file or printer dialog of the program goes through here, so tests
// can read what would have been shown and give the answer.
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

    // "Error on <tag>." with the request to call for help: a whole operation failed.
    void operationError(QWidget *parent, const QString &tag);
    // A small handler's failure: its description in a plain box.
    void plainError(QWidget *parent, const QString &description);

    static QString defaultTitle();
    // Where a saved file is first suggested: the user's documents, else the home folder.
    static QString documentsFolder();
    static QString operationErrorText(const QString &tag);
};

} // namespace lumenar
