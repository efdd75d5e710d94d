#include "ui/detail/PictureButton.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace lumenar {

namespace {

// Each picture is drawn on a 16 × 16 grid and scaled, so every device pixel ratio gets
// its own crisp pixmap.
void drawPicture(QPainter &p, ButtonPicture picture, const QColor &ink)
{
    QPen pen(ink, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (picture) {
    case ButtonPicture::Print:
        p.drawRect(QRectF(4.5, 1.5, 7, 4));                   // paper going in
        p.drawRoundedRect(QRectF(1.5, 5.5, 13, 6), 1.5, 1.5); // body
        p.setBrush(ink);
        p.drawEllipse(QPointF(12, 7.6), 0.6, 0.6);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(4.5, 9.5, 7, 5)); // the printed sheet
        p.drawLine(QPointF(6, 11.5), QPointF(10, 11.5));
        break;
    case ButtonPicture::Search:
        pen.setWidthF(1.6);
        p.setPen(pen);
        p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
        pen.setWidthF(2.4);
        p.setPen(pen);
        p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
        break;
    case ButtonPicture::Help: {
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        QPainterPath hook;
        hook.moveTo(5.8, 6.2);
        hook.cubicTo(5.8, 3.4, 10.4, 3.4, 10.4, 6.2);
        hook.cubicTo(10.4, 8.0, 8, 8.0, 8, 9.8);
        p.drawPath(hook);
        p.setBrush(ink);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(8, 12), 0.95, 0.95);
        break;
    }
    case ButtonPicture::Close:
        pen.setWidthF(2);
        p.setPen(pen);
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    case ButtonPicture::Comment: {
        QPainterPath page;
        page.moveTo(3.5, 1.5);
        page.lineTo(10, 1.5);
        page.lineTo(12.5, 4);
        page.lineTo(12.5, 14.5);
        page.lineTo(3.5, 14.5);
        page.closeSubpath();
        p.drawPath(page);
        for (double y : {6.0, 8.5, 11.0})
            p.drawLine(QPointF(5.5, y), QPointF(10.5, y));
        break;
    }
    }
}

} // namespace

PictureButton::PictureButton(ButtonPicture picture, const QString &text, QWidget *parent)
    : QPushButton(text, parent)
    , m_picture(picture)
{
    drawFaces();
}

QIcon PictureButton::pictureIcon(ButtonPicture picture, const QColor &ink)
{
    QIcon icon;
    for (int ratio : {1, 2, 3}) {
        for (int side : {16, 24}) {
            QPixmap pixmap(side * ratio, side * ratio);
            pixmap.setDevicePixelRatio(ratio);
            pixmap.fill(Qt::transparent);
            QPainter p(&pixmap);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(side / 16.0, side / 16.0);
            drawPicture(p, picture, ink);
            p.end();
            icon.addPixmap(pixmap);
        }
    }
    return icon;
}

void PictureButton::setLit(bool lit)
{
    m_lit = lit;
    setIcon(lit ? m_lighted : m_resting);
}

void PictureButton::drawFaces()
{
    m_resting = pictureIcon(m_picture, palette().color(QPalette::ButtonText));
    m_lighted = pictureIcon(m_picture, palette().color(QPalette::Highlight));
    setLit(m_lit);
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
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        drawFaces();
    QPushButton::changeEvent(event);
}

} // namespace lumenar
