// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/AboutDialog.h"

#include "shell/DayIcon.h"
#include "shell/Splash.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

namespace lumenar {

namespace {

// Qt hands a mailto: address to xdg-open, which reports success even when no program takes
// it: ask the desktop's handler list first where it can be asked.
bool openMailProgram(const QUrl &url)
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (!xdgMime.isEmpty()) {
        QProcess query;
        query.start(
            xdgMime, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/mailto")});
        if (query.waitForFinished(3000) && query.exitCode() == 0 && query.readAllStandardOutput().trimmed().isEmpty())
            return false;
    }
    return QDesktopServices::openUrl(url);
}

} // namespace

PageAnimation::PageAnimation(QWidget *parent)
    : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Who made Lumenar"));
    setAccessibleName(QStringLiteral("Animation: the pages of the year; click for the credits"));
    m_timer.setInterval(400);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        ++m_frame;
        update();
    });
}

void PageAnimation::paintEvent(QPaintEvent *)
{
    static const IconColour colours[] = {IconColour::Blue, IconColour::Green, IconColour::Red, IconColour::Black};
    QPainter p(this);
    const int side = std::min(width(), height());
    const qreal ratio = devicePixelRatioF();
    QImage page = renderDayIcon(m_frame % 31 + 1, colours[(m_frame / 31 + m_frame) % 4], qRound(side * ratio));
    page.setDevicePixelRatio(ratio);
    p.drawImage(QPointF((width() - side) / 2.0, (height() - side) / 2.0), page);
}

void PageAnimation::mousePressEvent(QMouseEvent *)
{
    emit clicked();
}
void PageAnimation::showEvent(QShowEvent *)
{
    m_timer.start();
}
void PageAnimation::hideEvent(QHideEvent *)
{
    m_timer.stop();
}

CreditsDialog::CreditsDialog(int lifetimeMs, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Credits"));
    setObjectName(QStringLiteral("frmAutori"));
    const QStringList texts{
        QStringLiteral("The following persons contributed to this program realization"),
        QStringLiteral("The developers of Lumenar"),
        QStringLiteral("(every contributor is named in the project's history)"),
        QStringLiteral("Special thanks to"),
        QStringLiteral("The General Roman Calendar and its Universal Norms"),
        QStringLiteral("The liturgical calendar for the dioceses of the United States of America"),
    };
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 22, 28, 22);
    setMinimumWidth(380);
    for (int i = 0; i < texts.size(); ++i) {
        auto *label = new QLabel(texts[i], this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        label->installEventFilter(this);
        QFont font = label->font();
        if (i == 0 || i == 3) {
            font.setBold(true);
            label->setFont(font);
        }
        if (i == 3)
            layout->addSpacing(12);
        layout->addWidget(label);
        m_labels << label;
    }
    // Counted from loading, not from showing: a later show does not restart it.
    QTimer::singleShot(lifetimeMs, this, &CreditsDialog::unload);
}

bool CreditsDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const int n = m_labels.indexOf(static_cast<QLabel *>(watched)) + 1;
        if (n >= 1 && n <= 4)
            hide();
        else if (n == 6)
            unload();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CreditsDialog::unload()
{
    // Not WA_DeleteOnClose: a modal run deletes such a dialog when it is merely hidden.
    hide();
    deleteLater();
}

void CreditsDialog::mousePressEvent(QMouseEvent *)
{
    hide();
}

void CreditsDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        hide();
}

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
    , m_animation(new PageAnimation(this))
{
    setWindowTitle(QStringLiteral("About Lumenar"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_animation->setObjectName(QStringLiteral("Animation1"));
    m_animation->setFixedSize(96, 96);
    connect(m_animation, &PageAnimation::clicked, this, &AboutDialog::showCredits);

    auto *version = new QLabel(versionText(), this);
    version->setObjectName(QStringLiteral("Label3"));
    QFont big = version->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    version->setFont(big);
    auto *rights = new QLabel(rightsNotice(), this);
    rights->setObjectName(QStringLiteral("Label4"));
    rights->setWordWrap(true);
    auto *what = new QLabel(QStringLiteral("The liturgical year of the Roman rite, for any year from 1583 to 4900, "
                                           "in the Universal calendar and the calendar of the USA."),
        this);
    what->setWordWrap(true);
    auto *licence
        = new QLabel(QStringLiteral("Lumenar is free software: you may share and change it under the terms of "
                                    "the <a href=\"https://www.gnu.org/licenses/gpl-3.0.html\">GNU General "
                                    "Public License</a>, version 3 or any later version. It comes with "
                                    "ABSOLUTELY NO WARRANTY."),
            this);
    licence->setObjectName(QStringLiteral("licence"));
    licence->setWordWrap(true);
    licence->setOpenExternalLinks(true);

    auto *mail = new QPushButton(QStringLiteral("&E-mail me your opinions"), this);
    mail->setObjectName(QStringLiteral("Command4"));
    auto *close = new QPushButton(QStringLiteral("&C l o s e"), this);
    close->setObjectName(QStringLiteral("Command2"));
    // The caption's spacing is for the eye; read out, it would be spelt letter by letter.
    close->setAccessibleName(QStringLiteral("Close"));
    close->setDefault(true);
    openMail = openMailProgram;
    connect(mail, &QPushButton::clicked, this, &AboutDialog::writeFeedback);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *text = new QVBoxLayout;
    text->addWidget(version);
    text->addWidget(what);
    text->addWidget(rights);
    text->addWidget(licence);
    text->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(m_animation, 0, Qt::AlignTop);
    top->addSpacing(16);
    top->addLayout(text, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(mail);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    setMinimumWidth(460);
}

void AboutDialog::writeFeedback()
{
    const QUrl url(QStringLiteral("mailto:%1?subject=%2").arg(feedbackAddress(), QStringLiteral("Lumenar%20v3.00")));
    if (openMail && openMail(url))
        return;
    QMessageBox box(QMessageBox::Information, windowTitle(),
        QStringLiteral("No e-mail program is set up on this computer.\n\n"
                       "Please write your opinions to %1")
            .arg(feedbackAddress()),
        QMessageBox::NoButton, this);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QPushButton *copy = box.addButton(QStringLiteral("&Copy the Address"), QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Close);
    box.setDefaultButton(copy);
    box.exec();
    if (box.clickedButton() == copy)
        QGuiApplication::clipboard()->setText(feedbackAddress());
}

void AboutDialog::showCredits()
{
    if (!m_credits)
        m_credits = new CreditsDialog(creditsLifetimeMs, this);
    m_credits->exec();
}

} // namespace lumenar
