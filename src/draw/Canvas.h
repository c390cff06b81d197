#pragma once
// The drawing port of the components: a device-context-like canvas with the
// desktop's drawing rules, so that the components' painting can be checked
// on a recording canvas and shown through QPainter (QtCanvas).
//
// State (brush, pen, font, clip) is kept here and saved and restored as a
// whole. The brush is a colour, an 8 x 8 pattern tiled from the device's
// origin, or hollow. Text is drawn in the font's colour; with a brush that
// is not hollow, its background is filled first (opaque text).

#include <QImage>
#include <QString>
#include <vector>

#include "draw/CanvasFont.h"
#include "draw/DrawTypes.h"

namespace sorabel::draw {

enum class BrushStyle { Solid, Pattern, Hollow };
enum class PenStyle { Solid, Dot };

struct Brush {
  BrushStyle style = BrushStyle::Solid;
  Color color = clWindow;
  QImage pattern;
};

struct Pen {
  Color color = clBlack;
  int width = 1;
  PenStyle style = PenStyle::Solid;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Brush.
  void setBrushColor(Color color);
  void setBrushPattern(const QImage& pattern);
  void setBrushHollow();
  const Brush& brush() const { return state_.brush; }

  // Pen for lines and rectangles.
  void setPen(Color color, int width = 1, PenStyle style = PenStyle::Solid);
  const Pen& pen() const { return state_.pen; }

  // Font and text colour.
  void setFont(const CanvasFont& font) { state_.font = font; }
  void setFontColor(Color color) { state_.font.color = color; }
  const CanvasFont& font() const { return state_.font; }

  // SaveDC / RestoreDC: brush, pen, font and clip.
  void save();
  void restore();
  void setClipRect(const Rect& rect);

  // Fills with the brush; a hollow brush fills nothing.
  virtual void fillRect(const Rect& rect) = 0;
  // A one-pixel frame in the brush colour.
  virtual void frameRect(const Rect& rect) = 0;
  // The pen's outline with the brush inside.
  virtual void rectangle(const Rect& rect) = 0;
  virtual void drawFocusRect(const Rect& rect) = 0;
  // A line in the pen; the end point is not drawn.
  virtual void line(Point from, Point to) = 0;
  virtual void setPixel(Point at, Color color) = 0;
  // DrawEdge (see Edges.h). Returns the rectangle inside the rings.
  virtual Rect drawEdge(const Rect& rect, unsigned edge, unsigned flags);
  // DrawText with DT_* formats. With DT_CALCRECT nothing is drawn and the
  // rectangle the text needs is returned (its left and top kept); otherwise
  // the given rectangle.
  virtual Rect drawText(const QString& text, const Rect& rect, unsigned format) = 0;
  // The width and height of one line of text (no prefix processing).
  virtual Size textExtent(const QString& text) = 0;
  // Draws an image (alpha respected) at a point.
  virtual void drawImage(Point at, const QImage& image) = 0;
  // Copies the source part of an image into dest, scaled when the sizes
  // differ (background tiles, larger check marks).
  virtual void drawImagePart(const Rect& dest, const QImage& image, const Rect& source) = 0;
  // Paints color where mask is black and leaves the canvas where it is
  // white (the raster operation 0xE20746 with a solid brush).
  virtual void fillMask(Point at, const QImage& mask, Color color) = 0;

  // Images are placed and measured in logical pixels: an image whose device
  // pixel ratio is 2 covers half its pixel size, and a source rectangle of
  // drawImagePart is in those logical pixels too.

  // The device pixels to a logical pixel of what the canvas paints on. The
  // components make their pictures at this ratio so that a high-density
  // screen shows them sharp instead of enlarged.
  virtual qreal pixelRatio() const { return 1.0; }
  // The colours the canvas paints with are a dark theme's (light text on a
  // dark window).
  virtual bool darkTheme() const { return false; }

 protected:
  struct State {
    Brush brush;
    Pen pen;
    CanvasFont font;
    bool clipped = false;
    Rect clip;
  };
  const State& state() const { return state_; }
  // Told when the clip changes (after save, restore and the setters).
  virtual void clipChanged() {}

 private:
  State state_;
  std::vector<State> saved_;
};

// The pixels of an image's drawing as a one-bit mask for embossing: black
// where the image is drawn (opaque and not white), white elsewhere. The mask
// keeps the image's device pixel ratio.
QImage embossMask(const QImage& image);

// The two colours of an embossed (disabled) picture: the highlight drawn one
// pixel down and right, and the shape over it. The shape is the button
// shadow; on a dark theme, where that shadow is lost in the dark face, it is
// the disabled text colour.
struct EmbossColours {
  Color highlight;
  Color shape;
};
EmbossColours embossColours(bool darkTheme);

// An image with every pixel of one colour made transparent.
QImage withTransparentColor(const QImage& image, Color color);

// The 8 x 8 checkerboard: pixels whose row and column have the same parity
// take light, the others base.
QImage checkerPattern(const QColor& base, const QColor& light);

}  // namespace sorabel::draw
