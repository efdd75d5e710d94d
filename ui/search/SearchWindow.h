#pragma once

#include "engine/CelebrationSearch.h"

#include <QWidget>
#include <vector>

class QLabel;
class QLineEdit;
class QTreeView;

namespace lumenar {

class AppContext;
class PictureButton;
class SearchResultModel;

// Finds the shown year's celebrations by a word or phrase.
class SearchWindow : public QWidget
{
    Q_OBJECT
public:
    explicit SearchWindow(AppContext &context, QWidget *parent = nullptr);

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
    // The year's rows of the calendar in use, read again only after a year assembly.
    const CelebrationSearch &rows();
    void sizeDateColumn();
    // Shows and tells how many celebrations the text found.
    void showCount();

    AppContext &m_context;
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
    Variant m_rowsVariant = Variant::Universal;
    int m_rowsBuild = -1;
    bool m_placed = false;
};

} // namespace lumenar
