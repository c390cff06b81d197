#include "qtplatform/WindowDecorations.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>
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

// The value of a window's property, as bytes; empty when it has none.
std::string propertyOf(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
  xcb_get_property_reply_t* reply =
      xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, property, type, 0, 1024), nullptr);
  if (reply == nullptr) return {};
  std::string value(static_cast<const char*>(xcb_get_property_value(reply)),
                    static_cast<std::size_t>(xcb_get_property_value_length(reply)));
  std::free(reply);
  return value;
}

// _NET_WM_NAME of the running window manager; empty when none says.
std::string windowManagerName(xcb_connection_t* connection, xcb_window_t root) {
  const std::string check =
      propertyOf(connection, root, atomNamed(connection, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW);
  if (check.size() != sizeof(xcb_window_t)) return {};
  xcb_window_t manager = 0;
  std::memcpy(&manager, check.data(), sizeof manager);
  return propertyOf(connection, manager, atomNamed(connection, "_NET_WM_NAME"), atomNamed(connection, "UTF8_STRING"));
}

// The window types (names of _NET_WM_WINDOW_TYPE_ atoms, most wanted first)
// that give a dialog no minimise and maximise buttons under the window
// manager of that name.
std::vector<const char*> buttonlessDialogTypes(std::string_view windowManagerName) {
  if (windowManagerName == "Openbox") return {"_NET_WM_WINDOW_TYPE_TOOLBAR", "_NET_WM_WINDOW_TYPE_DIALOG"};
  return {"_NET_WM_WINDOW_TYPE_DIALOG"};
}

void setButtonlessHints(QWidget* window) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) return;
  xcb_connection_t* connection = x11->connection();
  const auto id = static_cast<xcb_window_t>(window->winId());
  const xcb_atom_t hints = atomNamed(connection, "_MOTIF_WM_HINTS");
  if (hints != XCB_ATOM_NONE) {
    const std::uint32_t values[5] = {kHintsFunctions | kHintsDecorations, kFunctionMove,
                                     kDecorationBorder | kDecorationTitle, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, hints, hints, 32, 5, values);
  }
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  std::vector<xcb_atom_t> types;
  for (const char* type : buttonlessDialogTypes(windowManagerName(connection, screen->root)))
    types.push_back(atomNamed(connection, type));
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atomNamed(connection, "_NET_WM_WINDOW_TYPE"),
                      XCB_ATOM_ATOM, 32, static_cast<std::uint32_t>(types.size()), types.data());
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
    if (event->type() == QEvent::Show) setButtonlessHints(window);
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
