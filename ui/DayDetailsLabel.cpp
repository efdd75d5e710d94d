// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DayDetailsLabel.h"

#include "engine/YearCalendar.h"

namespace lumenar {

DayDetailsLabel::DayDetailsLabel(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("DayDetails"));
    setAccessibleName(QStringLiteral("Details of the day"));
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
}

void DayDetailsLabel::showDay(const YearCalendar *year, const QDate &date)
{
    const std::optional<DayDetails> details = year ? year->details(date) : std::nullopt;
    m_line = details ? dayDetailsLine(*details) : QString();
    // Only the blank after each separator may break.
    QStringList parts = m_line.split(QStringLiteral(" · "));
    for (QString &part : parts)
        part.replace(u' ', QChar::Nbsp);
    setText(parts.join(QStringLiteral("\u00a0· ")));
}

} // namespace lumenar
