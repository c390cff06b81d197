#pragma once
// Types shared by the image menu component: the menu style, the owner-draw
// state bits of a draw request, the events and the component's error.

#include <QPalette>
#include <QRect>
#include <QString>
#include <functional>
#include <stdexcept>

#include "draw/DrawTypes.h"
#include "draw/HandlerBoundary.h"

class QAction;
class QWidget;

namespace sorabel::imagemenu {

enum class TMenuStyle { msOffice = 0, msWindows = 1 };

// The ranges of the components' numeric properties. A setter given a value
// outside its range keeps the old value.
//   ItemHeight (image menu and window menu)   18 to 512 (34 to 512 with LargeImage)
//   BannerWidth                               0 to 255
//   ImageIndex                                -1 (no picture) and above
//   Cursor, MenuCursor                        Qt's cursor shapes 0 to Qt::LastCursor
//   colours                                   an RGB value 0 to 0xFFFFFF, or a system colour
//   font heights                              -512 to 512 (0: the font's own size)
//   MenuStyle                                 msOffice, msWindows
constexpr int kMinItemHeight = 18;
// ItemHeight until it is set.
constexpr int kDefaultItemHeight = 20;
constexpr int kMinLargeItemHeight = 34;
constexpr int kMaxItemHeight = 512;
constexpr int kMaxFontHeight = 512;

bool isColorValue(draw::Color color);

// The system colours are the same for enabled and disabled items and
// controls: they are taken from a palette's active group.
QPalette activeColours(const QPalette& palette);
// A cursor shape comes as a number: a value outside Qt::CursorShape must
// not be made into one (that enumeration has no fixed underlying type).
bool isCursorValue(int shape);
bool isMenuStyleValue(TMenuStyle style);

// The owner-draw state bits of a draw request.
enum OwnerDrawState : unsigned {
  ODS_SELECTED = 1,
  ODS_GRAYED = 2,
  ODS_DISABLED = 4,
  ODS_CHECKED = 8,
  ODS_FOCUS = 16,
  ODS_DEFAULT = 32,
};

// OnDrawItem (Menu, Item, Rect, State): replaces the drawing of an item.
using TDrawMenuItemEvent = std::function<void(QWidget* menu, QAction* item, const QRect& rect, unsigned state)>;
// OnMeasureItem (Menu, Item, Height in and out).
using TMeasureMenuItemEvent = std::function<void(QWidget* menu, QAction* item, int& height)>;
// OnMenuSelect (Item, Hint).
using TMenuSelectEvent = std::function<void(QAction* item, const QString& hint)>;

// Misuse and failures of the component, with the message shown to the user.
class EImageMenuError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An operation that needs its owner to be a form, on a component that is
// not owned by one.
class EInvalidCast : public std::runtime_error {
 public:
  EInvalidCast() : std::runtime_error("Invalid class typecast") {}
};

// The component's message handlers hand an error they cannot let out to the
// application's exception handler.
using draw::handleException;
using draw::runHandler;
using draw::setExceptionHandler;

}  // namespace sorabel::imagemenu
