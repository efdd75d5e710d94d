// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <functional>

class QLabel;

namespace lumenar {

// A tear-off calendar whose pages turn through the year's colours; it runs only while shown.
class PageAnimation : public QWidget
{
    Q_OBJECT
public:
    explicit PageAnimation(QWidget *parent = nullptr);
    QSize sizeHint() const override { return QSize(96, 96); }
    bool isRunning() const { return m_timer.isActive(); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void showEvent(QShowEvent *) override;
    void hideEvent(QHideEvent *) override;

private:
    QTimer m_timer;
    int m_frame = 0;
};

// Who made the program; closes itself a few seconds after it was first shown.
class CreditsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CreditsDialog(int lifetimeMs = 5000, QWidget *parent = nullptr);
    QLabel *label(int n) const { return m_labels.value(n - 1); }
    void unload();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QList<QLabel *> m_labels;
};

class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);
    // Opens the credits, modal; a credits window still loaded is shown again as it is.
    void showCredits();
    PageAnimation *animation() const { return m_animation; }
    CreditsDialog *credits() const { return m_credits; }
    int creditsLifetimeMs = 5000;
    // Opens a mailto: address in the user's mail program; false when there is none.
    std::function<bool(const QUrl &)> openMail;
    // "E-mail me your opinions": the mail program, else the address shown to copy.
    void writeFeedback();

private:
    PageAnimation *m_animation;
    QPointer<CreditsDialog> m_credits;
};

} // namespace lumenar
