// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Splash.h"

#include "shell/DayIcon.h"

#include <QDate>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

#ifndef LUMENAR_FEEDBACK_ADDRESS
#define LUMENAR_FEEDBACK_ADDRESS "feedback@lumenar.org"
#endif

namespace lumenar {

QString versionText()
{
    return QStringLiteral("Lumenar v3.00");
}

QString rightsNotice()
{
    return QStringLiteral("Copyright \u00A9 2026 the Lumenar contributors.");
}

QString feedbackAddress()
{
    return QStringLiteral(LUMENAR_FEEDBACK_ADDRESS);
}

QPixmap splashPixmap()
{
    const qreal ratio = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->devicePixelRatio() : 1.0;
    const QSize size(440, 220);
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(250, 246, 236));
    sky.setColorAt(1, QColor(226, 214, 190));
    p.fillRect(QRect(QPoint(), size), sky);
    p.setPen(QPen(QColor(120, 96, 60), 2));
    p.drawRect(QRectF(1, 1, size.width() - 2, size.height() - 2));

    const QImage page = renderDayIcon(QDate::currentDate().day(), IconColour::Red, qRound(112 * ratio));
    p.drawImage(QRectF(28, 54, 112, 112), page);

    // The whole title, whatever face the system gives for the serif asked for: smaller
    // rather than cut at the picture's edge.
    const QRectF titleArea(160, 60, 264, 50);
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setStyleHint(QFont::Serif);
    title.setBold(true);
    int titleSize = 36;
    do {
        title.setPixelSize(titleSize);
    } while (QFontMetricsF(title).horizontalAdvance(versionText()) > titleArea.width() && --titleSize > 12);
    p.setFont(title);
    p.setPen(QColor(90, 20, 20));
    p.drawText(titleArea, Qt::AlignLeft | Qt::AlignVCenter, versionText());
    QFont body(QStringLiteral("DejaVu Sans"));
    body.setPixelSize(14);
    p.setFont(body);
    p.setPen(QColor(40, 40, 40));
    p.drawText(QRectF(162, 112, 260, 44), Qt::AlignLeft | Qt::TextWordWrap,
        QStringLiteral("The liturgical year of the Roman rite"));
    body.setPixelSize(11);
    p.setFont(body);
    p.setPen(QColor(80, 70, 60));
    p.drawText(QRectF(20, 184, 400, 24), Qt::AlignCenter, rightsNotice());
    return pixmap;
}

} // namespace lumenar
