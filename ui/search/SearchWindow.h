// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/CelebrationSearch.h"

#include <QWidget>
#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QTreeView;

namespace lumenar {

class WindowHost;
class YearCalendar;
class PictureButton;
class SearchResultModel;

// Finds the shown year's celebrations by a word or phrase.
class SearchWindow : public QWidget
{
    Q_OBJECT
public:
    explicit SearchWindow(WindowHost &context, QWidget *parent = nullptr);

    void showSearch();

    // Lists the rows the text finds; an empty text empties the list.
    void search(const QString &text);
    // Opens the selected result in the detail window.
    void openSelected();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void AnulezImg();
    // The shown year's rows, taken again only when another year is shown.
    const CelebrationSearch &rows();
    void sizeDateColumn();
    // Shows and tells how many celebrations the text found.
    void showCount();

    WindowHost &m_context;
    QLineEdit *m_text; // the typed word(s)
    QTreeView *m_list; // the results
    QLabel *m_count;   // how many were found
    QLineEdit *m_year; // the year searched, read-only
    PictureButton *m_comment;
    PictureButton *m_help;
    PictureButton *m_close;
    SearchResultModel *m_model;

    CelebrationSearch m_rows;
    std::vector<QString> m_dateTexts;
    std::shared_ptr<const YearCalendar> m_rowsYear; // the year m_rows were taken from
    bool m_placed = false;
};

} // namespace lumenar
