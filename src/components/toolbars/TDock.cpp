#include "components/toolbars/TDock.h"

#include <QLayout>
#include <QPainter>

#include "components/toolbars/TToolbar.h"
#include "platform/draw/AccessibleWidget.h"
#include "platform/draw/QtCanvas.h"
#include "platform/draw/SysColors.h"

namespace sorabel::toolbars {

using namespace draw;

TDock::TDock(QWidget* parent, TDockPosition position) : QWidget(parent), color_(clBtnFace), position_(position) {
  if (qobject_cast<TToolbar*>(parent) != nullptr || qobject_cast<TDock*>(parent) != nullptr)
    throw EInvalidOperation("A TDock control cannot be placed inside a TToolbar or another TDock");
  raiseArrangeLock();
  setObjectName(QStringLiteral("Dock"));
  setAccessibleRole(this, QAccessible::ToolBar);
  setAccessibleName(QStringLiteral("Dock"));
  // Resizing the form does not repaint the whole dock.
  setAttribute(Qt::WA_StaticContents);
  lowerArrangeLock();
  RelayoutBars();
}

TDock::~TDock() { barList_.clear(); }

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
  if (!visible && !isHidden()) throw EInvalidOperation("Cannot hide a TDock");
  QWidget::setVisible(visible);
}

void TDock::discardTransparentCache() { transparentCache_ = QImage(); }

void TDock::repaintWithBars() {
  update();
  for (TToolbar* bar : barList_) bar->update();
}

// ---------------------------------------------------------------- bars and rows

void TDock::updateBoundLineMargins() {
  if (width() < 2 || height() < 2) {
    setContentsMargins(0, 0, 0, 0);
    return;
  }
  setContentsMargins((boundLines_ & blLeft) ? 1 : 0, (boundLines_ & blTop) ? 1 : 0, (boundLines_ & blRight) ? 1 : 0,
                     (boundLines_ & blBottom) ? 1 : 0);
}

Rect TDock::clientRect() const {
  const QRect r = contentsRect();
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void TDock::RelayoutBars() {
  if (arrangeLock_ > 0) return;
  const bool vertical = isVerticalDock();
  if (barList_.empty()) {
    rowExtents_.clear();
    const int thickness = emptyDockThickness(fixAlign_, false);
    SetThickness(false, vertical ? thickness : width(), vertical ? height() : thickness);
    return;
  }
  std::vector<DockedBar> bars;
  for (std::size_t i = 0; i < barList_.size(); ++i) {
    const TToolbar* bar = barList_[i];
    bars.push_back({bar->DockRow(), bar->DockPos(), bar->width(), bar->height(), bar->ContentHeight(),
                    bar->ContentWidth(), static_cast<int>(i)});
  }
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
    if (bar->DockRow() >= row) bar->setDockRowQuietly(bar->DockRow() + 1);
}

RowExtent TDock::RowExtentOf(int row, const TToolbar* bar) const {
  if (row >= 0 && row < static_cast<int>(rowExtents_.size())) return rowExtents_[static_cast<std::size_t>(row)];
  if (bar != nullptr) return bar->ownExtent();
  return {};
}

void TDock::SetThickness(bool asClientSize, int width, int height) {
  if (asClientSize) {
    // The bound lines are drawn only on a dock of at least 2 x 2 pixels.
    const QMargins border = contentsMargins();
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
  if (parentWidget() == nullptr || parentWidget()->layout() == nullptr)
    setGeometry(bounds.left, bounds.top, bounds.width(), bounds.height());
}

// ---------------------------------------------------------------- background

const QImage& TDock::tile() {
  if (!backgroundTransparent_) return background_;
  if (transparentCache_.isNull()) {
    transparentCache_ = QImage(background_.size(), QImage::Format_RGB32);
    transparentCache_.fill(resolve(color_, palette()));
    QPainter painter(&transparentCache_);
    painter.drawImage(0, 0, withTransparentColor(background_, toRgb(background_.pixelColor(0, background_.height() - 1))));
  }
  return transparentCache_;
}

void TDock::DrawBackgroundTiles(Canvas& canvas, const Rect& clip, const Rect& tileRect) {
  if (background_.width() == 0 || background_.height() == 0) return;
  const QImage& picture = tile();
  canvas.save();
  try {
    canvas.setClipRect(clip);
    for (int x = tileRect.left; x < tileRect.right; x += picture.width())
      for (int y = tileRect.top; y < tileRect.bottom; y += picture.height()) canvas.drawImage({x, y}, picture);
  } catch (...) {
    canvas.restore();
    throw;
  }
  canvas.restore();
}

QPoint TDock::tileOrigin() const { return mapFromParent(QPoint(0, 0)); }

void TDock::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QtCanvas canvas(&painter, palette());
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
  const QMargins before = contentsMargins();
  updateBoundLineMargins();
  if (contentsMargins() != before || !barList_.empty()) RelayoutBars();  // AlignControls
}

void TDock::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (!background_.isNull()) repaintWithBars();  // the tile origin moved
}

void TDock::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) {
    discardTransparentCache();
    repaintWithBars();
  }
}

void TDock::childEvent(QChildEvent* event) {
  QWidget::childEvent(event);
  if (event->removed()) {
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
