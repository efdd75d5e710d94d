#pragma once

#include <QWidget>

namespace lumenar {

class AppContext;

// One celebration: its date and its commentary, printable.
class DetailWindow : public QWidget
{
    Q_OBJECT
public:
    explicit DetailWindow(AppContext &context, QWidget *parent = nullptr);

    // Shows the window for CurrentEventId (every activation rereads that row).
    void showForCurrentEvent();
    void storePosition();
    void applyPositions();

private:
    AppContext &m_context;
};

} // namespace lumenar
