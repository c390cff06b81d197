#include "components/toolbars/FloatingFrame.h"

#include <algorithm>

#include "draw/Canvas.h"
#include "draw/SystemMetrics.h"

namespace sorabel::toolbars {

using namespace draw;

namespace {
// The caption's font is this many pixels high.
constexpr int kCaptionFontHeight = 11;
// A caption that does not fit loses characters until it fits or only this
// many are left.
constexpr int kMinFittedLength = 4;
// The close button's cross is this much smaller than the button.
constexpr int kCrossInset = 8;
}  // namespace

FrameMetrics floatingFrameMetrics() { return {sizingFrameWidth(), smallCaptionHeight()}; }

Point clientOrigin(const FrameMetrics& m) { return {m.frameWidth, m.frameWidth + m.captionHeight}; }

Rect captionRect(const FrameMetrics& m, int clientWidth, bool closeButton) {
  Rect r{m.frameWidth, m.frameWidth, m.frameWidth + clientWidth, m.frameWidth + m.captionHeight - 1};
  if (closeButton) r.right -= m.captionHeight - 1;
  return r;
}

Rect closeButtonRect(const FrameMetrics& m, int clientWidth) {
  return {m.frameWidth + clientWidth - m.captionHeight + 1, m.frameWidth, m.frameWidth + clientWidth,
          m.frameWidth + m.captionHeight - 1};
}

FrameHit hitTestFrame(const FrameMetrics& m, Size window, bool closeButton, Point p) {
  const int f = m.frameWidth;
  const int clientWidth = window.width - 2 * f;
  if (captionRect(m, clientWidth, false).contains(p))
    return closeButton && closeButtonRect(m, clientWidth).contains(p) ? FrameHit::CloseButton : FrameHit::Client;
  if (p.y >= 0 && p.y <= f) return FrameHit::Top;
  if (p.y >= window.height - f - 1 && p.y < window.height) return FrameHit::Bottom;
  if (p.x >= 0 && p.x <= f) return FrameHit::Left;
  if (p.x >= window.width - f - 1 && p.x < window.width) return FrameHit::Right;
  return FrameHit::Nowhere;
}

QString fitCaption(const QString& caption, int width, const std::function<int(const QString&)>& measure) {
  if (measure(caption) <= width) return caption;
  QString text = caption;
  while (text.size() > kMinFittedLength) {
    text.chop(1);
    if (measure(text + QStringLiteral("...")) <= width) break;
  }
  return text + QStringLiteral("...");
}

void drawFloatingFrame(Canvas& canvas, const FrameMetrics& m, Size window, int clientWidth, const QString& caption,
                       const FramePaint& paint) {
  const int f = m.frameWidth;
  if (paint.frame) {
    Rect ring = canvas.drawEdge({0, 0, window.width, window.height}, EDGE_RAISED, BF_RECT);
    canvas.setBrushColor(clBtnFace);
    for (int i = 2; i < f; ++i) {
      canvas.frameRect(ring);
      ring = ring.inflated(-1, -1);
    }
  }
  if (paint.caption) {
    const Rect r = captionRect(m, clientWidth, paint.closeButton);
    canvas.setBrushColor(clActiveCaption);
    canvas.fillRect(r);
    CanvasFont font = canvas.font();
    font.color = clCaptionText;
    font.height = -kCaptionFontHeight;
    font.bold = false;
    canvas.setFont(font);
    canvas.setBrushHollow();
    const Rect text{r.left + 1, r.top, r.right - 1, r.bottom};
    const QString shown =
        fitCaption(caption, text.width(), [&canvas](const QString& t) { return canvas.textExtent(t).width; });
    canvas.drawText(shown, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    canvas.setPen(clBtnFace);
    canvas.line({f, f + m.captionHeight - 1}, {f + clientWidth, f + m.captionHeight - 1});
  }
  if (paint.closeButton) {
    const Rect button = closeButtonRect(m, clientWidth).inflated(-1, -1);
    canvas.setBrushColor(clBtnFace);
    canvas.fillRect(button);
    canvas.drawEdge(button, paint.closePressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const int shift = paint.closePressed ? 1 : 0;
    const int size = std::max(3, std::min(button.width(), button.height()) - kCrossInset);
    const int left = button.left + (button.width() - size) / 2 + shift;
    const int top = button.top + (button.height() - size) / 2 + shift;
    canvas.setPen(clBtnText);
    for (int i = 0; i < size; ++i) {
      canvas.setPixel({left + i, top + i}, clBtnText);
      canvas.setPixel({left + i + 1, top + i}, clBtnText);
      canvas.setPixel({left + size - 1 - i, top + i}, clBtnText);
      canvas.setPixel({left + size - i, top + i}, clBtnText);
    }
    if (paint.caption) {
      canvas.setBrushColor(clActiveCaption);
      canvas.frameRect(closeButtonRect(m, clientWidth));
    }
  }
}

}  // namespace sorabel::toolbars
