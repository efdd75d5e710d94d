// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractSpinBox>

namespace lumenar {

// The year box with its spinner. Unlike a QSpinBox it takes any text, so a year outside
// the accepted range or a word reaches the window, which explains what is wrong instead
// of the box silently correcting it. The arrows step by 1, by 10 while Shift is held.
class YearBox : public QAbstractSpinBox
{
    Q_OBJECT
    // What assistive technology reads and sets as the box's value, within its range.
    Q_PROPERTY(int value READ value WRITE setValue)
    Q_PROPERTY(int minimum READ minimum CONSTANT)
    Q_PROPERTY(int maximum READ maximum CONSTANT)
    Q_PROPERTY(int stepSize READ increment)
public:
    explicit YearBox(QWidget *parent = nullptr);

    QString yearText() const;
    void setYearText(const QString &text);
    void setYear(int year);

    // The year in the box, or the year the arrows count from when the text is not one.
    int value() const;
    // Sets a year within the range, as a step does.
    void setValue(int year);
    int minimum() const;
    int maximum() const;

    // Shift held anywhere in the window: the window reports it, the box steps by 10.
    void setShiftDown(bool down);
    bool shiftDown() const { return m_shiftDown; }
    int increment() const { return m_shiftDown ? 10 : 1; }

    // The year the arrows count from when the text is not a year.
    void setFallbackYear(int year) { m_fallbackYear = year; }

    void stepBy(int steps) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // An arrow, a key or the wheel changed the year.
    void stepped();
    // Steps by the arrows or the wheel are over (the mouse button is up): the moment the
    // focus may leave the box. Moving it while an arrow is held would leave the box's
    // repeat timer running, and the box would then ignore its Up and Down keys.
    void pointerStepsEnded();
    // Enter in the box.
    void applyRequested();
    void yearTextChanged();

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int currentYear() const;
    // Puts `year` in the box as a step does; false when it was there already.
    bool moveTo(int year);

    bool m_shiftDown = false;
    bool m_keyStep = false;
    bool m_mouseHeld = false;
    bool m_steppedWhileHeld = false;
    int m_fallbackYear = 0;
};

} // namespace lumenar
