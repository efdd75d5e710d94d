// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/DayIcon.h"

#include <QFont>
#include <QFontMetricsF>
#include <QIconEngine>
#include <QPainter>
#include <cmath>

namespace lumenar {

QColor iconInk(IconColour colour)
{
    const int code = colour == IconColour::Black ? 0
        : colour == IconColour::Green            ? 2
        : colour == IconColour::Blue             ? 9
                                                 : 12;
    const PaletteColour c = *paletteColour(code);
    return QColor(c.red, c.green, c.blue);
}

namespace {

void drawPage(QPainter &p, int day, const QColor &ink, int s)
{
    // Proportions chosen on a 16 px grid and scaled, so small sizes land on whole pixels.
    const qreal u = s / 16.0;
    const int frame = std::max(1, qRound(u));
    const int top = std::max(2, qRound(2 * u));
    const QRect page(0, top, s, s - top);

    p.fillRect(page, Qt::black);
    p.fillRect(page.adjusted(frame, frame, -frame, -frame), Qt::white);

    // The binding: a dark band across the top of the page with three rings through it.
    const int band = std::max(1, qRound(2 * u));
    p.fillRect(QRect(page.left(), page.top(), s, frame + band), Qt::black);
    const int ringW = std::max(1, qRound(1.6 * u));
    const int ringH = top + frame + band + std::max(1, qRound(u));
    for (int i = 1; i <= 3; ++i) {
        const int cx = qRound(s * i / 4.0);
        const QRect ring(cx - ringW / 2, 0, ringW, ringH);
        if (s >= 32) {
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(80, 80, 80));
            p.drawRoundedRect(QRectF(ring).adjusted(-u * 0.3, 0, u * 0.3, 0), ringW / 2.0, ringW / 2.0);
            p.setRenderHint(QPainter::Antialiasing, false);
        } else {
            p.fillRect(ring, QColor(80, 80, 80));
        }
    }

    // The digits fill what is left of the page.
    const QRect digits
        = QRect(page.left() + frame, page.top() + frame + band, s - 2 * frame, page.height() - 2 * frame - band)
              .adjusted(0, std::max(0, qRound(0.5 * u)), 0, 0);
    const QString text = QString::number(day);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setHintingPreference(s <= 24 ? QFont::PreferFullHinting : QFont::PreferVerticalHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    // The largest size whose digits fit the page, a little narrower where two digits must.
    qreal pixel = digits.height() * 1.25;
    for (; pixel > 4; pixel -= 0.5) {
        font.setPixelSize(qRound(pixel));
        const QFontMetricsF m(font);
        const QRectF ink = m.tightBoundingRect(text);
        if (ink.height() <= digits.height() - qMax<qreal>(1, u)
            && ink.width() <= digits.width() - qMax<qreal>(0, u * 0.5))
            break;
        if (ink.height() <= digits.height() && text.size() == 2 && font.stretch() > 70) {
            font.setStretch(font.stretch() - 10);
            pixel += 0.5;
        }
    }
    const QFontMetricsF m(font);
    const QRectF box = m.tightBoundingRect(text);
    const QPointF origin(std::round(digits.center().x() + 0.5 - box.center().x()),
        std::round(digits.center().y() + 0.5 - box.center().y()));
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(font);
    p.setPen(ink);
    p.drawText(origin, text);
}

} // namespace

QImage renderDayIcon(int day, IconColour colour, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    drawPage(p, day, iconInk(colour), size);
    return image;
}

namespace {

class DayIconEngine : public QIconEngine
{
public:
    DayIconEngine(int day, IconColour colour)
        : m_day(day)
        , m_colour(colour)
    {
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const int side = qRound(std::min(rect.width(), rect.height()) * ratio);
        QImage image = renderDayIcon(m_day, m_colour, std::max(1, side));
        image.setDevicePixelRatio(ratio);
        painter->drawImage(QRectF(rect.topLeft(), QSizeF(side / ratio, side / ratio)), image);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        QPixmap pixmap = QPixmap::fromImage(renderDayIcon(m_day, m_colour, std::min(size.width(), size.height())));
        if (mode == QIcon::Disabled)
            pixmap = QIcon(pixmap).pixmap(size, QIcon::Disabled);
        return pixmap;
    }
    QIconEngine *clone() const override { return new DayIconEngine(m_day, m_colour); }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int s : {16, 22, 24, 32, 48, 64, 128, 256})
            sizes << QSize(s, s);
        return sizes;
    }
    QString key() const override { return QStringLiteral("lumenar-day"); }

private:
    int m_day;
    IconColour m_colour;
};

} // namespace

QIcon dayIcon(int day, IconColour colour)
{
    return QIcon(new DayIconEngine(day, colour));
}

QIcon applicationIcon()
{
    return dayIcon(25, IconColour::Red);
}

} // namespace lumenar
