#pragma once
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

// Runs `act` on the next modal window as soon as it is open, from inside its own event loop, and
// closes the window afterwards if `act` left it open, so a failing test never hangs on it.
inline void OnNextModal(std::function<void(QWidget*)> act) {
  auto* poll = new QTimer;
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, [poll, act = std::move(act)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    act(modal);
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()); dialog == modal) dialog->reject();
  });
  poll->start();
}
