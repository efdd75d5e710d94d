// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/YearBox.h"

#include "ui/main/YearText.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyleOptionSpinBox>
#include <utility>

namespace lumenar {

YearBox::YearBox(QWidget *parent)
    : QAbstractSpinBox(parent)
{
    setAccelerated(true);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lineEdit()->setMaxLength(6);
    connect(lineEdit(), &QLineEdit::textChanged, this, &YearBox::yearTextChanged);
}

QString YearBox::yearText() const
{
    return lineEdit()->text();
}

void YearBox::setYearText(const QString &text)
{
    lineEdit()->setText(text);
}

void YearBox::setYear(int year)
{
    setYearText(QString::number(year));
}

void YearBox::setShiftDown(bool down)
{
    m_shiftDown = down;
}

int YearBox::currentYear() const
{
    return yearFromText(yearText()).value_or(m_fallbackYear);
}

int YearBox::value() const
{
    return currentYear();
}

void YearBox::setValue(int year)
{
    moveTo(std::clamp(year, kFirstYear, kLastYear));
}

int YearBox::minimum() const
{
    return kFirstYear;
}

int YearBox::maximum() const
{
    return kLastYear;
}

void YearBox::stepBy(int steps)
{
    if (!moveTo(std::clamp(currentYear() + steps * increment(), kFirstYear, kLastYear)) || m_keyStep)
        return;
    if (m_mouseHeld)
        m_steppedWhileHeld = true;
    else
        emit pointerStepsEnded();
}

bool YearBox::moveTo(int year)
{
    if (year == currentYear() && yearFromText(yearText()))
        return false;
    setYear(year);
    lineEdit()->selectAll();
    // Every step is said, not only the first change of the text.
    QAccessibleValueChangeEvent changed(this, year);
    QAccessible::updateAccessibility(&changed);
    emit stepped();
    return true;
}

QAbstractSpinBox::StepEnabled YearBox::stepEnabled() const
{
    const int year = currentYear();
    StepEnabled enabled = StepNone;
    if (year < kLastYear)
        enabled |= StepUpEnabled;
    if (year > kFirstYear)
        enabled |= StepDownEnabled;
    return enabled;
}

void YearBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit applyRequested();
        return;
    }
    if (event->key() == Qt::Key_Shift)
        m_shiftDown = true;
    else if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)
        m_shiftDown = event->modifiers().testFlag(Qt::ShiftModifier);
    m_keyStep = true;
    QAbstractSpinBox::keyPressEvent(event);
    m_keyStep = false;
}

void YearBox::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Shift)
        m_shiftDown = false;
    QAbstractSpinBox::keyReleaseEvent(event);
}

void YearBox::mousePressEvent(QMouseEvent *event)
{
    m_shiftDown = event->modifiers().testFlag(Qt::ShiftModifier);
    m_mouseHeld = true;
    m_steppedWhileHeld = false;
    QAbstractSpinBox::mousePressEvent(event);
}

void YearBox::mouseReleaseEvent(QMouseEvent *event)
{
    QAbstractSpinBox::mouseReleaseEvent(event);
    m_mouseHeld = false;
    if (std::exchange(m_steppedWhileHeld, false))
        emit pointerStepsEnded();
}

QSize YearBox::sizeHint() const
{
    // Room for "4900" and a little more, plus the arrows.
    ensurePolished();
    const QFontMetrics fm(font());
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QSize text(fm.horizontalAdvance(QStringLiteral("88888")) + 4, lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
}

QSize YearBox::minimumSizeHint() const
{
    return sizeHint();
}

} // namespace lumenar
