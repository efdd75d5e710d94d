// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QWidget>

class QLabel;
class QTextBrowser;

namespace lumenar {

class DayDetailsLabel;
class WindowHost;
class PictureButton;
struct PrintedComment;

// One celebration: its date and its commentary, printable.
class DetailWindow : public QWidget
{
    Q_OBJECT
public:
    explicit DetailWindow(WindowHost &context, QWidget *parent = nullptr);

    // Shows the window for CurrentEventId (every activation rereads that row).
    void showForCurrentEvent();
    void storePosition();
    void applyPositions();

    // Rereads the row of CurrentEventId; 0 or a missing row keeps what is shown.
    void CommentActivate();
    // Prints the commentary on the program's printer, offering a PDF file when that fails.
    void printCurrentComment();

    // The celebration shown (0 before any), and its date.
    qint32 shownEventId() const { return m_shownId; }
    QDate shownDate() const { return m_shownDate; }

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void CommentFormResize();
    void Anulez();
    void openSearch();
    void offerPdfCopy(const PrintedComment &comment, const QString &problem);

    WindowHost &m_context;
    QWidget *m_page;      // the page the date and the text stand on
    QLabel *m_dateLabel;  // long date of the celebration shown
    QTextBrowser *m_text; // the commentary
    PictureButton *m_print;
    PictureButton *m_search;
    PictureButton *m_help;
    PictureButton *m_close;
    // Under the date: the day's season, cycles and psalter week.
    DayDetailsLabel *m_dayLine;
    qint32 m_shownId = 0;
    QDate m_shownDate;
    QString m_shownView;
    QString m_shownHtml;
    qint32 m_failedId = 0;
};

} // namespace lumenar
