#pragma once
// Actions a test wants done inside a modal loop it is about to start (a
// message box, a dialog's exec()): each runs once the next event loop runs.

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace sorabel::test {

class ModalActions {
 public:
  void whenModal(std::function<void()> action) {
    auto timer = std::make_unique<QTimer>();
    timer->setSingleShot(true);
    QObject::connect(timer.get(), &QTimer::timeout, std::move(action));
    timer->start(0);
    timers_.push_back(std::move(timer));
  }

  // Drops the actions that never ran (before the windows they would touch go).
  void dropPendingActions() { timers_.clear(); }

 private:
  std::vector<std::unique_ptr<QTimer>> timers_;
};

}  // namespace sorabel::test
