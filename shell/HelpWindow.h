// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QTextBrowser;

namespace lumenar {

// The program's own help: HTML pages compiled into the program, one per window.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Opens the page of a topic ("index", "tray", "main", "detail", "search", "calendar",
    // "keys", "files"); an unknown topic opens the contents.
    void showTopic(const QString &topic);
    QUrl currentPage() const;

    static QStringList topics();

private:
    QTextBrowser *m_browser;
};

} // namespace lumenar
