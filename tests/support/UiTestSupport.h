// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Clock.h"
#include "shell/AppContext.h"
#include "tests/support/TestDatabase.h"
#include "ui/Dialogs.h"
#include "ui/detail/PrinterStatus.h"

#include <QList>
#include <QMap>
#include <QPushButton>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

namespace lumenar::test {

// Records every message instead of showing it; answers from a queue (Ok when empty).
class RecordingDialogs : public Dialogs
{
public:
    struct Shown
    {
        QMessageBox::Icon icon;
        QString title;
        QString text;
    };
    QList<Shown> shown;
    QList<QMessageBox::StandardButton> answers;
    QStringList fileAnswers; // consumed by saveFileName; empty = cancelled
    QStringList fileRequests;
    QString defaultPrinter; // what the print system offers; empty: no printer at all
    QMap<QString, PrinterStatus> printers;

    QMessageBox::StandardButton message(QWidget *, QMessageBox::Icon icon, const QString &title, const QString &text,
        QMessageBox::StandardButtons, QMessageBox::StandardButton) override
    {
        shown.append({icon, title, text});
        return answers.isEmpty() ? QMessageBox::Ok : answers.takeFirst();
    }
    QString saveFileName(QWidget *, const QString &, const QString &suggested, const QString &) override
    {
        fileRequests << suggested;
        return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
    }
    bool printerSetup(QWidget *, QPrinter &) override { return false; }
    QString defaultPrinterName() override { return defaultPrinter; }
    PrinterStatus printerStatus(const QString &name) override { return printers.value(name); }
    QStringList texts() const
    {
        QStringList out;
        for (const Shown &s : shown)
            out << s.text;
        return out;
    }
};

// A private database, a clock pinned to a day, recorded dialogs and the context over them.
struct UiFixture
{
    explicit UiFixture(QDate today = QDate(2026, 12, 25), const QString &variant = QStringLiteral("Universal"))
        : clock(today)
    {
        context = std::make_unique<AppContext>(db.open(), clock, dialogs);
        context->setVariant(variantFromSetting(variant));
    }
    TempDatabase db;
    ManualClock clock;
    RecordingDialogs dialogs;
    std::unique_ptr<AppContext> context;
};

// A child found by its object name; a missing one fails the test.
template <typename T = QPushButton> T *child(const QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QString::fromLatin1(name));
    EXPECT_TRUE(found) << name;
    return found;
}

} // namespace lumenar::test
