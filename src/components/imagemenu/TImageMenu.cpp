#include "components/imagemenu/TImageMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>

#include "components/imagemenu/MenuAccessibility.h"
#include "components/imagemenu/MenuItemStyle.h"
#include "components/imagemenu/TSysMenu.h"
#include "components/imagemenu/WindowMenu.h"
#include "draw/SysColors.h"
#include "draw/SystemMetrics.h"

namespace sorabel::imagemenu {

using namespace draw;

namespace {

constexpr int kTileWidth = 400;
constexpr int kTileHeight = 600;
// A bar item's caption is centred on one line.
constexpr unsigned kBarTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS;
constexpr unsigned kMeasureFormat = DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER;
// A large image's side.
constexpr int kLargeImageSize = 32;
// Measuring: a separator's height; with DefaultFont an item is the font's
// height and this padding high.
constexpr int kSeparatorHeight = 10;
constexpr int kFontHeightPadding = 5;
// Measuring: the width a popup item needs beyond its picture column and
// texts, and a window menu item beyond its picture column and the close
// item's texts.
constexpr int kItemExtraWidth = 20;
constexpr int kSysItemExtraWidth = 50;
// The gap between the banner strip and the items beside it.
constexpr int kBannerGap = 2;
// The hint window's room around its text.
constexpr int kHintExtraWidth = 6;
constexpr int kHintExtraHeight = 2;

// A form: a window, or the child form inside an MDI frame's sub-window.
QWidget* formOf(QObject* owner) {
  auto* widget = qobject_cast<QWidget*>(owner);
  if (widget == nullptr) return nullptr;
  if (widget->isWindow() || qobject_cast<QMdiSubWindow*>(widget->parentWidget()) != nullptr) return widget;
  return nullptr;
}

struct CheckedPatternCache {
  QImage pattern;
  QRgb base = 0;
  QRgb light = 0;
};

CheckedPatternCache& checkedPatternCache() {
  static CheckedPatternCache cache;
  return cache;
}

}  // namespace

TImageMenu::TImageMenu(QObject* owner)
    : QObject(owner), sysMenu_(std::make_unique<TSysMenu>(*this, formOf(owner))), style_(std::make_unique<MenuItemStyle>()) {
  applyMenuFont(activeFont_);
  applyMenuFont(inActiveFont_);
  activeFont_.color = clHighlightText;
  inActiveFont_.color = clMenuText;
  style_->setParent(nullptr);
  banner_.onSizeChanged = [this] { remeasure(); };
  installMenuAccessibility();
}

TImageMenu::~TImageMenu() {
  HideItemHint();
  for (const QMetaObject::Connection& connection : itemConnections_) disconnect(connection);
  // The menus go back to the application's style before this one goes.
  for (const QPointer<QWidget>& widget : convertedWidgets_)
    if (widget != nullptr && widget->style() == style_.get()) widget->setStyle(nullptr);
  OnDrawItem = nullptr;
  OnMeasureItem = nullptr;
  OnMenuSelect = nullptr;
}

// ---------------------------------------------------------------- properties

void TImageMenu::setActiveFont(const CanvasFont& font) {
  if (font.height < -kMaxFontHeight || font.height > kMaxFontHeight) return;
  activeFont_ = font;
  remeasure();  // the measuring font
}

void TImageMenu::setInActiveFont(const CanvasFont& font) {
  if (font.height < -kMaxFontHeight || font.height > kMaxFontHeight) return;
  inActiveFont_ = font;
  remeasure();
}

void TImageMenu::setActiveColor(Color color) {
  if (isColorValue(color)) activeColor_ = color;
}

void TImageMenu::setInActiveColor(Color color) {
  if (isColorValue(color)) inActiveColor_ = color;
}

void TImageMenu::setActiveBitmap(const QImage& bitmap) {
  activeBitmap_ = bitmap;
  if (bitmap.isNull())
    activeTile_ = QImage();
  else
    BuildTile(true);
}

void TImageMenu::setInActiveBitmap(const QImage& bitmap) {
  inActiveBitmap_ = bitmap;
  if (bitmap.isNull())
    inActiveTile_ = QImage();
  else
    BuildTile(false);
}

void TImageMenu::setCursor(int cursor) {
  if (!isCursorValue(cursor)) return;
  cursor_ = static_cast<Qt::CursorShape>(cursor);
  cursorChanged();
}

void TImageMenu::setDefaultFont(bool value) {
  defaultFont_ = value;
  DrawMenuBar();
  remeasure();
}

void TImageMenu::setImages(ImageList* images) {
  images_ = images;
  if (images == nullptr) {
    for (int i = 0; i < itemImages_.Count(); ++i) itemImages_.Items(i).setImageIndex(-1);
    return;
  }
  connect(images, &QObject::destroyed, this, &TImageMenu::forgetImages, Qt::UniqueConnection);
}

void TImageMenu::setItemHeight(int height) {
  const int least = largeImage_ ? kMinLargeItemHeight : kMinItemHeight;
  if (height < least || height > kMaxItemHeight) return;
  itemHeight_ = height;
  if (menu_ == nullptr) return;
  OwnerDrawItems();
  if (isMainMenu()) DrawMenuBar();
}

void TImageMenu::setLargeImage(bool large) {
  largeImage_ = large;
  if (large) {
    if (itemHeight_ < kMinLargeItemHeight) setItemHeight(kMinLargeItemHeight);
    imageSize_ = kLargeImageSize;
  } else {
    imageSize_ = kPictureSize;
  }
  if (menu_ != nullptr) OwnerDrawItems();
}

void TImageMenu::setMenu(QWidget* menu) {
  if (menu_ != nullptr) disconnect(menu_, &QObject::destroyed, this, &TImageMenu::forgetMenu);
  menu_ = menu;
  if (menu == nullptr) return;
  connect(menu, &QObject::destroyed, this, &TImageMenu::forgetMenu);
  OwnerDrawItems();
}

void TImageMenu::setMenuStyle(TMenuStyle style) {
  if (isMenuStyleValue(style)) menuStyle_ = style;
}

void TImageMenu::forgetMenu() {
  menu_ = nullptr;
  itemImages_.Clear();
}

void TImageMenu::forgetImages() {
  images_ = nullptr;
  for (int i = 0; i < itemImages_.Count(); ++i) itemImages_.Items(i).setImageIndex(-1);
}

void TImageMenu::forgetItem(QObject* item) {
  const int row = itemImages_.lastRowOf(item);
  if (row >= 0) itemImages_.Delete(row);
}

int TImageMenu::ImageIndexOf(const QAction* item) const {
  if (images_ == nullptr) return -1;
  const TItemImage* row = itemImages_.rowOf(item);
  return row != nullptr ? row->ImageIndex() : -1;
}

QString TImageMenu::HintOf(const QAction* item) const {
  const TItemImage* row = itemImages_.rowOf(item);
  return row != nullptr ? row->Hint() : QString();
}

QWidget* TImageMenu::ownerForm() const {
  QWidget* form = formOf(parent());
  if (form == nullptr) throw EInvalidCast();
  return form;
}

void TImageMenu::DrawMenuBar() {
  ownerForm();
  if (auto* bar = qobject_cast<QMenuBar*>(menu_.data())) bar->update();
}

void TImageMenu::remeasure() {
  for (const QPointer<QWidget>& widget : std::as_const(convertedWidgets_)) {
    if (widget == nullptr) continue;
    if (auto* bar = qobject_cast<QMenuBar*>(widget.data()); bar != nullptr && openDropDownOf(bar) != nullptr) {
      remeasureWhenClosed(bar);
      continue;
    }
    sendStyleChange(widget);
  }
}

// What a menu does when its style changes: its items are measured again
// and, when it is open, it takes its new size at once.
void TImageMenu::sendStyleChange(QWidget* widget) {
  QEvent change(QEvent::StyleChange);
  QCoreApplication::sendEvent(widget, &change);
}

QMenu* TImageMenu::openDropDownOf(const QMenuBar* bar) {
  QAction* current = bar->activeAction();
  QMenu* dropDown = current != nullptr ? current->menu() : nullptr;
  return dropDown != nullptr && dropDown->isVisible() ? dropDown : nullptr;
}

// A menu bar measured again forgets its current item, so the item whose
// drop-down is open would be drawn raised instead of pressed (the program
// changes items as its drop-downs open). The bar is measured once its
// drop-downs are closed; moving from one to the next waits for that one.
void TImageMenu::remeasureWhenClosed(QMenuBar* bar) {
  if (barRemeasurePending_) return;
  barRemeasurePending_ = true;
  const auto closed = [this, bar = QPointer<QMenuBar>(bar)] {
    for (const QMetaObject::Connection& connection : dropDownWatch_) disconnect(connection);
    QTimer::singleShot(0, this, [this, bar] {
      barRemeasurePending_ = false;
      if (bar == nullptr) return;
      if (openDropDownOf(bar) != nullptr)
        remeasureWhenClosed(bar);
      else
        sendStyleChange(bar);
    });
  };
  // A drop-down deleted while open sends no aboutToHide.
  QMenu* dropDown = openDropDownOf(bar);
  dropDownWatch_ = {connect(dropDown, &QMenu::aboutToHide, this, closed),
                    connect(dropDown, &QObject::destroyed, this, closed)};
}

// ---------------------------------------------------------------- conversion

void TImageMenu::OwnerDrawItems(QAction* item) {
  if (item == nullptr) {
    if (menu_ == nullptr) return;
    convertMenuWidget(menu_);
    for (QAction* child : rootItems(menu_)) convertTree(child);
  } else {
    convertTree(item);
  }
  remeasure();
}

void TImageMenu::convertTree(QAction* item) {
  try {
    convertItem(item);
  } catch (const std::exception&) {
    throw EImageMenuError((captionOf(item) + QStringLiteral(" のオーナードローに失敗しました")).toStdString());
  }
  for (QAction* child : childrenOf(item)) convertTree(child);
}

void TImageMenu::useItemStyle(QWidget* widget) {
  MenuItemStyle::setComponentOf(widget, this);
  if (widget->style() == style_.get()) return;
  widget->setStyle(style_.get());
  convertedWidgets_ << widget;
}

void TImageMenu::convertMenuWidget(QWidget* widget) {
  useItemStyle(widget);
  itemConverted(widget);
}

void TImageMenu::convertItem(QAction* item) {
  if (holderOf(item) == nullptr) throw std::runtime_error("the item is in no menu");
  if (MenuItemStyle::componentOf(item) != this) {
    MenuItemStyle::setComponentOf(item, this);
    itemConnections_ << connect(item, &QObject::destroyed, this, &TImageMenu::forgetItem);
  }
  if (QMenu* submenu = item->menu()) convertMenuWidget(submenu);
}

void TImageMenu::BuildTile(bool active) {
  const QImage& source = active ? activeBitmap_ : inActiveBitmap_;
  QImage& tile = active ? activeTile_ : inActiveTile_;
  if (source.isNull() || source.height() < 1) return;
  // The tile has the bitmap's pixel ratio: a bitmap made for a high-density
  // screen keeps its pixels.
  const qreal ratio = source.devicePixelRatio();
  if (tile.isNull() || tile.devicePixelRatio() != ratio) {
    tile = QImage(qRound(kTileWidth * ratio), qRound(kTileHeight * ratio), QImage::Format_RGB32);
    tile.setDevicePixelRatio(ratio);
  }
  QPainter painter(&tile);
  const int w = std::max(1, qRound(source.deviceIndependentSize().width()));
  const int h = std::max(1, qRound(source.deviceIndependentSize().height()));
  for (int c = 1; c <= kTileWidth / w + 1; ++c)
    for (int r = 1; r <= kTileHeight / h + 1; ++r) painter.drawImage(QRect((c - 1) * w, (r - 1) * h, w, h), source);
}

// ---------------------------------------------------------------- shared pictures

const QImage& TImageMenu::CheckedPattern() {
  CheckedPatternCache& cache = checkedPatternCache();
  const QColor base = resolve(clMenu);
  const QColor light = resolve(clBtnHighlight);
  if (cache.pattern.isNull() || cache.base != base.rgb() || cache.light != light.rgb()) {
    cache.pattern = checkerPattern(base, light);
    cache.base = base.rgb();
    cache.light = light.rgb();
  }
  return cache.pattern;
}

void TImageMenu::discardCheckedPattern() { checkedPatternCache().pattern = QImage(); }

// ---------------------------------------------------------------- measuring

void TImageMenu::setMeasureCanvasFactory(std::function<std::unique_ptr<Canvas>()> factory) {
  measureCanvasFactory_ = std::move(factory);
}

std::optional<Size> TImageMenu::measureRequest(QAction* item) {
  std::optional<Size> measured;
  runHandler([&] {
    std::unique_ptr<Canvas> canvas = measureCanvasFactory_ ? measureCanvasFactory_() : std::make_unique<MeasureCanvas>();
    CanvasFont font = activeFont_;
    if (defaultFont_) applyMenuFont(font);
    canvas->setFont(font);
    const bool separator = item->isSeparator();
    if (!containsItem(item)) {  // an item of the window menu
      int height = separator ? kSeparatorHeight : sysMenu_->ItemHeight();
      if (defaultFont_ && !separator) height = std::abs(font.height) + kFontHeightPadding;
      const QString widest = QLatin1Char(' ') + windowMenuCaption(SC_CLOSE) + QLatin1Char(' ') + kCloseKeyText;
      const int text = canvas->drawText(widest, {}, kMeasureFormat).width();
      measured = Size{text + sysMenu_->ItemHeight() + kSysItemExtraWidth, height};
      return;
    }
    int height = separator ? kSeparatorHeight : itemHeight_;
    if (defaultFont_ && !separator) height = std::abs(font.height) + kFontHeightPadding;
    int width;
    if (isBarItem(item))
      width = canvas->drawText(captionOf(item), {}, kMeasureFormat).width();
    else
      width = canvas->drawText(QStringLiteral(" ") + captionOf(item) + shortCutTextOf(item), {}, kMeasureFormat).width() +
              itemHeight_ + kItemExtraWidth;
    if (bannerApplies(item)) width += banner_.BannerWidth() + kBannerGap;
    MeasureMenuItem(item, height);
    measured = Size{width, height};
  });
  return measured;
}

void TImageMenu::MeasureMenuItem(QAction* item, int& height) {
  if (OnMeasureItem && containsItem(item)) OnMeasureItem(menu_, item, height);
}

bool TImageMenu::bannerApplies(const QAction* item) const {
  return banner_.ShowBanner() && !isMainMenu() && rootItems(menu_).contains(const_cast<QAction*>(item));
}

// ---------------------------------------------------------------- drawing

void TImageMenu::drawRequest(QPainter& painter, const QPalette& palette, QWidget* menu, QAction* item, unsigned state,
                             const Rect& rect) {
  // System colours are the same for every item: a disabled item's option
  // carries the disabled colour group, which must not change them.
  painter.save();
  qtCanvas_.attach(&painter, activeColours(palette));
  paintEarlierBackground(item, state, rect);
  drawRequest(qtCanvas_, menu, item, state, rect);
  qtCanvas_.detach();
  painter.restore();
}

// A selected item is drawn over its unselected look, and the parts a
// selected item does not paint (the picture column) keep that look. Qt
// paints each item from nothing, so that earlier painting is made here.
void TImageMenu::paintEarlierBackground(QAction* item, unsigned state, const Rect& rect) {
  if (item == nullptr || !(state & ODS_SELECTED) || isBarItem(item)) return;
  if (containsItem(item) && OnDrawItem) return;  // the handler draws everything
  qtCanvas_.save();
  Rect r = rect;
  if (bannerApplies(item)) r.left += banner_.BannerWidth();
  if (containsItem(item) && bitmapNotEmpty(inActiveBitmap_)) {
    qtCanvas_.drawImagePart(r, inActiveTile_, r);
  } else {
    qtCanvas_.setBrushColor(inActiveColor_);
    qtCanvas_.fillRect(r);
  }
  qtCanvas_.restore();
}

void TImageMenu::drawRequest(Canvas& canvas, QWidget* menu, QAction* item, unsigned state, const Rect& rect) {
  Canvas* previous = drawCanvas_;
  drawCanvas_ = &canvas;
  canvas.save();
  runHandler([&] {
    if (item != nullptr) {
      const bool selected = state & ODS_SELECTED;
      canvas.setBrushColor(selected ? activeColor_ : inActiveColor_);
      CanvasFont font = selected ? activeFont_ : inActiveFont_;
      if (defaultFont_) {
        applyMenuFont(font);
        font.color = clHighlightText;
      }
      canvas.setFont(font);
      DrawMenuItem(menu, item, state, rect);
    } else {
      canvas.fillRect(rect);
    }
    if (state & ODS_FOCUS) canvas.drawFocusRect(rect);
  });
  canvas.restore();
  drawCanvas_ = previous;
}

void TImageMenu::copyTile(const QImage& tile, const Rect& r) { drawCanvas_->drawImagePart(r, tile, r); }

void TImageMenu::DrawMenuItem(QWidget* menu, QAction* item, unsigned state, const Rect& rect) {
  Canvas& canvas = *drawCanvas_;
  if (!containsItem(item)) {
    sysMenu_->DrawSysItem(menu, canvas, state, rect, WindowMenu::commandOf(item), item->isSeparator());
    return;
  }
  if (OnDrawItem) {
    OnDrawItem(menu_, item, QRect(rect.left, rect.top, rect.width(), rect.height()), state);
    return;
  }
  Rect r = rect;
  Rect g{r.left, r.top, r.left + itemHeight_, r.bottom};
  Rect t{r.left + itemHeight_ + 1, r.top, r.right, r.bottom};
  const bool banner = bannerApplies(item);
  const Rect strip{rect.left, rect.top, rect.left + banner_.BannerWidth(), rect.bottom};
  if (banner) {  // the whole item moves right, past the strip
    const int shift = banner_.BannerWidth();
    r = r.translated(shift, 0);
    g = g.translated(shift + kBannerGap, 0);
    t.left += shift + kBannerGap;
  }
  if (item->isSeparator()) {
    if (bitmapNotEmpty(inActiveBitmap_))
      copyTile(inActiveTile_, r);
    else
      canvas.fillRect(r);
  } else {
    drawBackground(item, state, r, g, t);
  }
  if (banner) drawBanner(menu, strip);
  if (item->isSeparator()) {
    DrawSeparator(canvas, r);
    return;
  }
  DrawItemEdge(item, canvas, state, r);
  DrawItemGlyph(item, canvas, state, r);
  DrawItemText(item, canvas, state, r);
}

// The strip's picture spans the menu's items from the first to the last;
// each item copies the slice beside it.
void TImageMenu::drawBanner(QWidget* menu, const Rect& strip) {
  int top = strip.top;
  int bottom = strip.bottom;
  if (auto* popup = qobject_cast<QMenu*>(menu)) {
    int first = INT_MAX;
    int last = INT_MIN;
    for (QAction* item : popup->actions()) {
      const QRect place = popup->actionGeometry(item);
      if (!item->isVisible() || place.isEmpty()) continue;
      first = std::min(first, place.top());
      last = std::max(last, place.top() + place.height());
    }
    if (first < last && first <= strip.top && strip.bottom <= last) {
      top = first;
      bottom = last;
    }
  }
  const QImage& picture = banner_.picture(bottom - top, drawCanvas_->pixelRatio());
  drawCanvas_->drawImagePart(strip, picture, {0, strip.top - top, strip.width(), strip.bottom - top});
}

void TImageMenu::drawBackground(QAction* item, unsigned state, const Rect& r, const Rect& g, const Rect& t) {
  Canvas& canvas = *drawCanvas_;
  const bool selected = state & ODS_SELECTED;
  const bool disabled = state & (ODS_GRAYED | ODS_DISABLED);
  const bool activeBitmap = bitmapNotEmpty(activeBitmap_);
  const bool inActiveBitmap = bitmapNotEmpty(inActiveBitmap_);
  if (menuStyle_ == TMenuStyle::msWindows) {
    if (isBarItem(item)) {
      canvas.setBrushColor(selected ? activeColor_ : clMenu);
      canvas.fillRect(r);
    } else if (selected) {
      activeBitmap ? copyTile(activeTile_, r) : canvas.fillRect(r);
    } else {
      inActiveBitmap ? copyTile(inActiveTile_, r) : canvas.fillRect(r);
    }
    return;
  }
  if (isBarItem(item)) {
    canvas.setBrushColor(clMenu);
    if (inMenuLoop_) canvas.fillRect(r);
  } else if (!selected) {
    inActiveBitmap ? copyTile(inActiveTile_, r) : canvas.fillRect(r);
  } else if (disabled) {
    if (inActiveBitmap) {
      copyTile(inActiveTile_, r);
    } else {
      canvas.setBrushColor(inActiveColor_);
      canvas.fillRect(r);
    }
  } else if (ImageIndexOf(item) == -1) {
    if (activeBitmap)
      copyTile(activeTile_, r);
    else
      canvas.fillRect((state & ODS_CHECKED) ? t : r);
  } else if (activeBitmap) {
    copyTile(activeTile_, t);
    copyTile(activeTile_, g);
  } else {
    canvas.fillRect(t);
  }
}

void TImageMenu::DrawItemEdge(QAction* item, Canvas& canvas, unsigned state, const Rect& rect) {
  Rect e = bannerApplies(item) ? rect.translated(kBannerGap, 0) : rect;
  const bool selected = state & ODS_SELECTED;
  const bool enabled = !(state & (ODS_GRAYED | ODS_DISABLED));
  if (menuStyle_ != TMenuStyle::msOffice || !selected || !enabled) return;
  if (isBarItem(item)) {
    canvas.drawEdge(e, BDR_SUNKENINNER, BF_SOFT | BF_LEFT | BF_TOP);
    canvas.drawEdge(e, BDR_SUNKENOUTER, BF_RIGHT | BF_BOTTOM);
    return;
  }
  e.right = e.left + itemHeight_;
  if ((state & ODS_CHECKED) || ImageIndexOf(item) == -1) return;
  canvas.drawEdge(e, BDR_RAISEDINNER, BF_LEFT | BF_TOP);
  canvas.drawEdge(e, BDR_RAISEDINNER, BF_SOFT | BF_RIGHT | BF_BOTTOM);
}

void TImageMenu::drawPicture(QAction* item, Canvas& canvas, const Rect& p) const {
  const int index = ImageIndexOf(item);
  if (largeImage_)
    canvas.drawImage(p.topLeft(), images_->icon(index).pixmap(QSize(imageSize_, imageSize_), canvas.pixelRatio()).toImage());
  else
    images_->draw(canvas, index, p.topLeft());
}

void TImageMenu::drawCheck(Canvas& canvas, bool enabled, Color mark, const Rect& p) const {
  // The masks are designed on kPictureSize pixels; a larger place gets them
  // made with more pixels, not enlarged.
  const qreal ratio = canvas.pixelRatio();
  const qreal scale = p.width() / static_cast<qreal>(kPictureSize);
  auto part = [&](ComponentPicture picture, Color color) {
    QImage mask = componentMask(picture, ratio * scale);
    mask.setDevicePixelRatio(ratio);
    canvas.fillMask(p.topLeft(), mask, color);
  };
  part(ComponentPicture::CheckLight, clBtnHighlight);
  part(ComponentPicture::CheckMark, enabled ? mark : clGrayText);
  part(ComponentPicture::CheckShade, enabled ? clBtnShadow : cl3DLight);
}

void TImageMenu::DrawItemGlyph(QAction* item, Canvas& canvas, unsigned state, const Rect& rect) {
  if (isBarItem(item)) return;
  const Rect base = bannerApplies(item) ? rect.translated(kBannerGap, 0) : rect;
  const Rect c{base.left, base.top, base.left + itemHeight_, base.bottom};
  const Rect p{c.left + (itemHeight_ - imageSize_) / 2, c.top + (c.height() - imageSize_) / 2, 0, 0};
  const Rect picture{p.left, p.top, p.left + imageSize_, p.top + imageSize_};
  const bool enabled = !(state & (ODS_GRAYED | ODS_DISABLED));
  const bool hasPicture = ImageIndexOf(item) != -1;
  auto removeBrushPicture = [&canvas] {
    if (canvas.brush().style == BrushStyle::Pattern) canvas.setBrushColor(canvas.brush().color);
  };

  if (!(state & ODS_CHECKED)) {
    removeBrushPicture();
    if (images_ == nullptr) return;
    if (!enabled)
      DrawGrayImage(item, canvas, state, picture);
    else if (ImageIndexOf(item) >= 0)
      drawPicture(item, canvas, picture);
    return;
  }
  const bool office = menuStyle_ == TMenuStyle::msOffice;
  // The mark is drawn like the item's text on the cell's background: an
  // office cell keeps the unselected look.
  const Color mark = (state & ODS_SELECTED) && !office ? activeFont_.color : inActiveFont_.color;
  if (office) {
    if (state & ODS_SELECTED) {
      removeBrushPicture();
      canvas.setBrushColor(inActiveColor_);
    } else if (canvas.brush().style != BrushStyle::Pattern) {
      canvas.setBrushPattern(CheckedPattern());
    }
    canvas.fillRect(c);
    canvas.setBrushHollow();
    if (hasPicture)
      enabled ? drawPicture(item, canvas, picture) : DrawGrayImage(item, canvas, state, picture);
    else
      drawCheck(canvas, enabled, mark, picture);
    canvas.drawEdge(c, BDR_SUNKENINNER, BF_SOFT | BF_LEFT | BF_TOP);
    canvas.drawEdge(c, BDR_SUNKENOUTER, BF_RIGHT | BF_BOTTOM);
    return;
  }
  removeBrushPicture();
  canvas.setBrushHollow();
  drawCheck(canvas, enabled, mark, picture);
}

void TImageMenu::DrawItemText(QAction* item, Canvas& canvas, unsigned state, const Rect& rect) {
  canvas.setBrushHollow();
  const bool selected = state & ODS_SELECTED;
  const bool enabled = !(state & (ODS_GRAYED | ODS_DISABLED));
  const bool office = menuStyle_ == TMenuStyle::msOffice;
  if (isBarItem(item)) {
    const QString caption = captionOf(item);
    Rect r = rect;
    if (enabled && selected) {
      if (office) {
        r = r.translated(1, 1);
        canvas.setFontColor(inActiveFont_.color);
      }
    } else if (enabled) {
      if (office && rootIndexOf(menu_, item) == HotIndex()) {
        CanvasFont font = canvas.font();
        font.bold = activeFont_.bold;
        font.italic = activeFont_.italic;
        font.underline = activeFont_.underline;
        font.strikeOut = activeFont_.strikeOut;
        canvas.setFont(font);
      }
      canvas.setFontColor(inActiveFont_.color);
    } else {
      canvas.setFontColor(clBtnHighlight);
      canvas.drawText(caption, r.translated(1, 1), kBarTextFormat);
      canvas.setFontColor(clGrayText);
    }
    canvas.drawText(caption, r, kBarTextFormat);
    return;
  }
  if (state & ODS_DEFAULT) {
    CanvasFont font = canvas.font();
    font.bold = true;
    canvas.setFont(font);
  }
  const bool banner = bannerApplies(item);
  Rect x = rect;
  x.left += itemHeight_ + 1 + (banner ? kBannerGap : 0);
  Rect y = x;
  y.right -= kShortCutRightMargin + (banner ? banner_.BannerWidth() : 0);
  const QString caption = QStringLiteral(" ") + captionOf(item);
  const QString shortCut = shortCutTextOf(item);
  auto drawTexts = [&](int shift) {
    canvas.drawText(caption, x.translated(shift, shift), kCaptionFormat);
    canvas.drawText(shortCut, y.translated(shift, shift), kShortCutFormat);
  };
  if (enabled) {
    canvas.setFontColor(selected ? activeFont_.color : inActiveFont_.color);
    drawTexts(0);
    return;
  }
  if (!(selected && !office)) {
    canvas.setFontColor(clBtnHighlight);
    drawTexts(1);
  }
  canvas.setFontColor(clGrayText);
  drawTexts(0);
}

void TImageMenu::DrawSeparator(Canvas& canvas, const Rect& rect) {
  const int y = rect.top + (rect.bottom - rect.top) / 2;
  canvas.setPen(clGrayText);
  canvas.line({rect.left + 1, y}, {rect.right - 1, y});
  canvas.setPen(clBtnHighlight);
  canvas.line({rect.left + 1, y + 1}, {rect.right - 1, y + 1});
}

void TImageMenu::embossPicture(Canvas& canvas, const QImage& picture, Point at) {
  if (picture.isNull()) return;
  const QImage mask = embossMask(picture);
  const EmbossColours colours = embossColours(canvas.darkTheme());
  canvas.fillMask({at.x + 1, at.y + 1}, mask, colours.highlight);
  canvas.fillMask(at, mask, colours.shape);
}

void TImageMenu::paintMask(Canvas& canvas, ComponentPicture picture, Point at, Color color) {
  canvas.fillMask(at, componentMask(picture, canvas.pixelRatio()), color);
}

void TImageMenu::DrawGrayImage(QAction* item, Canvas& canvas, unsigned, const Rect& rect) {
  const int index = ImageIndexOf(item);
  if (index == -1 || images_ == nullptr) return;
  const QImage picture =
      largeImage_ ? images_->icon(index).pixmap(QSize(imageSize_, imageSize_), canvas.pixelRatio()).toImage()
                  : images_->image(index);
  embossPicture(canvas, picture, rect.topLeft());
}

// ---------------------------------------------------------------- hints

void TImageMenu::MenuItemSelected(QAction* item, const QString& hint) {
  if (OnMenuSelect) OnMenuSelect(item, hint);
}

void TImageMenu::ShowItemHint(const QString& text) {
  if (hintWindow_ == nullptr) {
    hintWindow_ = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    hintWindow_->setObjectName(QStringLiteral("ImageMenuHint"));
    hintWindow_->setAttribute(Qt::WA_ShowWithoutActivating);
    hintWindow_->setAutoFillBackground(true);
    hintWindow_->setFrameShape(QFrame::Box);
    connect(this, &QObject::destroyed, hintWindow_, &QObject::deleteLater);
  }
  // The tooltip colours of the palette in force now (it may have changed
  // since the last hint).
  QPalette palette = QGuiApplication::palette();
  palette.setColor(QPalette::Window, resolve(clInfoBk));
  palette.setColor(QPalette::WindowText, resolve(clInfoText));
  hintWindow_->setPalette(palette);
  MeasureCanvas canvas;
  canvas.setFont(CanvasFont{hintWindow_->font().family(), -hintWindow_->fontInfo().pixelSize()});
  const Size screen = screenSize();
  Rect r = canvas.drawText(text, {0, 0, screen.width, 0}, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXTERNALLEADING);
  const Point cursor = cursorPosition();
  r = r.translated(cursor.x, cursor.y + captionHeight());
  r.right += kHintExtraWidth;
  r.bottom += kHintExtraHeight;
  hintWindow_->setText(text);
  hintWindow_->setGeometry(r.left, r.top, r.width(), r.height());
  hintWindow_->show();
}

void TImageMenu::HideItemHint() {
  if (hintWindow_ != nullptr && hintWindow_->isVisible()) hintWindow_->hide();
}

}  // namespace sorabel::imagemenu
