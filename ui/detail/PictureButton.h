#pragma once

#include <QIcon>
#include <QPushButton>

namespace lumenar {

// What a picture button's face shows.
enum class ButtonPicture { Print, Search, Help, Close, Comment };

// A push button whose picture lights up while the mouse is over it. The pictures are drawn
// from the palette, so they follow light and dark themes and stay sharp on any screen.
class PictureButton : public QPushButton
{
    Q_OBJECT
public:
    PictureButton(ButtonPicture picture, const QString &text, QWidget *parent = nullptr);

    bool isLit() const { return m_lit; }
    void setLit(bool lit);

    static QIcon pictureIcon(ButtonPicture picture, const QColor &ink);

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void drawFaces();

    ButtonPicture m_picture;
    bool m_lit = false;
    QIcon m_resting;
    QIcon m_lighted;
};

} // namespace lumenar
