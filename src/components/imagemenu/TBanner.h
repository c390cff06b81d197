#pragma once
// The vertical strip at the left of a popup menu, from bottom colour to top
// colour, with a caption and a picture of its own.

#include <QImage>
#include <QString>
#include <functional>

#include "draw/CanvasFont.h"
#include "draw/DrawTypes.h"

namespace sorabel::imagemenu {

class TBanner {
 public:
  bool ShowBanner() const { return showBanner_; }
  void setShowBanner(bool show);
  int BannerWidth() const { return bannerWidth_; }
  // A byte: 0 to 255; other values are ignored.
  void setBannerWidth(int width);
  const QString& Caption() const { return caption_; }
  void setCaption(const QString& caption);
  const draw::CanvasFont& Font() const { return font_; }
  void setFont(const draw::CanvasFont& font);
  draw::Color BottomColor() const { return bottomColor_; }
  void setBottomColor(draw::Color color);
  draw::Color TopColor() const { return topColor_; }
  void setTopColor(draw::Color color);

  // The banner's picture for a whole menu height, made anew when the
  // height or a setting changed: a vertical gradient from the bottom colour
  // to the top colour with the caption written upward from the bottom.
  // Each item copies its own slice of it.
  const QImage& picture(int height);

  // Told when the strip's presence or width changes (the menu is measured
  // again).
  std::function<void()> onSizeChanged;

 private:
  bool showBanner_ = false;
  int bannerWidth_ = 20;
  QString caption_;
  draw::CanvasFont font_;
  draw::Color bottomColor_ = draw::rgb(255, 255, 0);
  draw::Color topColor_ = draw::rgb(255, 0, 0);
  QImage picture_;
};

}  // namespace sorabel::imagemenu
