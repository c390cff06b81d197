#include "components/toolbars/TDock.h"

#include <QContextMenuEvent>
#include <QLayout>
#include <QMenu>
#include <QPainter>
#include <algorithm>

#include "components/toolbars/TToolbar.h"
#include "components/toolbars/ToolbarAccessible.h"
#include "components/toolbars/ToolbarMetrics.h"
#include "draw/HandlerBoundary.h"
#include "draw/QtCanvas.h"
#include "draw/SysColors.h"

namespace sorabel::toolbars {

using namespace draw;

namespace {

QWidget* checkedParent(QWidget* parent) {
  if (qobject_cast<TToolbar*>(parent) != nullptr || qobject_cast<TDock*>(parent) != nullptr)
    throw EInvalidOperation("A TDock control cannot be placed inside a TToolbar or another TDock");
  return parent;
}

}  // namespace

TDock::TDock(QWidget* parent, TDockPosition position)
    : QWidget(checkedParent(parent)), color_(clBtnFace), position_(position) {
  raiseArrangeLock();
  parentBefore_ = parent;
  setObjectName(QStringLiteral("Dock"));
  installToolbarAccessibility();
  // Resizing the form does not repaint the whole dock.
  setAttribute(Qt::WA_StaticContents);
  watchParent();
  lowerArrangeLock();
  RelayoutBars();
}

TDock::~TDock() {
  destroying_ = true;
  barList_.clear();
  for (TToolbar* bar : findChildren<TToolbar*>(Qt::FindDirectChildrenOnly)) bar->dockDestroyed();
}

void TDock::setParent(QWidget* parent) {
  checkedParent(parent);
  const bool shown = !isHidden();
  QWidget::setParent(parent);
  setVisible(shown);
}

// A dock put into a toolbar or another dock through QWidget goes back.
void TDock::handleParentChange() {
  QWidget* now = parentWidget();
  if (qobject_cast<TToolbar*>(now) == nullptr && qobject_cast<TDock*>(now) == nullptr) {
    parentBefore_ = now;
    watchParent();
    return;
  }
  reparenting_ = true;
  QWidget::setParent(parentBefore_);
  reparenting_ = false;
  QWidget::setVisible(true);
  checkedParent(now);
}

void TDock::watchParent() {
  if (watchedParent_ == parentWidget()) return;
  if (watchedParent_ != nullptr) watchedParent_->removeEventFilter(this);
  watchedParent_ = parentWidget();
  if (watchedParent_ != nullptr) watchedParent_->installEventFilter(this);
}

void TDock::alignDocks(QWidget* parent) {
  static bool aligning = false;
  if (parent == nullptr || parent->layout() != nullptr || aligning) return;
  aligning = true;
  QRect free = parent->contentsRect();
  const QList<TDock*> docks = parent->findChildren<TDock*>(Qt::FindDirectChildrenOnly);
  for (TDockPosition edge : {TDockPosition::dpTop, TDockPosition::dpBottom, TDockPosition::dpLeft, TDockPosition::dpRight})
    for (TDock* dock : docks) {
      if (dock->position_ != edge || dock->destroying_) continue;
      const int h = dock->height();
      const int w = dock->width();
      switch (edge) {
        case TDockPosition::dpTop:
          dock->setGeometry(free.left(), free.top(), free.width(), h);
          free.setTop(free.top() + h);
          break;
        case TDockPosition::dpBottom:
          dock->setGeometry(free.left(), free.bottom() + 1 - h, free.width(), h);
          free.setBottom(free.bottom() - h);
          break;
        case TDockPosition::dpLeft:
          dock->setGeometry(free.left(), free.top(), w, free.height());
          free.setLeft(free.left() + w);
          break;
        case TDockPosition::dpRight:
          dock->setGeometry(free.right() + 1 - w, free.top(), w, free.height());
          free.setRight(free.right() - w);
          break;
      }
    }
  aligning = false;
}

// ---------------------------------------------------------------- properties

void TDock::setBackground(const QImage& background) {
  background_ = background;
  discardTransparentCache();
  repaintWithBars();
}

void TDock::setBackgroundTransparent(bool transparent) {
  if (transparent == backgroundTransparent_) return;
  backgroundTransparent_ = transparent;
  discardTransparentCache();
  repaintWithBars();
}

void TDock::setBoundLines(TDockBoundLines lines) {
  if (lines == boundLines_) return;
  boundLines_ = lines;
  updateBoundLineMargins();
  RelayoutBars();
  update();
}

void TDock::setColor(draw::Color color) {
  color_ = color;
  discardTransparentCache();
  repaintWithBars();
}

void TDock::setFixAlign(bool fixAlign) {
  if (fixAlign == fixAlign_) return;
  fixAlign_ = fixAlign;
  RelayoutBars();
}

void TDock::setPosition(TDockPosition position) {
  if (!findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty())
    throw EInvalidOperation("Cannot change Position of a TDock if it already contains controls");
  position_ = position;
  RelayoutBars();
}

void TDock::setVisible(bool visible) {
  if (!visible && !isHidden() && !reparenting_ && !destroying_) throw EInvalidOperation("Cannot hide a TDock");
  QWidget::setVisible(visible);
}

void TDock::discardTransparentCache() { transparentCache_ = QImage(); }

void TDock::repaintWithBars() {
  update();
  for (TToolbar* bar : barList_) bar->update();
}

// ---------------------------------------------------------------- bars and rows

QMargins TDock::boundMarginsFor(int windowWidth, int windowHeight) const {
  if (windowWidth < 2 || windowHeight < 2) return {};
  return {(boundLines_ & blLeft) ? 1 : 0, (boundLines_ & blTop) ? 1 : 0, (boundLines_ & blRight) ? 1 : 0,
          (boundLines_ & blBottom) ? 1 : 0};
}

void TDock::updateBoundLineMargins() { setContentsMargins(boundMarginsFor(width(), height())); }

Rect TDock::clientRect() const {
  const QRect r = contentsRect();
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void TDock::RelayoutBars() {
  if (arrangeLock_ > 0 || destroying_ || relayingOut_) return;
  relayingOut_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{relayingOut_};
  const bool vertical = isVerticalDock();
  if (barList_.empty()) {
    rowExtents_.clear();
    const int thickness = emptyDockThickness(fixAlign_);
    SetThickness(false, vertical ? thickness : width(), vertical ? height() : thickness);
    return;
  }
  std::vector<DockedBar> bars;
  for (std::size_t i = 0; i < barList_.size(); ++i) {
    const TToolbar* bar = barList_[i];
    bars.push_back({bar->DockRow(), bar->DockPos(), bar->width(), bar->height(), bar->ContentHeight(),
                    bar->ContentWidth(), static_cast<int>(i)});
  }
  // The bound lines of the dock at its new thickness (a row is at least
  // kMinContentSize thick), so that the toolbars are placed inside them at once.
  setContentsMargins(vertical ? boundMarginsFor(kMinContentSize, height()) : boundMarginsFor(width(), kMinContentSize));
  const Rect client = clientRect();
  // Until the form's layout has given the dock its size, toolbars are not
  // pushed back from a far edge that is not yet known.
  constexpr int kUnknownLength = 1 << 20;
  const bool sized = testAttribute(Qt::WA_WState_Visible) || testAttribute(Qt::WA_Resized);
  const int length = !sized ? kUnknownLength : (vertical ? client.height() : client.width());
  const DockLayoutResult result = relayoutBars(bars, vertical, length, limitToOneRow_);
  rowExtents_ = result.rowExtents;
  std::vector<TToolbar*> ordered;
  for (std::size_t k = 0; k < result.bars.size(); ++k) {
    TToolbar* bar = barList_[static_cast<std::size_t>(result.bars[k].id)];
    ordered.push_back(bar);
    bar->placeInDock(result.bars[k].dockRow, result.bars[k].dockPos, result.bounds[k].translated(client.left, client.top));
  }
  barList_ = ordered;
  SetThickness(true, vertical ? result.thickness : client.width(), vertical ? client.height() : result.thickness);
}

void TDock::AddRemoveBar(bool inserting, TToolbar* bar, bool barVisible) {
  const auto found = std::find(barList_.begin(), barList_.end(), bar);
  bool changed = false;
  if (inserting) {
    if (found != barList_.end()) barList_.erase(found);
    if (barVisible) {
      barList_.push_back(bar);
      changed = true;
    }
  } else if (found != barList_.end()) {
    barList_.erase(found);
    changed = true;
  }
  if (!changed) return;
  RelayoutBars();
  if (OnInsertRemoveBar) OnInsertRemoveBar(this, inserting, bar);
}

int TDock::RowAtPosition(int coordinate) const { return rowAtPosition(rowExtents_, isVerticalDock(), coordinate); }

RowDrop TDock::DropRowAt(int coordinate) const { return dropRowAt(rowExtents_, isVerticalDock(), coordinate); }

void TDock::OpenRow(int row) {
  for (TToolbar* bar : barList_)
    if (bar->DockRow() >= row) bar->dockRow_ = bar->DockRow() + 1;
}

void TDock::SetThickness(bool asClientSize, int width, int height) {
  if (asClientSize) {
    // The bound lines are drawn only on a dock of at least 2 x 2 pixels.
    const QMargins border = boundMarginsFor(width + 2, height + 2);
    const int outerWidth = width + border.left() + border.right();
    const int outerHeight = height + border.top() + border.bottom();
    if (outerWidth >= 2 && outerHeight >= 2) {
      width = outerWidth;
      height = outerHeight;
    }
  }
  DockAlign align = DockAlign::Top;
  switch (position_) {
    case TDockPosition::dpTop: align = DockAlign::Top; break;
    case TDockPosition::dpBottom: align = DockAlign::Bottom; break;
    case TDockPosition::dpLeft: align = DockAlign::Left; break;
    case TDockPosition::dpRight: align = DockAlign::Right; break;
  }
  const Rect bounds = thicknessBounds(align, {x(), y(), x() + this->width(), y() + this->height()}, width, height);
  if (isVerticalDock())
    setFixedWidth(bounds.width());
  else
    setFixedHeight(bounds.height());
  if (parentWidget() == nullptr) {
    setGeometry(bounds.left, bounds.top, bounds.width(), bounds.height());
  } else if (parentWidget()->layout() == nullptr) {
    resize(bounds.width(), bounds.height());
    alignDocks(parentWidget());
  }
  updateBoundLineMargins();
}

// ---------------------------------------------------------------- background

const QImage& TDock::tile() {
  if (!backgroundTransparent_) return background_;
  if (transparentCache_.isNull()) {
    transparentCache_ = QImage(background_.size(), QImage::Format_RGB32);
    transparentCache_.setDevicePixelRatio(background_.devicePixelRatio());
    transparentCache_.fill(resolve(color_, palette()));
    QPainter painter(&transparentCache_);
    painter.drawImage(0, 0, withTransparentColor(background_, toRgb(background_.pixelColor(0, background_.height() - 1))));
  }
  return transparentCache_;
}

void TDock::DrawBackgroundTiles(Canvas& canvas, const Rect& clip, const Rect& tileRect) {
  if (background_.width() == 0 || background_.height() == 0) return;
  const QImage& picture = tile();
  // Tiles are laid in logical pixels: a background made for a high-density
  // screen covers its logical size.
  const int tileWidth = std::max(1, qRound(picture.deviceIndependentSize().width()));
  const int tileHeight = std::max(1, qRound(picture.deviceIndependentSize().height()));
  canvas.save();
  try {
    canvas.setClipRect(clip);
    for (int x = tileRect.left; x < tileRect.right; x += tileWidth)
      for (int y = tileRect.top; y < tileRect.bottom; y += tileHeight) canvas.drawImage({x, y}, picture);
  } catch (...) {
    canvas.restore();
    throw;
  }
  canvas.restore();
}

QPoint TDock::tileOrigin() const { return mapFromParent(QPoint(0, 0)); }

void TDock::paintEvent(QPaintEvent*) {
  runHandler([this] {
    QPainter painter(this);
    QtCanvas canvas(&painter, palette());
    paintDock(canvas);
  });
}

void TDock::paintDock(Canvas& canvas) {
  canvas.setBrushColor(color_);
  canvas.fillRect({0, 0, width(), height()});
  const Rect client = clientRect();
  const QPoint origin = tileOrigin();
  DrawBackgroundTiles(canvas, client, {origin.x(), origin.y(), client.right, client.bottom});
  const int w = width();
  const int h = height();
  if (w < 2 || h < 2) return;
  auto edgeLine = [&](TDockBoundLine line, Point from, Point to, draw::Color color) {
    if (!(boundLines_ & line)) return;
    canvas.setPen(color);
    canvas.line(from, to);
  };
  edgeLine(blTop, {0, 0}, {w, 0}, clBtnShadow);
  edgeLine(blBottom, {0, h - 1}, {w, h - 1}, clBtnHighlight);
  edgeLine(blLeft, {0, 0}, {0, h}, clBtnShadow);
  edgeLine(blRight, {w - 1, 0}, {w - 1, h}, clBtnHighlight);
}

void TDock::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // During the dock's own layout (which sets the margins it places the
  // toolbars in, and Qt answers with a resize event) nothing more to do.
  if (relayingOut_) return;
  runHandler([this] {
    const QMargins before = contentsMargins();
    updateBoundLineMargins();
    if (contentsMargins() != before || !barList_.empty()) RelayoutBars();  // AlignControls
  });
}

void TDock::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  runHandler([this] {
    if (!background_.isNull()) repaintWithBars();  // the tile origin moved
  });
}

void TDock::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) {
    discardTransparentCache();
    repaintWithBars();
  }
}

bool TDock::event(QEvent* event) {
  if (event->type() == QEvent::ParentAboutToChange) reparenting_ = true;
  if (event->type() == QEvent::ParentChange) {
    reparenting_ = false;
    runHandler([this] { handleParentChange(); });
  }
  return QWidget::event(event);
}

// The parent's size places a dock on a form without a layout.
bool TDock::eventFilter(QObject* watched, QEvent* event) {
  if (watched == watchedParent_ && event->type() == QEvent::Resize)
    runHandler([this] { alignDocks(parentWidget()); });
  return QWidget::eventFilter(watched, event);
}

void TDock::contextMenuEvent(QContextMenuEvent* event) {
  runHandler([&] {
    if (popupMenu_ != nullptr) popupMenu_->popup(event->globalPos());
  });
}

void TDock::childEvent(QChildEvent* event) {
  QWidget::childEvent(event);
  if (event->removed() && !destroying_) {
    // The child is already half destroyed here: compare addresses as QObject
    // instead of casting it down to a toolbar.
    const QObject* child = event->child();
    auto found = std::find_if(barList_.begin(), barList_.end(),
                              [child](TToolbar* bar) { return static_cast<QObject*>(bar) == child; });
    if (found != barList_.end()) {
      barList_.erase(found);
      RelayoutBars();
    }
  }
}

}  // namespace sorabel::toolbars
