// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Variant.h"

#include <QWidget>
#include <array>

class QAction;
class QComboBox;
class QMenu;
class QPushButton;
class QToolButton;

namespace lumenar {

class DayDetailsLabel;
class WindowHost;
class PictureButton;
class YearBox;
class YearListModel;
class YearListView;

// The year's list with the choice of year and calendar.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    explicit MainWindow(WindowHost &context, QWidget *parent = nullptr);
    ~MainWindow() override;

    int shownYear() const { return m_shownYear; }
    const YearListModel &listModel() const { return *m_model; }

    // Lists the shown year of the calendar in use, assembling it on first use.
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

    // What the controls do, callable without them.
    void applyYearBox();
    void chooseVariant(Variant variant);
    void goToToday();
    void openRow(int row);
    void openComment();
    void openSearch();
    void copyRow(int row);
    void exportYear();

    static QString variantEntry(Variant variant);
    // Draws the list again in the desktop's colours and the chosen contrast.
    void applyListColours();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    // Assembles the shown year unless the table holds it, reloads the list and marks today.
    void loadShownYear();
    void buildListMenu();
    void sizeColumns();
    void markRow(int row);
    void showDayDetails(int row);
    void onCurrentChanged(const QModelIndex &current);
    void onYearStepped();
    void onFocusChanged(QWidget *old, QWidget *now);
    void updatePending();
    void dropPendingYear();
    bool isYearControl(const QWidget *widget) const;
    void showVariant(Variant variant);
    void hideByUser();
    void reportMissingDay(const QDate &day);

    WindowHost &m_context;
    int m_shownYear = 0;
    Variant m_shownVariant = Variant::Universal;
    bool m_busy = false;
    bool m_movingCurrent = false;

    QComboBox *m_variantBox = nullptr;
    QPushButton *m_showButton = nullptr;
    YearBox *m_yearBox = nullptr;
    QToolButton *m_menuButton = nullptr;
    std::array<PictureButton *, 4> m_buttons{};
    YearListView *m_grid = nullptr;
    YearListModel *m_model = nullptr;
    DayDetailsLabel *m_dayLine = nullptr; // the marked day's season, cycles and psalter week
    QMenu *m_listMenu = nullptr;
    QAction *m_todayAction = nullptr;
};

} // namespace lumenar
