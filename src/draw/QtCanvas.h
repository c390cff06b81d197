#pragma once
// The drawing port on a QPainter. One QtCanvas can be attached to one
// painter after another (a component keeps one canvas for all its draw
// requests). System colours are resolved from the palette given.

#include <QPainter>
#include <QPalette>

#include "draw/Canvas.h"

namespace sorabel::draw {

class QtCanvas : public Canvas {
 public:
  QtCanvas() = default;
  explicit QtCanvas(QPainter* painter, const QPalette& palette = QPalette()) { attach(painter, palette); }

  void attach(QPainter* painter, const QPalette& palette);
  void detach();
  bool attached() const { return painter_ != nullptr; }

  void fillRect(const Rect& rect) override;
  void frameRect(const Rect& rect) override;
  void rectangle(const Rect& rect) override;
  void drawFocusRect(const Rect& rect) override;
  void line(Point from, Point to) override;
  void setPixel(Point at, Color color) override;
  Rect drawText(const QString& text, const Rect& rect, unsigned format) override;
  Size textExtent(const QString& text) override;
  void drawImage(Point at, const QImage& image) override;
  void drawImagePart(const Rect& dest, const QImage& image, const Rect& source) override;
  void fillMask(Point at, const QImage& mask, Color color) override;

 protected:
  void clipChanged() override;

 private:
  QColor color(Color c) const;
  QBrush qbrush() const;

  QPainter* painter_ = nullptr;
  QPalette palette_;
};

// A canvas that measures text only (the screen's device context of a
// measure request): drawing does nothing.
class MeasureCanvas : public Canvas {
 public:
  void fillRect(const Rect&) override {}
  void frameRect(const Rect&) override {}
  void rectangle(const Rect&) override {}
  void drawFocusRect(const Rect&) override {}
  void line(Point, Point) override {}
  void setPixel(Point, Color) override {}
  Rect drawText(const QString& text, const Rect& rect, unsigned format) override;
  Size textExtent(const QString& text) override;
  void drawImage(Point, const QImage&) override {}
  void drawImagePart(const Rect&, const QImage&, const Rect&) override {}
  void fillMask(Point, const QImage&, Color) override {}
};

// The rectangle DT_CALCRECT gives for text in font, laid out in rect.
Rect calculateTextRect(const QString& text, const Rect& rect, unsigned format, const QFont& font);

}  // namespace sorabel::draw
