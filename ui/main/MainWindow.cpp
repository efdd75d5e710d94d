// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/MainWindow.h"

#include "engine/DateText.h"
#include "engine/YearExport.h"
#include "store/Log.h"
#include "store/Settings.h"
#include "ui/DayDetailsLabel.h"
#include "ui/PictureButton.h"
#include "ui/WaitCursor.h"
#include "ui/WindowHost.h"
#include "ui/WindowPlacement.h"
#include "ui/WindowRole.h"
#include "ui/main/EqualRowLayout.h"
#include "ui/main/YearBox.h"
#include "ui/main/YearListModel.h"
#include "ui/main/YearListView.h"
#include "ui/main/YearText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QSaveFile>
#include <QScopedValueRollback>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>

namespace lumenar {

namespace {

// The date column is as wide as its heading with six blanks either side.
const QString kDateColumnSample = QStringLiteral("      Event Date      ");

// Entries of the variant chooser, in this order.
constexpr int kUsaEntry = 0;
constexpr int kUniversalEntry = 1;

} // namespace

MainWindow::MainWindow(WindowHost &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
{
    exposeWindowsAsWindows();
    setWindowTitle(QStringLiteral("Lumenar"));
    buildControls();
    buildListMenu();

    m_shownYear = m_context.clock().today().year();
    m_yearBox->setYear(m_shownYear);
    m_yearBox->setFallbackYear(m_shownYear);
    showVariant(m_context.variant());

    const QFontMetrics fm(font());
    resize(fm.averageCharWidth() * 72, fm.height() * 36);
    applyPositions();
    loadShownYear();

    connect(qApp, &QApplication::focusChanged, this, &MainWindow::onFocusChanged);
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    // QWidget's destructor still hides the window, which moves the focus: by then this
    // part of the object is gone, so the slot must be too.
    disconnect(qApp, &QApplication::focusChanged, this, &MainWindow::onFocusChanged);
}

QString MainWindow::variantEntry(Variant variant)
{
    return variant == Variant::Universal ? QStringLiteral("The Universal Lumenar") : QStringLiteral("The USA Lumenar");
}

void MainWindow::buildControls()
{
    m_variantBox = new QComboBox(this);
    m_variantBox->setObjectName(QStringLiteral("Combo1"));
    m_variantBox->insertItem(kUsaEntry, variantEntry(Variant::Usa));
    m_variantBox->insertItem(kUniversalEntry, variantEntry(Variant::Universal));
    m_variantBox->setAccessibleName(QStringLiteral("Calendar"));
    m_variantBox->setToolTip(QStringLiteral("The calendar the list follows"));
    connect(m_variantBox, &QComboBox::activated, this,
        [this](int entry) { chooseVariant(entry == kUniversalEntry ? Variant::Universal : Variant::Usa); });

    m_showButton = new QPushButton(QStringLiteral("Show the &year: "), this);
    m_showButton->setObjectName(QStringLiteral("Label1"));
    m_showButton->setAutoDefault(false);
    m_showButton->setToolTip(QStringLiteral("Show the year written in the year box (Enter)"));
    connect(m_showButton, &QPushButton::clicked, this, &MainWindow::applyYearBox);

    m_yearBox = new YearBox(this);
    m_yearBox->setObjectName(QStringLiteral("Text1"));
    m_yearBox->setAccessibleName(QStringLiteral("Year"));
    m_yearBox->setToolTip(QStringLiteral("A year from 1583 to 4900; the arrows step by 1, by 10 with Shift held"));
    connect(m_yearBox, &YearBox::stepped, this, &MainWindow::onYearStepped);
    // After the arrows or the wheel, Enter or Space applies the year; typed steps keep the caret.
    connect(m_yearBox, &YearBox::pointerStepsEnded, this, [this] { m_showButton->setFocus(Qt::OtherFocusReason); });
    connect(m_yearBox, &YearBox::applyRequested, this, &MainWindow::applyYearBox);
    connect(m_yearBox, &YearBox::yearTextChanged, this, &MainWindow::updatePending);

    m_menuButton = new QToolButton(this);
    m_menuButton->setObjectName(QStringLiteral("MenuButton"));
    m_menuButton->setAccessibleName(QStringLiteral("Menu"));
    m_menuButton->setToolTip(QStringLiteral("The commands of the Lumenar tray icon"));
    m_menuButton->setAutoRaise(true);
    connect(m_menuButton, &QToolButton::clicked, this, [this] {
        if (QMenu *menu = m_context.commandMenu())
            menu->popup(m_menuButton->mapToGlobal(QPoint(0, m_menuButton->height())));
    });

    const struct
    {
        Glyph glyph;
        const char *text;
        const char *name;
        void (MainWindow::*action)();
    } buttons[] = {
        {Glyph::Comment, " Co&mment", "Command1", &MainWindow::openComment},
        {Glyph::Search, " &Search", "Command2", &MainWindow::openSearch},
        {Glyph::Help, "&Help", "Command3", nullptr},
        {Glyph::Close, " &Close", "Command4", &MainWindow::hideByUser},
    };
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        auto *button = new PictureButton(buttons[i].glyph, QString::fromLatin1(buttons[i].text), this);
        button->setObjectName(QString::fromLatin1(buttons[i].name));
        if (auto action = buttons[i].action)
            connect(button, &QPushButton::clicked, this, action);
        m_buttons[i] = button;
    }
    connect(m_buttons[2], &QPushButton::clicked, this, [this] { m_context.showHelp(QStringLiteral("main")); });
    m_buttons[0]->setToolTip(QStringLiteral("The commentary of the marked celebration"));
    m_buttons[1]->setToolTip(QStringLiteral("Find celebrations of the shown year by name"));
    m_buttons[2]->setToolTip(QStringLiteral("How to use this window"));
    m_buttons[3]->setToolTip(QStringLiteral("Hide the window (Esc)"));

    m_model = new YearListModel(this);
    m_grid = new YearListView(this);
    m_grid->setObjectName(QStringLiteral("Grid"));
    m_grid->setAccessibleName(QStringLiteral("Celebrations of the year"));
    m_grid->setYearModel(m_model);
    m_grid->horizontalHeader()->setSectionResizeMode(YearListModel::NameColumn, QHeaderView::Stretch);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this, &MainWindow::onCurrentChanged);
    connect(m_grid, &YearListView::rowOpened, this, &MainWindow::openRow);

    m_dayLine = new DayDetailsLabel(this);

    // The same gap between the controls and at the window's edges, so the four buttons
    // stand at equal distances from each other and from both sides.
    const int gap = std::max(6, style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing));
    auto *yearPair = new QHBoxLayout; // "Show the year: " touches its box
    yearPair->setSpacing(0);
    yearPair->addWidget(m_showButton);
    yearPair->addWidget(m_yearBox);
    auto *top = new QHBoxLayout;
    top->setSpacing(gap);
    top->addWidget(m_variantBox);
    top->addStretch(1);
    top->addLayout(yearPair);
    top->addWidget(m_menuButton);
    auto *row = new EqualRowLayout;
    row->setSpacing(gap);
    for (PictureButton *button : m_buttons)
        row->addWidget(button);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(gap, gap, gap, gap);
    outer->setSpacing(gap);
    outer->addLayout(top);
    outer->addLayout(row);
    outer->addWidget(m_grid, 1);
    outer->addWidget(m_dayLine);

    setTabOrder(m_variantBox, m_showButton);
    setTabOrder(m_showButton, m_yearBox);
    setTabOrder(m_yearBox, m_menuButton);
    setTabOrder(m_menuButton, m_buttons[0]);
    for (std::size_t i = 1; i < m_buttons.size(); ++i)
        setTabOrder(m_buttons[i - 1], m_buttons[i]);
    setTabOrder(m_buttons.back(), m_grid);
    m_grid->setFocus();

    auto *help = new QAction(this);
    help->setShortcut(QKeySequence::HelpContents);
    connect(help, &QAction::triggered, this, [this] { m_context.showHelp(QStringLiteral("main")); });
    addAction(help);

    auto *escape = new QAction(this);
    escape->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(escape, &QAction::triggered, this, &MainWindow::hideByUser);
    addAction(escape);

    m_menuButton->setIcon(glyphIcon(Glyph::Menu, palette().color(QPalette::ButtonText)));
    applyListColours();
    sizeColumns();
}

void MainWindow::buildListMenu()
{
    m_listMenu = new QMenu(this);
    QAction *open = m_listMenu->addAction(QStringLiteral("Open comment"));
    open->setShortcut(QKeySequence(Qt::Key_Return));
    connect(open, &QAction::triggered, this, [this] {
        if (m_grid->currentIndex().isValid())
            openRow(m_grid->currentIndex().row());
    });
    QAction *copy = m_listMenu->addAction(QStringLiteral("Copy"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, [this] {
        if (m_grid->currentIndex().isValid())
            copyRow(m_grid->currentIndex().row());
    });
    m_grid->addAction(copy);
    QAction *exportIcs = m_listMenu->addAction(QStringLiteral("Export the year to iCalendar…"));
    connect(exportIcs, &QAction::triggered, this, &MainWindow::exportYear);
    m_listMenu->addSeparator();
    m_todayAction = m_listMenu->addAction(QStringLiteral("Go to today"));
    m_todayAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    connect(m_todayAction, &QAction::triggered, this, &MainWindow::goToToday);
    addAction(m_todayAction);
    connect(m_grid, &YearListView::menuRequested, this, [this](const QPoint &at) { m_listMenu->popup(at); });
}

void MainWindow::applyListColours()
{
    const ListColours colours = listColoursFor(palette(), highContrastSetting());
    m_model->setColours(colours);
    if (!colours.ownSurface) {
        m_grid->setPalette(QPalette());
    } else {
        // A light island in a dark window: the surfaces, the ink and the grid lines.
        QPalette light = m_grid->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            light.setColor(group, QPalette::Base, colours.face);
            light.setColor(group, QPalette::Window, colours.face);
            light.setColor(group, QPalette::Button, colours.face);
            light.setColor(group, QPalette::Text, colours.text);
            light.setColor(group, QPalette::WindowText, colours.text);
            light.setColor(group, QPalette::ButtonText, colours.text);
            light.setColor(group, QPalette::Mid, QColor(0xb8, 0xb6, 0xb0));
            light.setColor(group, QPalette::Midlight, QColor(0xd8, 0xd6, 0xd0));
            light.setColor(group, QPalette::Dark, QColor(0x90, 0x8e, 0x88));
            light.setColor(group, QPalette::Shadow, QColor(0x60, 0x5e, 0x58));
        }
        m_grid->setPalette(light);
    }
}

void MainWindow::sizeColumns()
{
    const QFontMetrics fm(m_grid->font());
    m_grid->setColumnWidth(YearListModel::DateColumn, fm.horizontalAdvance(kDateColumnSample));
    m_grid->verticalHeader()->setDefaultSectionSize(fm.height() + std::max(4, fm.height() / 3));
}

void MainWindow::InitGrid()
{
    try {
        WaitCursor wait;
        const std::shared_ptr<const YearCalendar> year = m_context.calendar(m_context.variant(), m_shownYear);
        {
            QScopedValueRollback guard(m_movingCurrent, true);
            m_model->setRows(year->rows(), year.get());
        }
        m_context.setShownCalendar(year);
        m_shownVariant = year->variant();
        m_grid->mergeDays();
    } catch (const std::exception &error) {
        logCaught("MainWindow::InitGrid", error);
        m_context.dialogs().operationError(this, QStringLiteral("InitGrid"));
    }
}

void MainWindow::AfisezDataCurenta(int year)
{
    if (m_busy)
        return;
    const QDate day = sameDayInYear(m_context.clock().today(), year);
    m_context.currentDate = day;
    const int row = m_model->firstRowOf(day);
    if (row < 0) {
        m_context.currentEventId = 0;
        m_model->clearMark();
        showDayDetails(-1);
        // An empty list or another year has been reported already by whatever left it so.
        if (m_model->rowCount() > 0 && m_model->row(0).date.year() == year)
            reportMissingDay(day);
        return;
    }
    m_context.currentEventId = m_model->row(row).id;
    markRow(row);
    m_grid->scrollToFourth(row);

    // What a change of calendar brings, said while the keys stay in the chooser.
    QStringList names;
    for (int r = row, end = row + m_model->dayLength(row); r < end; ++r)
        names << m_model->row(r).name;
    m_variantBox->setAccessibleDescription(
        QStringLiteral("%1: %2").arg(longDateText(day), names.join(QStringLiteral("; "))));
}

void MainWindow::reportMissingDay(const QDate &day)
{
    m_context.dialogs().message(this, QMessageBox::Warning, QStringLiteral("Lumenar"),
        QStringLiteral("The %1 calendar lists no celebration on %2, so no day is marked.\n"
                       "The calendar database may be damaged; please contact technical service.")
            .arg(displayName(m_shownVariant), longDateText(day)));
}

void MainWindow::showDayDetails(int row)
{
    const bool inList = row >= 0 && row < m_model->rowCount();
    m_dayLine->showDay(m_context.shownCalendar().get(), inList ? m_model->row(row).date : QDate());
}

void MainWindow::markRow(int row)
{
    showDayDetails(row);
    m_model->setMark(m_model->dayStart(row), row);
    const QModelIndex cell = m_grid->nameCell(row);
    if (m_grid->currentIndex() != cell) {
        QScopedValueRollback guard(m_movingCurrent, true);
        m_grid->setCurrentIndex(cell);
    }
}

void MainWindow::onCurrentChanged(const QModelIndex &current)
{
    if (m_movingCurrent || !current.isValid())
        return;
    const Celebration &c = m_model->row(current.row());
    m_context.currentEventId = c.id;
    m_context.currentDate = c.date;
    markRow(current.row());
}

void MainWindow::refreshAfterDayChange()
{
    dropPendingYear();
    loadShownYear();
}

void MainWindow::loadShownYear()
{
    try {
        WaitCursor wait;
        m_context.calendar(m_context.variant(), m_shownYear);
    } catch (const std::exception &error) {
        logCaught("MainWindow::loadShownYear", error);
        m_context.dialogs().operationError(this, QStringLiteral("InitGrid"));
    }
    InitGrid();
    AfisezDataCurenta(m_shownYear);
}

void MainWindow::applyYearBox()
{
    if (m_busy) {
        m_yearBox->setYear(m_shownYear);
        return;
    }
    m_context.unloadSearchWindow();
    m_context.unloadDetailWindow();
    m_yearBox->setShiftDown(false);

    const std::optional<int> year = yearFromText(m_yearBox->yearText());
    if (!year) {
        m_context.dialogs().message(this, QMessageBox::Information, yearRangeTitle(), yearRangeMessage());
        dropPendingYear();
        return;
    }
    if (*year != m_shownYear) {
        QScopedValueRollback busy(m_busy, true);
        try {
            WaitCursor wait;
            m_context.calendar(m_context.variant(), *year);
        } catch (const std::exception &error) {
            logCaught("MainWindow::applyYearBox", error);
            dropPendingYear();
            m_busy = false;
            m_context.dialogs().operationError(this, QStringLiteral("Label1Click"));
            return;
        }
        m_shownYear = *year;
        m_yearBox->setFallbackYear(m_shownYear);
        InitGrid();
    }
    updatePending();
    AfisezDataCurenta(m_shownYear);
    // Shown: the list takes the keys, and a screen reader reads the marked day of that year.
    if (isActiveWindow() && isYearControl(QApplication::focusWidget()))
        m_grid->setFocus(Qt::OtherFocusReason);
}

void MainWindow::chooseVariant(Variant variant)
{
    dropPendingYear();
    if (variant == m_context.variant() && variant == m_shownVariant) {
        showVariant(variant);
        return;
    }
    m_context.unloadSearchWindow();
    m_context.unloadDetailWindow();
    const Variant previous = m_context.variant();
    m_context.setVariant(variant);
    try {
        WaitCursor wait;
        m_context.calendar(variant, m_shownYear);
    } catch (const std::exception &error) {
        logCaught("MainWindow::chooseVariant", error);
        m_context.setVariant(previous);
        showVariant(previous);
        m_context.dialogs().operationError(this, QStringLiteral("Combo1Click"));
        return;
    }
    Settings().setValue(Settings::Key::Variant, settingForVariant(variant));
    showVariant(variant);
    InitGrid();
    AfisezDataCurenta(m_shownYear);
    m_context.variantChosen();
}

void MainWindow::showVariant(Variant variant)
{
    m_variantBox->setCurrentIndex(variant == Variant::Universal ? kUniversalEntry : kUsaEntry);
}

void MainWindow::goToToday()
{
    const int year = m_context.clock().today().year();
    if (year == m_shownYear && m_context.variant() == m_shownVariant) {
        dropPendingYear();
        AfisezDataCurenta(m_shownYear);
    } else {
        m_yearBox->setYear(year);
        applyYearBox();
    }
    // Asked for today: the list takes the keys, and a screen reader reads today's row.
    if (isActiveWindow())
        m_grid->setFocus(Qt::ShortcutFocusReason);
}

void MainWindow::openRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    m_context.currentEventId = m_model->row(row).id;
    m_context.showDetail();
}

void MainWindow::openComment()
{
    m_context.showDetail();
}

void MainWindow::openSearch()
{
    m_context.showSearch();
}

void MainWindow::copyRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const Celebration &c = m_model->row(row);
    QGuiApplication::clipboard()->setText(longDateText(c.date) + QStringLiteral(": ") + c.name);
}

void MainWindow::exportYear()
{
    const std::shared_ptr<const YearCalendar> shown = m_context.shownCalendar();
    if (m_model->rowCount() == 0 || !shown)
        return;
    const Variant variant = m_shownVariant;
    const int year = m_model->row(0).date.year();
    const QString suggested = QDir(Dialogs::documentsFolder())
                                  .filePath(QStringLiteral("Lumenar %1 %2.ics").arg(displayName(variant)).arg(year));
    QString path = m_context.dialogs().saveFileName(this, QStringLiteral("Export the year to iCalendar"), suggested,
        QStringLiteral("iCalendar files (*.ics);;All files (*)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".ics");

    const QByteArray bytes = toICalendar(*shown, m_model->rows(), m_context.clock().now()).toUtf8();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        m_context.dialogs().message(this, QMessageBox::Warning, QStringLiteral("Export the year to iCalendar"),
            QStringLiteral("The year could not be written to %1:\n%2")
                .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
}

void MainWindow::onYearStepped()
{
    m_context.unloadSearchWindow();
    m_context.unloadDetailWindow();
    updatePending();
}

void MainWindow::updatePending()
{
    const bool pending = m_yearBox->yearText().trimmed() != QString::number(m_shownYear);
    QFont font = m_showButton->font();
    font.setBold(pending);
    m_showButton->setFont(font);
    // What the bold button shows, for those who do not see it.
    const QString state = pending ? QStringLiteral("Not shown yet: Enter shows this year") : QString();
    if (m_yearBox->accessibleDescription() != state) {
        m_yearBox->setAccessibleDescription(state);
        m_showButton->setAccessibleDescription(state);
    }
}

void MainWindow::dropPendingYear()
{
    m_yearBox->setYear(m_shownYear);
    m_yearBox->setShiftDown(false);
    updatePending();
}

bool MainWindow::isYearControl(const QWidget *widget) const
{
    return widget && (widget == m_showButton || widget == m_yearBox || m_yearBox->isAncestorOf(widget));
}

void MainWindow::onFocusChanged(QWidget *old, QWidget *now)
{
    // The year waits only while the year box or its button has the focus; a move to any
    // other control of this window drops it. Leaving the window keeps it.
    if (isYearControl(old) && now && !isYearControl(now) && now->window() == this)
        dropPendingYear();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A push button outside a dialog takes only Space; Enter is what a user tries first.
    if (watched == m_showButton && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            m_showButton->click();
            return true;
        }
    }
    // Shift anywhere in the window changes the spinner's step.
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Shift) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->window() == this)
            m_yearBox->setShiftDown(event->type() == QEvent::KeyPress);
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ActivationChange:
        if (isActiveWindow()) {
            m_context.requestDayCheck();
            if (m_grid->currentIndex().isValid())
                m_context.currentEventId = m_model->row(m_grid->currentIndex().row()).id;
        } else {
            storePosition();
            m_yearBox->setShiftDown(false);
        }
        break;
    case QEvent::PaletteChange:
        applyListColours();
        m_menuButton->setIcon(glyphIcon(Glyph::Menu, palette().color(QPalette::ButtonText)));
        break;
    case QEvent::FontChange:
        sizeColumns();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void MainWindow::hideByUser()
{
    storePosition();
    hide();
    m_context.mainWindowClosedByUser();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    storePosition();
    event->accept();
    m_context.mainWindowClosedByUser();
}

void MainWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (isVisible())
        storePosition();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (isVisible())
        storePosition();
}

void MainWindow::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // The shell answers after this paint has returned: a new day rebuilds the list.
    m_context.requestDayCheck();
}

void MainWindow::showEvent(QShowEvent *event)
{
    m_menuButton->setVisible(m_context.commandMenu() != nullptr);
    for (PictureButton *button : m_buttons)
        button->rest();
    QWidget::showEvent(event);
}

void MainWindow::showWindow()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void MainWindow::storePosition()
{
    recordWindow(this, m_context.positions, xMain);
}

void MainWindow::applyPositions()
{
    placeWindow(this, m_context.positions, xMain);
}

} // namespace lumenar
