// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PictureButton.h"

#include <QEvent>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace lumenar {

namespace {

void drawGlyph(QPainter &p, const QRectF &box, Glyph glyph, const QColor &ink)
{
    const qreal s = std::min(box.width(), box.height());
    const QRectF r(box.center().x() - s / 2, box.center().y() - s / 2, s, s);
    QPen pen(ink, std::max<qreal>(1.0, s / 9), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const auto at = [&](qreal x, qreal y) { return QPointF(r.left() + x * s, r.top() + y * s); };
    switch (glyph) {
    case Glyph::Comment: {
        // A speech bubble with three lines of text.
        QPainterPath bubble;
        bubble.addRoundedRect(QRectF(at(0.1, 0.12), at(0.9, 0.7)), s / 8, s / 8);
        p.drawPath(bubble);
        p.drawLine(at(0.3, 0.7), at(0.22, 0.9));
        p.drawLine(at(0.22, 0.9), at(0.45, 0.7));
        p.drawLine(at(0.27, 0.33), at(0.73, 0.33));
        p.drawLine(at(0.27, 0.5), at(0.6, 0.5));
        break;
    }
    case Glyph::Search:
        p.drawEllipse(QRectF(at(0.12, 0.12), at(0.64, 0.64)));
        pen.setWidthF(pen.widthF() * 1.6);
        p.setPen(pen);
        p.drawLine(at(0.6, 0.6), at(0.88, 0.88));
        break;
    case Glyph::Help: {
        // Smaller than the box: "Help" has no leading blank to keep it off the circle.
        p.drawEllipse(QRectF(at(0.14, 0.14), at(0.86, 0.86)));
        QPainterPath hook;
        hook.moveTo(at(0.38, 0.4));
        hook.cubicTo(at(0.38, 0.24), at(0.62, 0.24), at(0.62, 0.4));
        hook.cubicTo(at(0.62, 0.5), at(0.5, 0.5), at(0.5, 0.6));
        p.drawPath(hook);
        p.setBrush(ink);
        p.drawEllipse(at(0.5, 0.73), s / 24, s / 24);
        break;
    }
    case Glyph::Close:
        p.drawLine(at(0.22, 0.22), at(0.78, 0.78));
        p.drawLine(at(0.78, 0.22), at(0.22, 0.78));
        break;
    case Glyph::Print:
        // Paper going in, the printer's body, the printed sheet coming out.
        p.drawRect(QRectF(at(0.3, 0.1), at(0.7, 0.34)));
        p.drawRoundedRect(QRectF(at(0.1, 0.34), at(0.9, 0.72)), s / 12, s / 12);
        p.setBrush(p.pen().color());
        p.drawEllipse(at(0.76, 0.47), s / 28, s / 28);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(at(0.3, 0.58), at(0.7, 0.9)));
        break;
    case Glyph::Menu:
        for (qreal y : {0.25, 0.5, 0.75})
            p.drawLine(at(0.18, y), at(0.82, y));
        break;
    }
}

// Paints the glyph afresh for every size and scale asked for.
class GlyphEngine : public QIconEngine
{
public:
    GlyphEngine(Glyph glyph, const QColor &ink)
        : m_glyph(glyph)
        , m_ink(ink)
    {
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        QColor ink = m_ink;
        if (mode == QIcon::Disabled)
            ink.setAlphaF(0.4f);
        drawGlyph(*painter, rect, m_glyph, ink);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        QPixmap pm(size * scale);
        pm.setDevicePixelRatio(scale);
        pm.fill(Qt::transparent);
        QPainter painter(&pm);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return pm;
    }
    QIconEngine *clone() const override { return new GlyphEngine(m_glyph, m_ink); }

private:
    Glyph m_glyph;
    QColor m_ink;
};

} // namespace

QIcon glyphIcon(Glyph glyph, const QColor &ink)
{
    return QIcon(new GlyphEngine(glyph, ink));
}

PictureButton::PictureButton(Glyph glyph, const QString &text, QWidget *parent)
    : QPushButton(text, parent)
    , m_glyph(glyph)
{
    setAutoDefault(false);
    makePictures();
}

void PictureButton::makePictures()
{
    m_resting = glyphIcon(m_glyph, palette().color(QPalette::ButtonText));
    m_litIcon = glyphIcon(m_glyph, palette().color(QPalette::Highlight));
    setIcon(m_lit ? m_litIcon : m_resting);
}

void PictureButton::setLit(bool lit)
{
    if (lit == m_lit)
        return;
    m_lit = lit;
    setIcon(m_lit ? m_litIcon : m_resting);
}

void PictureButton::enterEvent(QEnterEvent *event)
{
    setLit(true);
    QPushButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent *event)
{
    setLit(false);
    QPushButton::leaveEvent(event);
}

void PictureButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        makePictures();
    QPushButton::changeEvent(event);
}

} // namespace lumenar
