#include "ImageMenuPage.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "GalleryPictures.h"
#include "components/imagemenu/TMainImageMenu.h"
#include "draw/ImageList.h"

namespace gallery {

using namespace sorabel;

namespace {

QCheckBox* option(const QString& text, QVBoxLayout* layout) {
  auto* box = new QCheckBox(text);
  layout->addWidget(box);
  return box;
}

}  // namespace

ImageMenuPage::ImageMenuPage(QMainWindow* window, QWidget* parent) : QWidget(parent) {
  buildMenuBar(window);
  buildControls();
}

void ImageMenuPage::buildMenuBar(QMainWindow* window) {
  QMenuBar* bar = window->menuBar();
  QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
  QAction* open = file->addAction(QStringLiteral("開く(&O)"));
  open->setShortcut(Qt::CTRL | Qt::Key_O);
  QAction* save = file->addAction(QStringLiteral("保存(&S)"));
  file->addSeparator();
  QAction* disabled = file->addAction(QStringLiteral("使えない項目(&D)"));
  disabled->setEnabled(false);
  QAction* quit = file->addAction(QStringLiteral("終了(&X)"));
  connect(quit, &QAction::triggered, window, &QWidget::close);
  QMenu* view = bar->addMenu(QStringLiteral("表示(&V)"));
  QAction* grid = view->addAction(QStringLiteral("格子(&G)"));
  grid->setCheckable(true);
  grid->setChecked(true);
  QAction* rulers = view->addAction(QStringLiteral("定規(&R)"));
  rulers->setCheckable(true);
  rulers->setChecked(true);
  QAction* greyChecked = view->addAction(QStringLiteral("無効のチェック(&N)"));
  greyChecked->setCheckable(true);
  greyChecked->setChecked(true);
  greyChecked->setEnabled(false);
  QMenu* colours = view->addMenu(QStringLiteral("色(&C)"));
  colours->addAction(QStringLiteral("自分で描く項目(&O)"))->setObjectName(QStringLiteral("OwnerDrawn"));
  bar->addMenu(QStringLiteral("ヘルプ(&H)"))->addAction(QStringLiteral("バージョン情報(&A)"));

  small_ = new draw::ImageList(16, 16, this);
  large_ = new draw::ImageList(32, 32, this);
  for (int i = 0; i < 8; ++i) {
    small_->add(shapePicture(i, 16));
    large_->add(shapePicture(i, 32));
  }
  menu_ = new imagemenu::TMainImageMenu(window);
  menu_->setImages(small_);
  const struct {
    QAction* item;
    int picture;
    const char* hint;
  } rows[] = {{open, 0, "開く|ファイルを開きます"}, {save, 1, "保存|上書き保存します"}, {disabled, 2, "|使えません"},
              {quit, 3, "終了|ギャラリーを閉じます"}, {grid, 4, "|格子の表示"}, {greyChecked, 5, "|無効のまま"}};
  for (const auto& row : rows) menu_->ItemImages().Add(row.item, row.picture, QString::fromUtf8(row.hint));
  menu_->setMenu(bar);

  // A popup menu with the banner down its left side.
  popup_ = new QMenu(this);
  popup_->addAction(QStringLiteral("切り取り(&T)"));
  popup_->addAction(QStringLiteral("コピー(&C)"));
  popup_->addAction(QStringLiteral("貼り付け(&P)"));
  popupMenu_ = new imagemenu::TMainImageMenu(window);
  popupMenu_->Banner().setShowBanner(true);
  popupMenu_->Banner().setCaption(QStringLiteral("Gallery"));
  popupMenu_->setImages(small_);
  for (int i = 0; i < 3; ++i) popupMenu_->ItemImages().Add(popup_->actions()[i], 5 + i, QString());
  popupMenu_->setMenu(popup_);
}

void ImageMenuPage::usePictureSize(bool large) {
  menu_->setImages(large ? large_ : small_);
  // A new image list starts without indexes; set them again.
  const int pictures[] = {0, 1, 2, 3, 4, 5};
  for (int i = 0; i < menu_->ItemImages().Count() && i < 6; ++i) menu_->ItemImages().Items(i).setImageIndex(pictures[i]);
  menu_->setLargeImage(large);
}

void ImageMenuPage::buildControls() {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("上のメニューバーは画像メニュー部品が描いています。下の設定を切り替えて見比べて下さい。")));
  QCheckBox* windows = option(QStringLiteral("Windows 風の見た目 (msWindows)"), layout);
  connect(windows, &QCheckBox::toggled, this, [this](bool on) {
    menu_->setMenuStyle(on ? imagemenu::TMenuStyle::msWindows : imagemenu::TMenuStyle::msOffice);
  });
  QCheckBox* large = option(QStringLiteral("大きい絵 (LargeImage, 32 × 32)"), layout);
  connect(large, &QCheckBox::toggled, this, &ImageMenuPage::usePictureSize);
  QCheckBox* tiles = option(QStringLiteral("背景の絵 (ActiveBitmap / InActiveBitmap)"), layout);
  connect(tiles, &QCheckBox::toggled, this, [this](bool on) {
    menu_->setInActiveBitmap(on ? tilePicture(QColor(245, 240, 225), QColor(230, 220, 195)) : QImage());
    menu_->setActiveBitmap(on ? tilePicture(QColor(60, 110, 170), QColor(80, 135, 195)) : QImage());
  });
  QCheckBox* defaultFont = option(QStringLiteral("デスクトップのメニューの字体 (DefaultFont)"), layout);
  connect(defaultFont, &QCheckBox::toggled, this, [this](bool on) { menu_->setDefaultFont(on); });
  QCheckBox* showHint = option(QStringLiteral("カーソルの横にヒント (ShowHint)"), layout);
  connect(showHint, &QCheckBox::toggled, this, [this](bool on) { menu_->setShowHint(on); });
  QCheckBox* ownerDraw = option(QStringLiteral("「自分で描く項目」を OnDrawItem で描く"), layout);
  connect(ownerDraw, &QCheckBox::toggled, this, [this](bool on) {
    if (!on) {
      menu_->OnDrawItem = nullptr;
      return;
    }
    // The handler replaces all drawing of the items of the menu.
    menu_->OnDrawItem = [this](QWidget*, QAction* item, const QRect& rect, unsigned state) {
      draw::Canvas& canvas = menu_->DrawCanvas();
      const bool selected = state & imagemenu::ODS_SELECTED;
      canvas.setBrushColor(selected ? draw::rgb(255, 220, 120) : draw::rgb(255, 250, 230));
      const draw::Rect r{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
      canvas.fillRect(r);
      canvas.setBrushHollow();
      canvas.setFontColor(draw::rgb(120, 60, 0));
      canvas.drawText(item->isSeparator() ? QString() : item->text(), r.inflated(-6, 0),
                      draw::DT_LEFT | draw::DT_VCENTER | draw::DT_SINGLELINE);
    };
  });
  auto* popupButton = new QPushButton(QStringLiteral("帯の付いたポップアップメニュー..."));
  connect(popupButton, &QPushButton::clicked, this,
          [this, popupButton] { popup_->popup(popupButton->mapToGlobal(QPoint(0, popupButton->height()))); });
  layout->addWidget(popupButton);
  layout->addStretch();
}

}  // namespace gallery
