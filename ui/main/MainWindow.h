#pragma once

#include <QWidget>

namespace lumenar {

class AppContext;

// The year's list with the choice of year and calendar.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    explicit MainWindow(AppContext &context, QWidget *parent = nullptr);

    int shownYear() const { return m_shownYear; }

    // Reloads the list from the year table of the calendar in use.
    void InitGrid();
    // Marks today's day and month in `year` and scrolls it into view.
    void AfisezDataCurenta(int year);
    // After a change of day the year table holds the new current year: shows the year this
    // window showed before, list and year box agreeing.
    void refreshAfterDayChange();

    // Shows, raises and activates the window (tray click, menu).
    void showWindow();
    // Copies the window's place into xMain … hMain (not while minimised).
    void storePosition();
    // Moves the window to xMain … hMain.
    void applyPositions();

private:
    AppContext &m_context;
    int m_shownYear = 0;
};

} // namespace lumenar
