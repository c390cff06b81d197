#include "components/imagemenu/WindowMenu.h"

#include <QContextMenuEvent>
#include <QMenuBar>
#include <QShortcut>
#include <QWindow>

namespace sorabel::imagemenu {

QString windowMenuCaption(int command) {
  switch (command) {
    case SC_SIZE: return QStringLiteral("サイズ変更(&S)");
    case SC_MOVE: return QStringLiteral("移動(&M)");
    case SC_MINIMIZE: return QStringLiteral("最小化(&N)");
    case SC_MAXIMIZE: return QStringLiteral("最大化(&X)");
    case SC_CLOSE: return QStringLiteral("閉じる(&C)");
    case SC_RESTORE: return QStringLiteral("元のサイズに戻す(&R)");
    default: return {};
  }
}

WindowMenu* WindowMenu::of(QWidget* form) {
  if (form == nullptr) return nullptr;
  if (auto* existing = form->findChild<WindowMenu*>(QStringLiteral("SystemMenu"), Qt::FindDirectChildrenOnly))
    return existing;
  return new WindowMenu(form);
}

WindowMenu::WindowMenu(QWidget* form) : QMenu(form), form_(form) {
  setObjectName(QStringLiteral("SystemMenu"));
  for (int command : {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE}) addCommand(windowMenuCaption(command), command);
  addSeparator();
  addCommand(windowMenuCaption(SC_CLOSE) + QLatin1Char('\t') + kCloseKeyText, SC_CLOSE);
  connect(this, &QMenu::aboutToShow, this, &WindowMenu::updateItems);

  for (const QKeySequence& keys : {QKeySequence(Qt::ALT | Qt::Key_Space), QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_Space)}) {
    auto* key = new QShortcut(keys, form);
    connect(key, &QShortcut::activated, this, [this] { openAt(form_->mapToGlobal(QPoint(0, 0))); });
  }
  form->installEventFilter(this);
  for (QMenuBar* bar : form->findChildren<QMenuBar*>()) bar->installEventFilter(this);
}

void WindowMenu::addCommand(const QString& text, int command) {
  QAction* item = addAction(text);
  item->setData(command);
  connect(item, &QAction::triggered, this, [this, command] { runCommand(command); });
}

int WindowMenu::commandOf(const QAction* item) {
  return item != nullptr && !item->isSeparator() ? item->data().toInt() : 0;
}

QAction* WindowMenu::itemOf(int command) const {
  for (QAction* item : actions())
    if (commandOf(item) == command) return item;
  return nullptr;
}

void WindowMenu::updateItems() {
  const bool maximized = form_->isMaximized();
  const bool minimized = form_->isMinimized();
  itemOf(SC_RESTORE)->setEnabled(maximized || minimized);
  itemOf(SC_MOVE)->setEnabled(!maximized);
  itemOf(SC_SIZE)->setEnabled(!maximized && form_->minimumSize() != form_->maximumSize());
  itemOf(SC_MAXIMIZE)->setEnabled(!maximized && form_->minimumSize() != form_->maximumSize());
}

void WindowMenu::runCommand(int command) {
  QWindow* window = form_->windowHandle();
  switch (command) {
    case SC_RESTORE: form_->showNormal(); break;
    case SC_MOVE:
      if (window != nullptr) window->startSystemMove();
      break;
    case SC_SIZE:
      if (window != nullptr) window->startSystemResize(Qt::RightEdge | Qt::BottomEdge);
      break;
    case SC_MINIMIZE: form_->showMinimized(); break;
    case SC_MAXIMIZE: form_->showMaximized(); break;
    case SC_CLOSE: form_->close(); break;
    default: break;
  }
}

void WindowMenu::openAt(const QPoint& screenPosition) { popup(screenPosition); }

bool WindowMenu::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ChildAdded && watched == form_) {
    if (auto* bar = qobject_cast<QMenuBar*>(static_cast<QChildEvent*>(event)->child())) bar->installEventFilter(this);
  }
  // A right click on the menu bar where no item is.
  if (event->type() == QEvent::ContextMenu) {
    if (auto* bar = qobject_cast<QMenuBar*>(watched)) {
      auto* context = static_cast<QContextMenuEvent*>(event);
      if (bar->actionAt(context->pos()) == nullptr) {
        openAt(context->globalPos());
        return true;
      }
    }
  }
  return QMenu::eventFilter(watched, event);
}

}  // namespace sorabel::imagemenu
