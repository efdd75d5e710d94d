// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace lumenar {

QMessageBox::StandardButton Dialogs::message(QWidget *parent, QMessageBox::Icon icon, const QString &title,
    const QString &text, QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString Dialogs::saveFileName(
    QWidget *parent, const QString &caption, const QString &suggestedPath, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, suggestedPath, filter);
}

bool Dialogs::printerSetup(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Setup Printer"));
    return dialog.exec() == QDialog::Accepted;
}

QString Dialogs::defaultTitle()
{
    return QStringLiteral("Lumenar");
}

QString Dialogs::documentsFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder.isEmpty() ? QDir::homePath() : folder;
}

QString Dialogs::operationErrorText(const QString &tag)
{
    return QStringLiteral("Error on %1.\nIf problem persist, please contact technical service.").arg(tag);
}

void Dialogs::operationError(QWidget *parent, const QString &tag)
{
    message(parent, QMessageBox::Critical, defaultTitle(), operationErrorText(tag));
}

void Dialogs::plainError(QWidget *parent, const QString &description)
{
    message(parent, QMessageBox::NoIcon, defaultTitle(), description);
}

} // namespace lumenar
