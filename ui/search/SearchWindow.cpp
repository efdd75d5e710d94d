// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/search/SearchWindow.h"

#include "engine/DateText.h"
#include "store/Log.h"
#include "ui/PictureButton.h"
#include "ui/WindowHost.h"
#include "ui/WindowRole.h"
#include "ui/search/SearchResultModel.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QShortcut>
#include <QTreeView>

namespace lumenar {

namespace {

// The results follow each keystroke in the text box. QTreeView reports every new current
// row to screen readers as focused, which pulls their attention from the text being typed;
// only the list that has the keys speaks its rows.
class ResultList : public QTreeView
{
public:
    using QTreeView::QTreeView;

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override
    {
        if (hasFocus()) {
            QTreeView::currentChanged(current, previous);
            return;
        }
        QAbstractItemView::currentChanged(current, previous);
        viewport()->update(); // the whole-row focus frame moves with the row
    }

    void focusInEvent(QFocusEvent *event) override
    {
        QTreeView::focusInEvent(event);
        // The list is announced after this handler; its current row after that.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (hasFocus())
                    announceFocusedCell(this, currentIndex());
            },
            Qt::QueuedConnection);
    }
};

} // namespace

SearchWindow::SearchWindow(WindowHost &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
    , m_text(new QLineEdit(this))
    , m_list(new ResultList(this))
    , m_count(new QLabel(this))
    , m_year(new QLineEdit(this))
    , m_comment(new PictureButton(Glyph::Comment, QStringLiteral(" Co&mment"), this))
    , m_help(new PictureButton(Glyph::Help, QStringLiteral("Help"), this))
    , m_close(new PictureButton(Glyph::Close, QStringLiteral(" &Close"), this))
    , m_model(new SearchResultModel(this))
{
    exposeWindowsAsWindows();
    setWindowTitle(QStringLiteral("Search"));
    setObjectName(QStringLiteral("frmSearch"));

    auto *typeLabel = new QLabel(QStringLiteral("&1. Type the word(s) you want to find:"), this);
    typeLabel->setObjectName(QStringLiteral("Label1"));
    typeLabel->setBuddy(m_text);
    m_text->setObjectName(QStringLiteral("cmbSearch"));
    m_text->setAccessibleName(QStringLiteral("Word(s) to find"));
    m_text->setClearButtonEnabled(true);
    m_text->setToolTip(QStringLiteral("Finds names that begin with the text or have it at the start of a word.\n"
                                      "* stands for any run of letters, ? for one letter."));
    m_text->installEventFilter(this);

    auto *resultLabel = new QLabel(QStringLiteral("&2. Search result:"), this);
    resultLabel->setObjectName(QStringLiteral("Label2"));
    resultLabel->setBuddy(m_list);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setAccessibleName(QStringLiteral("Search result"));
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setHeaderHidden(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(SearchResultModel::NameColumn, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(SearchResultModel::DateColumn, QHeaderView::Fixed);
    m_list->installEventFilter(this);
    sizeDateColumn();
    m_count->setObjectName(QStringLiteral("Count"));
    m_count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto *yearLabel = new QLabel(QStringLiteral("Search in the year:"), this);
    yearLabel->setObjectName(QStringLiteral("Label3"));
    yearLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    yearLabel->setBuddy(m_year);
    m_year->setObjectName(QStringLiteral("Combo1"));
    m_year->setAccessibleName(QStringLiteral("Search in the year"));
    m_year->setReadOnly(true);
    m_year->setFocusPolicy(Qt::NoFocus);
    m_year->setAlignment(Qt::AlignCenter);
    m_year->setBackgroundRole(QPalette::Button);
    QPalette yearPalette = m_year->palette();
    yearPalette.setColor(QPalette::Base, yearPalette.color(QPalette::Button));
    yearPalette.setColor(QPalette::Text, yearPalette.color(QPalette::ButtonText));
    m_year->setPalette(yearPalette);
    if (const auto &shown = m_context.shownCalendar())
        m_year->setText(QString::number(shown->year()));

    m_comment->setObjectName(QStringLiteral("cmd_Comment"));
    m_comment->setToolTip(QStringLiteral("Show the selected celebration's commentary (Enter)"));
    m_help->setObjectName(QStringLiteral("cmd_Help"));
    m_help->setToolTip(QStringLiteral("Help on searching (F1)"));
    m_close->setObjectName(QStringLiteral("cmd_Close"));
    m_close->setToolTip(QStringLiteral("Close the search; it starts empty next time"));
    for (PictureButton *button : {m_comment, m_help, m_close})
        button->setAutoDefault(false);

    // Two columns: the search on the left, the year and the buttons against the right margin.
    const int margin = style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    auto *left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->addWidget(typeLabel);
    left->addWidget(m_text);
    left->addSpacing(margin / 2);
    auto *resultLine = new QHBoxLayout;
    resultLine->addWidget(resultLabel);
    resultLine->addStretch(1);
    resultLine->addWidget(m_count);
    left->addLayout(resultLine);
    left->addWidget(m_list, 1);

    const int column = std::max({yearLabel->sizeHint().width(), m_comment->sizeHint().width(),
        m_close->sizeHint().width(), fontMetrics().horizontalAdvance(QStringLiteral("0000")) * 3});
    auto *right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(yearLabel);
    right->addWidget(m_year);
    right->addSpacing(typeLabel->sizeHint().height());
    for (QWidget *w : std::initializer_list<QWidget *>{m_year, m_comment, m_help, m_close})
        w->setFixedWidth(column);
    right->addWidget(m_comment);
    right->addWidget(m_help);
    right->addWidget(m_close);
    right->addStretch(1);

    auto *root = new QHBoxLayout(this);
    root->setContentsMargins(margin, margin, margin, margin);
    root->setSpacing(margin);
    root->addLayout(left, 1);
    root->addLayout(right);

    setTabOrder(m_text, m_list);
    setTabOrder(m_list, m_comment);
    setTabOrder(m_comment, m_help);
    setTabOrder(m_help, m_close);

    connect(m_text, &QLineEdit::textChanged, this, &SearchWindow::search);
    connect(m_list, &QAbstractItemView::doubleClicked, this, &SearchWindow::openSelected);
    connect(m_comment, &QPushButton::clicked, this, &SearchWindow::openSelected);
    connect(m_help, &QPushButton::clicked, this, [this] {
        m_text->setFocus();
        m_context.showHelp(QStringLiteral("search"));
    });
    connect(m_close, &QPushButton::clicked, this, [this] { m_context.unloadSearchWindow(); });
    auto *help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { m_context.showHelp(QStringLiteral("search")); });

    resize(620, 420);
    AnulezImg();
}

void SearchWindow::showSearch()
{
    if (!m_placed) {
        // Over the window it was called from, else mid-screen, and wholly on that screen.
        const QWidget *caller = QApplication::activeWindow();
        if (caller == this)
            caller = nullptr;
        QScreen *screen = caller ? caller->screen() : QGuiApplication::primaryScreen();
        if (screen) {
            const QRect available = screen->availableGeometry();
            QRect frame(QPoint(), frameGeometry().size());
            frame.moveCenter(caller ? caller->frameGeometry().center() : available.center());
            frame.moveLeft(std::clamp(
                frame.left(), available.left(), std::max(available.left(), available.right() - frame.width())));
            frame.moveTop(std::clamp(
                frame.top(), available.top(), std::max(available.top(), available.bottom() - frame.height())));
            move(frame.topLeft());
        }
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
    m_text->setFocus();
}

const CelebrationSearch &SearchWindow::rows()
{
    const std::shared_ptr<const YearCalendar> &shown = m_context.shownCalendar();
    if (shown != m_rowsYear) {
        m_rows = shown ? CelebrationSearch(shown->rows()) : CelebrationSearch();
        m_dateTexts.clear();
        m_dateTexts.reserve(m_rows.entries().size());
        for (const SearchEntry &entry : m_rows.entries())
            m_dateTexts.push_back(listDateText(entry.weekday, entry.date));
        m_rowsYear = shown;
    }
    return m_rows;
}

void SearchWindow::search(const QString &text)
{
    if (text.isEmpty()) {
        m_model->clear();
        showCount();
        return;
    }
    try {
        const CelebrationSearch &year = rows();
        m_model->setResults(year, m_dateTexts, year.find(text));
    } catch (const std::exception &error) {
        logCaught("SearchWindow::search", error);
        m_model->clear();
        showCount();
        m_context.dialogs().operationError(this, QStringLiteral("Search"));
        return;
    }
    if (m_model->rowCount() > 0)
        m_list->setCurrentIndex(m_model->index(0, 0));
    showCount();
}

void SearchWindow::showCount()
{
    const QString count = m_text->text().isEmpty() ? QString() : m_model->countText();
    m_count->setText(count);
    // The keys stay in the text: a screen reader reads a change of its description.
    if (m_text->accessibleDescription() != count)
        m_text->setAccessibleDescription(count);
}

void SearchWindow::openSelected()
{
    const QModelIndex current = m_list->currentIndex();
    if (!current.isValid())
        return;
    // By the row's own number: two celebrations of one name each open their own.
    m_context.currentEventId = m_model->idAt(current.row());
    m_context.showDetail();
}

void SearchWindow::AnulezImg()
{
    for (PictureButton *button : {m_comment, m_help, m_close})
        button->setLit(false);
}

void SearchWindow::sizeDateColumn()
{
    const int widest = m_list->fontMetrics().horizontalAdvance(QStringLiteral("Wed, May-30"));
    m_list->header()->resizeSection(
        SearchResultModel::DateColumn, widest + 3 * m_list->fontMetrics().averageCharWidth());
}

bool SearchWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) {
        m_text->setFocus();
        AnulezImg();
    }
    return QWidget::event(event);
}

bool SearchWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == m_list && enter) {
        openSelected();
        return true;
    }
    if (watched == m_text && enter && m_model->rowCount() > 0) {
        openSelected();
        return true;
    }
    // Down from the text walks into the results.
    if (watched == m_text && key == Qt::Key_Down && m_model->rowCount() > 0) {
        m_list->setFocus();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SearchWindow::keyPressEvent(QKeyEvent *event)
{
    // Escape only hides: the text and the results are there when the window comes back.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SearchWindow::closeEvent(QCloseEvent *event)
{
    // The title bar's close does what " Close" does.
    event->accept();
    m_context.unloadSearchWindow();
}

void SearchWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        sizeDateColumn();
    QWidget::changeEvent(event);
}

} // namespace lumenar
