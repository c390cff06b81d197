#include "qtplatform/DarkTheme.h"

#include <QApplication>
#include <QStyle>

namespace sorabel {

QPalette darkPalette() {
  const QColor window(53, 53, 53);
  const QColor text(238, 238, 238);
  const QColor disabledText(128, 128, 128);
  QPalette palette;
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    const bool disabled = group == QPalette::Disabled;
    palette.setColor(group, QPalette::Window, window);
    palette.setColor(group, QPalette::WindowText, disabled ? disabledText : text);
    palette.setColor(group, QPalette::Base, QColor(35, 35, 35));
    palette.setColor(group, QPalette::AlternateBase, window);
    palette.setColor(group, QPalette::Text, disabled ? disabledText : text);
    palette.setColor(group, QPalette::Button, window);
    palette.setColor(group, QPalette::ButtonText, disabled ? disabledText : text);
    palette.setColor(group, QPalette::BrightText, QColor(255, 120, 120));
    // The 3-D colours, from the lightest to the darkest around the face.
    palette.setColor(group, QPalette::Light, QColor(96, 96, 96));
    palette.setColor(group, QPalette::Midlight, QColor(74, 74, 74));
    palette.setColor(group, QPalette::Mid, QColor(42, 42, 42));
    palette.setColor(group, QPalette::Dark, QColor(32, 32, 32));
    palette.setColor(group, QPalette::Shadow, QColor(16, 16, 16));
    // A selection dark enough for white text (6 : 1).
    palette.setColor(group, QPalette::Highlight, disabled ? QColor(80, 80, 80) : QColor(45, 100, 160));
    palette.setColor(group, QPalette::HighlightedText, disabled ? QColor(160, 160, 160) : QColor(Qt::white));
    palette.setColor(group, QPalette::ToolTipBase, QColor(64, 64, 64));
    palette.setColor(group, QPalette::ToolTipText, text);
    palette.setColor(group, QPalette::PlaceholderText, disabledText);
    palette.setColor(group, QPalette::Link, QColor(110, 170, 255));
    palette.setColor(group, QPalette::LinkVisited, QColor(180, 140, 255));
  }
  return palette;
}

bool wantsDarkTheme(const QStringList& arguments) { return arguments.contains(QStringLiteral("--dark")); }

void applyDarkTheme() {
  QApplication::setStyle(QStringLiteral("Fusion"));
  QApplication::setPalette(darkPalette());
}

}  // namespace sorabel
