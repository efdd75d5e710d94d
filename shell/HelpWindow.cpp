// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/HelpWindow.h"

#include "ui/WindowRole.h"

#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace lumenar {

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_browser(new QTextBrowser(this))
{
    exposeWindowsAsWindows();
    setWindowTitle(QStringLiteral("Lumenar Help"));
    setObjectName(QStringLiteral("HelpWindow"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({QStringLiteral(":/help")});
    QFile css(QStringLiteral(":/help/help.css"));
    if (css.open(QIODevice::ReadOnly))
        m_browser->document()->setDefaultStyleSheet(QString::fromUtf8(css.readAll()));
    auto *back = new QPushButton(QStringLiteral("&Back"), this);
    auto *contents = new QPushButton(QStringLiteral("C&ontents"), this);
    auto *close = new QPushButton(QStringLiteral("&Close"), this);
    back->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(contents, &QPushButton::clicked, this, [this] { showTopic(QStringLiteral("index")); });
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::hide);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(contents);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addLayout(buttons);
    resize(640, 560);
}

QStringList HelpWindow::topics()
{
    return {QStringLiteral("index"), QStringLiteral("tray"), QStringLiteral("main"), QStringLiteral("detail"),
        QStringLiteral("search"), QStringLiteral("calendar"), QStringLiteral("keys"), QStringLiteral("files")};
}

void HelpWindow::showTopic(const QString &topic)
{
    const QString page = topics().contains(topic) ? topic : QStringLiteral("index");
    m_browser->setSource(QUrl(QStringLiteral("qrc:/help/%1.html").arg(page)));
    show();
    raise();
    activateWindow();
}

QUrl HelpWindow::currentPage() const
{
    return m_browser->source();
}

} // namespace lumenar
