#pragma once
// The hooks a form gets from its toolbars: one record per form and kind,
// shared by all toolbars of the form and counted, so that it stays valid
// whichever toolbar goes first. The hook keeps floating toolbars with their
// form: they are moved out of sight (parked) while the form is hidden or
// minimised or the application is inactive, and come back to the same
// place after; activation stays with the form.

#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

class QWidget;

namespace sorabel::toolbars {

enum class FormHookKind { Form, MdiChild };

class FormHooks {
 public:
  static void InstallFormHook(FormHookKind kind, QWidget* form);
  static void RemoveFormHook(FormHookKind kind, QWidget* form);
  // The count of the hook of a form and kind (0: none).
  static int hookCount(FormHookKind kind, const QWidget* form);

  // UpdateParking: every floating toolbar of the form is parked when the
  // application is inactive or the form is hidden or minimised; its window
  // shows and hides with the form.
  static void UpdateParking(QWidget* form, bool applicationActive);
};

}  // namespace sorabel::toolbars
