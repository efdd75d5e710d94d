#include "ui/Dialogs.h"

#include "ui/detail/PrinterStatus.h"

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
