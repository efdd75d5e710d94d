#pragma once

#include <QWidget>

namespace lumenar {

class AppContext;

// Finds the shown year's celebrations by a word or phrase.
class SearchWindow : public QWidget
{
    Q_OBJECT
public:
    explicit SearchWindow(AppContext &context, QWidget *parent = nullptr);

    void showSearch();

private:
    AppContext &m_context;
};

} // namespace lumenar
