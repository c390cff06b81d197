#include "MenuButtonBarPage.h"

#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QVBoxLayout>

#include "GalleryPictures.h"
#include "components/imagemenu/TMainImageMenu.h"
#include "components/imagemenu/TMenuButtonBar.h"
#include "components/imagemenu/TSysMenu.h"
#include "draw/ImageList.h"

namespace gallery {

using namespace sorabel;

namespace {

// A form that shows the application hint in its bottom line.
class DemoForm : public QWidget {
 public:
  DemoForm() {
    setWindowTitle(QStringLiteral("ボタンメニューバー"));
    resize(420, 260);
    hint_ = new QLabel(this);
    hint_->setFrameShape(QFrame::StyledPanel);
  }
  void setContent(QWidget* bar, QWidget* body) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(body, 1);
    layout->addWidget(hint_);
  }

 protected:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::StatusTip) {
      hint_->setText(static_cast<QStatusTipEvent*>(event)->tip());
      return true;
    }
    return QWidget::event(event);
  }

 private:
  QLabel* hint_;
};

}  // namespace

MenuButtonBarPage::MenuButtonBarPage(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral(
      "ボタンメニューバー: メインメニューの項目をボタンで表示します。\n"
      "フォームより幅が広いので左右にスライダーが出ます。Alt か F10 でキーボードで選べます。\n"
      "ウィンドウメニュー (Shift+Alt+Space か Alt+Space、またはボタンを右クリック) は画像メニューが描きます。")));
  auto* open = new QPushButton(QStringLiteral("ボタンメニューバーのフォームを開く"));
  open->setObjectName(QStringLiteral("OpenButtonBarForm"));
  connect(open, &QPushButton::clicked, this, [this] {
    demoForm()->show();
    demoForm()->raise();
    demoForm()->activateWindow();
  });
  layout->addWidget(open);
  layout->addStretch();
}

QWidget* MenuButtonBarPage::demoForm() {
  if (form_ != nullptr) return form_;
  auto* form = new DemoForm;
  form->setAttribute(Qt::WA_DeleteOnClose, false);
  form_ = form;
  connect(this, &QObject::destroyed, form, &QObject::deleteLater);

  // The main menu: many top-level items, so the row is wider than the form.
  // The bar hides the native menu bar itself.
  auto* mainMenu = new QMenuBar(form);
  const char* titles[] = {"ファイル(&F)", "編集(&E)", "表示(&V)", "挿入(&I)", "書式(&O)",
                          "ツール(&T)", "表(&A)", "ウィンドウ(&W)", "ヘルプ(&H)", "その他"};
  auto* images = new draw::ImageList(16, 16, form);
  for (int i = 0; i < 8; ++i) images->add(shapePicture(i, 16));
  auto* menu = new imagemenu::TMainImageMenu(form);
  menu->setImages(images);
  for (int i = 0; i < 10; ++i) {
    QMenu* dropDown = mainMenu->addMenu(QString::fromUtf8(titles[i]));
    dropDown->menuAction()->setStatusTip(QStringLiteral("%1 番目のメニュー").arg(i + 1));
    for (int j = 0; j < 4; ++j) {
      QAction* item = dropDown->addAction(QStringLiteral("項目 %1-%2(&%2)").arg(i + 1).arg(j + 1));
      menu->ItemImages().Add(item, (i + j) % 8, QStringLiteral("|%1 番目のメニューの項目 %2").arg(i + 1).arg(j + 1));
    }
    if (i == 1) {
      QMenu* nested = dropDown->addMenu(QStringLiteral("入れ子(&N)"));
      nested->addAction(QStringLiteral("左右キーはここでは切り替えません(&K)"));
    }
  }
  mainMenu->actions().last()->setStatusTip(QStringLiteral("「&」のない項目"));
  mainMenu->actions().at(6)->setEnabled(false);  // a disabled button
  auto* bar = new imagemenu::TMenuButtonBar(form);
  menu->setMenu(mainMenu);
  bar->setMenu(mainMenu);
  menu->setMenuButtonBar(bar);
  menu->SysMenu().setDrawing(true);

  auto* body = new QPlainTextEdit(form);
  body->setPlainText(QStringLiteral("ここは本文です。"));
  form->setContent(bar, body);
  return form_;
}

}  // namespace gallery
