#include "GalleryWindow.h"

#include <QStatusBar>
#include <QTabWidget>

#include "ImageMenuPage.h"
#include "MenuButtonBarPage.h"
#include "ToolbarsPage.h"

namespace gallery {

GalleryWindow::GalleryWindow() {
  setObjectName(QStringLiteral("Gallery"));
  setWindowTitle(QStringLiteral("Sorabel 部品ギャラリー"));
  resize(760, 520);
  auto* pages = new QTabWidget(this);
  pages->setObjectName(QStringLiteral("Pages"));
  pages->addTab(new ImageMenuPage(this), QStringLiteral("画像メニュー"));
  pages->addTab(new MenuButtonBarPage, QStringLiteral("ボタンメニューバー"));
  pages->addTab(new ToolbarsPage, QStringLiteral("ドッキングツールバー"));
  setCentralWidget(pages);
  statusBar();  // shows the menu items' hints
}

}  // namespace gallery
