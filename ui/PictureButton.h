// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPushButton>

namespace lumenar {

// The pictures of the windows' buttons, drawn by code so they stay sharp at any scale and
// take their colours from the theme.
enum class Glyph { Comment, Search, Help, Close, Menu, Print };
QIcon glyphIcon(Glyph glyph, const QColor &ink);

// A push button with a resting picture that lights up while the pointer is over it.
class PictureButton : public QPushButton
{
    Q_OBJECT
public:
    PictureButton(Glyph glyph, const QString &text, QWidget *parent = nullptr);

    bool isLit() const { return m_lit; }
    // Back to the resting picture (the pointer left for the window or another control).
    void rest() { setLit(false); }
    void setLit(bool lit);

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void makePictures();

    Glyph m_glyph;
    QIcon m_resting;
    QIcon m_litIcon;
    bool m_lit = false;
};

} // namespace lumenar
