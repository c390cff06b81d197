#include "components/imagemenu/TSysMenu.h"

#include <QAction>
#include <QMenuBar>
#include <QWidget>

#include "components/imagemenu/ComponentBitmaps.h"
#include "components/imagemenu/MenuItemStyle.h"
#include "components/imagemenu/TImageMenu.h"
#include "components/imagemenu/WindowMenu.h"

namespace sorabel::imagemenu {

using namespace draw;

namespace {
// A caption starts this far right of the picture column.
constexpr int kCaptionIndent = 4;
}  // namespace

TSysMenu::TSysMenu(TImageMenu& owner, QWidget* form) : owner_(owner), form_(form) {
  if (WindowMenu* menu = SysMenuHandle())
    for (QAction* item : menu->actions()) sysItems_.push_back({item->text(), WindowMenu::commandOf(item)});
}

WindowMenu* TSysMenu::SysMenuHandle() const { return form_ != nullptr ? WindowMenu::of(form_) : nullptr; }

void TSysMenu::setDrawing(bool drawing) {
  if (drawing == drawing_) return;
  drawing_ = drawing;
  if (drawing_) ApplyDrawing(true);
}

void TSysMenu::setItemHeight(int height) {
  if (height < kMinItemHeight || height > kMaxItemHeight || height == itemHeight_) return;
  itemHeight_ = height;
  if (drawing_) ApplyDrawing(true);
}

void TSysMenu::ApplyDrawing(bool on) {
  WindowMenu* menu = SysMenuHandle();
  if (menu == nullptr) return;
  if (on) {
    owner_.useItemStyle(menu);
    for (QAction* item : menu->actions()) MenuItemStyle::setComponentOf(item, &owner_);
  }
  owner_.remeasure();
  if (auto* bar = qobject_cast<QMenuBar*>(owner_.Menu())) bar->update();
}

void TSysMenu::setMenuStyle(TMenuStyle style) {
  if (isMenuStyleValue(style)) menuStyle_ = style;
}

QString TSysMenu::captionOf(int command) { return windowMenuCaption(command); }

std::optional<ComponentPicture> TSysMenu::pictureOf(int command) {
  switch (command) {
    case SC_MINIMIZE: return ComponentPicture::Minimize;
    case SC_MAXIMIZE: return ComponentPicture::Maximize;
    case SC_CLOSE: return ComponentPicture::Close;
    case SC_RESTORE: return ComponentPicture::Restore;
    default: return std::nullopt;
  }
}

void TSysMenu::DrawSysItem(QWidget*, Canvas& canvas, unsigned state, const Rect& rect, int command, bool separator) {
  if (separator) {
    owner_.DrawSeparator(canvas, rect);
    return;
  }
  const QString caption = captionOf(command);
  const std::optional<ComponentPicture> picture = pictureOf(command);
  const bool selected = state & ODS_SELECTED;
  const bool grayed = state & (ODS_GRAYED | ODS_DISABLED);
  const bool office = menuStyle_ == TMenuStyle::msOffice;
  const Rect g{rect.left, rect.top, rect.left + itemHeight_, rect.bottom};
  Rect t{rect.left + itemHeight_ + 1, rect.top, rect.right, rect.bottom};

  if (!office || !selected) {
    canvas.fillRect(rect);
  } else if (grayed) {
    canvas.setBrushColor(owner_.InActiveColor());
    canvas.fillRect(rect);
  } else {
    canvas.fillRect(picture ? t : rect);
  }
  if (office && selected && !grayed && picture) {
    canvas.drawEdge(g, BDR_RAISEDINNER, BF_LEFT | BF_TOP);
    canvas.drawEdge(g, BDR_RAISEDINNER, BF_SOFT | BF_RIGHT | BF_BOTTOM);
  }
  if (picture) {
    // The picture is drawn like the caption: in the text colour of the
    // item's background.
    const Point at{g.left + (itemHeight_ - kPictureSize) / 2, g.top + (g.height() - kPictureSize) / 2};
    if (grayed)
      TImageMenu::embossPicture(canvas, componentMask(*picture, canvas.pixelRatio()), at);
    else
      TImageMenu::paintMask(canvas, *picture, at,
                            selected && !office ? owner_.ActiveFont().color : owner_.InActiveFont().color);
  }
  if (state & ODS_DEFAULT) {
    CanvasFont bold = canvas.font();
    bold.bold = true;
    canvas.setFont(bold);
  }
  canvas.setBrushHollow();
  t.left += kCaptionIndent;

  auto drawTexts = [&](const Rect& r) {
    canvas.drawText(caption, r, TImageMenu::kCaptionFormat);
    if (command == SC_CLOSE)
      canvas.drawText(kCloseKeyText, {r.left, r.top, r.right - TImageMenu::kShortCutRightMargin, r.bottom},
                      TImageMenu::kShortCutFormat);
  };
  if (!grayed) {
    canvas.setFontColor(selected ? owner_.ActiveFont().color : owner_.InActiveFont().color);
    drawTexts(t);
    return;
  }
  if (!(selected && !office)) {
    canvas.setFontColor(clBtnHighlight);
    drawTexts(t.translated(1, 1));
  }
  canvas.setFontColor(clGrayText);
  drawTexts(t);
}

MenuCharResult TSysMenu::SysMenuCharIndex(const QList<QAction*>& items, QChar typed) const {
  for (qsizetype position = 0; position < items.size(); ++position) {
    const int command = WindowMenu::commandOf(items[position]);
    for (const SysItem& item : sysItems_) {
      if (item.command != command) continue;
      if (MatchesAccelerator(typed, item.caption)) return {static_cast<int>(position), MNC_EXECUTE};
      break;
    }
  }
  return {0, MNC_IGNORE};
}

}  // namespace sorabel::imagemenu
