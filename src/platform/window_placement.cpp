#include "platform/window_placement.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>

namespace platform {

namespace {
QRect FreeArea(const QWidget* window) {
  const QScreen* screen = window->screen();
  if (screen == nullptr)
    screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect();
}
}  // namespace

void CentreOnScreen(QWidget* window) {
  const QRect area = FreeArea(window);
  if (area.isEmpty())
    return;
  // The window's layout decides its smallest size; centre the size it will show at.
  if (window->layout() != nullptr)
    window->layout()->activate();
  window->resize(window->size().expandedTo(window->minimumSizeHint()).boundedTo(area.size()));
  window->move(area.left() + (area.width() - window->width()) / 2,
               area.top() + (area.height() - window->height()) / 2);
}

void OpenMaximised(QWidget* window) {
  const QRect area = FreeArea(window);
  if (!area.isEmpty())
    window->setGeometry(area);
  window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

}  // namespace platform
