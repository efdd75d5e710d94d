// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Dialogs.h"

#include "ui/detail/PrinterStatus.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>

namespace lumenar {

QMessageBox::StandardButton Dialogs::message(QWidget *parent, QMessageBox::Icon icon, const QString &title,
    const QString &text, QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    if (m_closing)
        return QMessageBox::NoButton;
    QMessageBox box(icon, title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString Dialogs::saveFileName(
    QWidget *parent, const QString &caption, const QString &suggestedPath, const QString &filter)
{
    if (m_closing)
        return {};
    return QFileDialog::getSaveFileName(parent, caption, suggestedPath, filter);
}

bool Dialogs::printerSetup(QWidget *parent, QPrinter &printer)
{
    if (m_closing)
        return false;
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Setup Printer"));
    // Qt's dialog confirms with "Print", but here nothing is printed: the choice is kept.
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>()) {
        if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    }
    return dialog.exec() == QDialog::Accepted;
}

QString Dialogs::defaultPrinterName()
{
    return systemDefaultPrinter();
}

PrinterStatus Dialogs::printerStatus(const QString &name)
{
    return systemPrinterStatus(name);
}

void Dialogs::closeAll()
{
    m_closing = true;
    while (QWidget *popup = QApplication::activePopupWidget()) {
        popup->close();
        if (QApplication::activePopupWidget() == popup)
            break;
    }
    // The innermost first, so that each loop returns into the one below it.
    while (QWidget *modal = QApplication::activeModalWidget()) {
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
        if (QApplication::activeModalWidget() == modal)
            break;
    }
}

QString Dialogs::defaultTitle()
{
    return QStringLiteral("Lumenar");
}

QString Dialogs::documentsFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
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
