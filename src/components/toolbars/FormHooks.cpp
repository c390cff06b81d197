#include "components/toolbars/FormHooks.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

#include "components/toolbars/TToolbar.h"
#include "components/toolbars/ToolbarInternals.h"
#include "draw/HandlerBoundary.h"

namespace sorabel::toolbars {
namespace {

bool applicationActive() { return QGuiApplication::applicationState() == Qt::ApplicationActive; }

// The replacement window procedure of a form, as an event filter.
class FormHook : public QObject {
 public:
  FormHook(FormHookKind kind, QWidget* form) : kind_(kind), key_(form), form_(form) {
    form->installEventFilter(this);
    if (kind == FormHookKind::Form)
      connection_ = QObject::connect(qApp, &QGuiApplication::applicationStateChanged, this,
                                     [this](Qt::ApplicationState state) { applicationStateChanged(state); });
  }
  ~FormHook() override {
    QObject::disconnect(connection_);
    if (form_ != nullptr) form_->removeEventFilter(this);
  }

  FormHookKind kind() const { return kind_; }
  // The form the hook was made for, also while it is being destroyed.
  const QWidget* key() const { return key_; }
  int count = 1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != form_) return false;
    switch (event->type()) {
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::Show:
      case QEvent::Hide:
      case QEvent::WindowStateChange:
        draw::runHandler([this] { FormHooks::UpdateParking(form_, applicationActive()); });
        break;
      case QEvent::WindowActivate:
      case QEvent::FocusIn:
        // A control on a toolbar never becomes the form's active control by
        // the form's activation.
        if (kind_ == FormHookKind::Form && form_->focusWidget() != nullptr &&
            qobject_cast<TToolbar*>(form_->focusWidget()->parentWidget()) != nullptr)
          return true;
        break;
      default: break;
    }
    return false;
  }

 private:
  void applicationStateChanged(Qt::ApplicationState state) {
    draw::runHandler([&] {
      const bool activating = state == Qt::ApplicationActive;
      if (activating && form_ != nullptr) {
        QWidget* focused = QApplication::focusWidget();
        if (focused != nullptr && focused->window() != form_ && qobject_cast<TToolbar*>(focused->window()) != nullptr)
          form_->activateWindow();
      }
      if (form_ != nullptr) FormHooks::UpdateParking(form_, activating);
    });
  }

  FormHookKind kind_;
  const QWidget* key_;
  QPointer<QWidget> form_;
  QMetaObject::Connection connection_;
};

std::vector<std::unique_ptr<FormHook>>& registry() {
  static std::vector<std::unique_ptr<FormHook>> hooks;
  return hooks;
}

}  // namespace

void FormHooks::InstallFormHook(FormHookKind kind, QWidget* form) {
  for (auto& hook : registry())
    if (hook->kind() == kind && hook->key() == form) {
      ++hook->count;
      return;
    }
  registry().push_back(std::make_unique<FormHook>(kind, form));
}

void FormHooks::RemoveFormHook(FormHookKind kind, QWidget* form) {
  auto& hooks = registry();
  for (auto it = hooks.begin(); it != hooks.end(); ++it)
    if ((*it)->kind() == kind && (*it)->key() == form) {
      if (--(*it)->count == 0) hooks.erase(it);
      return;
    }
}

int FormHooks::hookCount(FormHookKind kind, const QWidget* form) {
  for (const auto& hook : registry())
    if (hook->kind() == kind && hook->key() == form) return hook->count;
  return 0;
}

void FormHooks::UpdateParking(QWidget* form, bool applicationActive) {
  if (form == nullptr) return;
  if (form->isWindow())  // MDI child forms first
    for (QMdiArea* area : form->findChildren<QMdiArea*>())
      if (area->window() == form)
        for (QMdiSubWindow* child : area->subWindowList()) UpdateParking(child, applicationActive);
  const bool hide = !applicationActive || !form->isVisible() || form->isMinimized();
  // The toolbars of the form: floating ones are children of its float
  // parents, which may sit on the MDI parent form.
  QList<TToolbar*> bars = form->findChildren<TToolbar*>();
  if (QWidget* top = form->window(); top != form)
    for (TToolbar* bar : top->findChildren<TToolbar*>())
      if (!bars.contains(bar)) bars.append(bar);
  for (TToolbar* bar : bars) {
    if (ToolbarInternals::ownerForm(*bar) != form) continue;
    const bool wanted = bar->floating() && hide;
    if (wanted != ToolbarInternals::parked(*bar)) {
      const draw::Rect bounds = ToolbarInternals::parkedBounds(*bar);
      ToolbarInternals::setParked(*bar, wanted);  // parking hides the window before it moves
      ToolbarInternals::setParkedBounds(*bar, bounds);
    }
    // A floating toolbar's window shows and hides with its form.
    if (bar->floating()) ToolbarInternals::showAsVisible(*bar);
  }
}

}  // namespace sorabel::toolbars
