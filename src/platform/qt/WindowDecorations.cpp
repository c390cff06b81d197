#include "platform/qt/WindowDecorations.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace sorabel {
namespace {

// The _MOTIF_WM_HINTS property: flags, functions, decorations, input mode,
// status.
constexpr std::uint32_t kHintsFunctions = 1;
constexpr std::uint32_t kHintsDecorations = 2;
constexpr std::uint32_t kFunctionMove = 4;
constexpr std::uint32_t kDecorationBorder = 2;
constexpr std::uint32_t kDecorationTitle = 8;

xcb_atom_t atomNamed(xcb_connection_t* connection, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
  if (reply == nullptr) return XCB_ATOM_NONE;
  const xcb_atom_t atom = reply->atom;
  std::free(reply);
  return atom;
}

void setMoveOnlyHints(QWidget* window) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) return;
  xcb_connection_t* connection = x11->connection();
  const xcb_atom_t hints = atomNamed(connection, "_MOTIF_WM_HINTS");
  if (hints == XCB_ATOM_NONE) return;
  const std::uint32_t values[5] = {kHintsFunctions | kHintsDecorations, kFunctionMove,
                                   kDecorationBorder | kDecorationTitle, 0, 0};
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()), hints, hints, 32,
                      5, values);
  xcb_flush(connection);
}

// Sets the hints before every mapping (Qt may make the native window anew)
// and takes back what a window manager's own buttons did.
class ButtonlessTitle : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::Show) setMoveOnlyHints(window);
    if (event->type() == QEvent::WindowStateChange && (window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
      QMetaObject::invokeMethod(
          window, [window] { window->showNormal(); }, Qt::QueuedConnection);  // after the change has settled
    return false;
  }
};

}  // namespace

void showTitleWithoutButtons(QWidget* window) {
  window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
  window->installEventFilter(new ButtonlessTitle(window));
}

}  // namespace sorabel
