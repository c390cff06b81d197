#include "ToolbarsPage.h"

#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "GalleryPictures.h"
#include "components/toolbars/TDock.h"
#include "components/toolbars/TToolbar.h"
#include "components/toolbars/TToolbarButton.h"
#include "components/toolbars/TToolbarSep.h"
#include "components/toolbars/ToolbarInternals.h"

namespace gallery {

using namespace sorabel::toolbars;

namespace {

// Builds toolbars left to right: buttons and separators at their places.
class ToolbarBuilder {
 public:
  ToolbarBuilder(TToolbar* bar, QPlainTextEdit* log) : bar_(bar), log_(log) {}

  TToolbarButton* button(int picture, const QString& hint, QSize size = {23, 22}) {
    auto* b = new TToolbarButton(bar_);
    if (picture >= 0) b->setGlyph(shapePicture(picture, 16));
    b->setGeometry(x_, 0, size.width(), size.height());
    x_ += size.width();
    b->setHint(hint);
    // The builder is gone by the time the button is clicked: the handler
    // holds the log itself.
    QPointer<QPlainTextEdit> log = log_;
    b->OnClick = [log, hint] {
      if (log != nullptr) log->appendPlainText(QStringLiteral("押されたボタン: ") + hint);
    };
    return b;
  }
  void separator() {
    auto* s = new TToolbarSep(bar_);
    s->setGeometry(x_, 0, 6, 22);
    x_ += 6;
  }

 private:
  TToolbar* bar_;
  QPlainTextEdit* log_;
  int x_ = 0;
};

TToolbar* newToolbar(QWidget* form, const QString& caption, int row, int pos) {
  auto* bar = new TToolbar(form);
  bar->setCaption(caption);
  bar->setObjectName(caption);
  bar->SetDockRow(row);
  bar->SetDockPos(pos);
  return bar;
}

// The file toolbar: plain glyph buttons in groups.
void addFileToolbar(QWidget* form, TDock* dock, QPlainTextEdit* log) {
  TToolbar* bar = newToolbar(form, QStringLiteral("ファイル"), 0, 0);
  ToolbarBuilder b(bar, log);
  b.button(0, QStringLiteral("新規"));
  b.button(1, QStringLiteral("開く"));
  b.button(2, QStringLiteral("保存"));
  b.separator();
  b.button(3, QStringLiteral("印刷"));
  b.button(4, QStringLiteral("プレビュー"))->setEnabled(false);  // a disabled glyph is embossed
  bar->SetDockedTo(dock);
}

// The format toolbar: a latching group of three, and a bold button that
// can be let up again.
void addFormatToolbar(QWidget* form, TDock* dock, QPlainTextEdit* log) {
  TToolbar* bar = newToolbar(form, QStringLiteral("書式"), 0, 160);
  ToolbarBuilder b(bar, log);
  const QString align[] = {QStringLiteral("左揃え"), QStringLiteral("中央揃え"), QStringLiteral("右揃え")};
  for (int i = 0; i < 3; ++i) {
    TToolbarButton* button = b.button(5 + i, align[i]);
    button->setGroupIndex(1);
    button->setDown(i == 0);
  }
  b.separator();
  TToolbarButton* bold = b.button(-1, QStringLiteral("太字"));
  bold->setCaption(QStringLiteral("B"));
  bold->setGroupIndex(2);
  bold->setAllowAllUp(true);
  bar->SetDockedTo(dock);
}

// The view toolbar: captions beside glyphs and a drop-down button.
void addViewToolbar(QWidget* form, TDock* dock, QPlainTextEdit* log) {
  TToolbar* bar = newToolbar(form, QStringLiteral("表示"), 1, 0);
  ToolbarBuilder b(bar, log);
  TToolbarButton* zoom = b.button(1, QStringLiteral("拡大"), {64, 22});
  zoom->setCaption(QStringLiteral("拡大(&Z)"));
  TToolbarButton* right = b.button(2, QStringLiteral("右に絵"), {72, 22});
  right->setCaption(QStringLiteral("右に絵"));
  right->setLayout(TButtonLayout::blGlyphRight);
  b.separator();
  TToolbarButton* colours = b.button(3, QStringLiteral("色を選ぶ"), {60, 22});
  colours->setCaption(QStringLiteral("色"));
  auto* menu = new QMenu(colours);
  for (const QString& name : {QStringLiteral("赤"), QStringLiteral("緑"), QStringLiteral("青")})
    QObject::connect(menu->addAction(name), &QAction::triggered, log,
                     [log, name] { log->appendPlainText(QStringLiteral("選んだ色: ") + name); });
  colours->setDropdownMenu(menu);
  bar->SetDockedTo(dock);
}

// A toolbar placed beyond the dock's end: the dock pushes it back.
void addFarToolbar(QWidget* form, TDock* dock, QPlainTextEdit* log) {
  TToolbar* bar = newToolbar(form, QStringLiteral("右端"), 1, 2000);
  ToolbarBuilder b(bar, log);
  b.button(6, QStringLiteral("端のボタン1"));
  b.button(7, QStringLiteral("端のボタン2"));
  bar->SetDockedTo(dock);
}

// Large buttons with the caption under or over the glyph.
void addCaptionToolbar(QWidget* form, TDock* dock, QPlainTextEdit* log) {
  TToolbar* bar = newToolbar(form, QStringLiteral("大きなボタン"), 0, 0);
  ToolbarBuilder b(bar, log);
  const struct {
    int picture;
    const char* caption;
    TButtonLayout layout;
  } buttons[] = {{0, "上に絵", TButtonLayout::blGlyphTop},
                 {2, "下に絵", TButtonLayout::blGlyphBottom},
                 {4, "文字だけ", TButtonLayout::blGlyphTop}};
  for (const auto& entry : buttons) {
    TToolbarButton* button = b.button(entry.picture, QString::fromUtf8(entry.caption), {56, 40});
    button->setCaption(QString::fromUtf8(entry.caption));
    button->setLayout(entry.layout);
  }
  static_cast<TToolbarButton*>(bar->controls().back())->setDisplayMode(TButtonDisplayMode::dmTextOnly);
  bar->SetDockedTo(dock);
}

// A vertical toolbar of tools, one of which is always down.
void addToolsToolbar(QWidget* form, TDock* dock, QPlainTextEdit* log) {
  TToolbar* bar = newToolbar(form, QStringLiteral("道具"), 0, 0);
  ToolbarBuilder b(bar, log);
  const QString tools[] = {QStringLiteral("選択"), QStringLiteral("鉛筆"), QStringLiteral("消しゴム")};
  for (int i = 0; i < 3; ++i) {
    TToolbarButton* button = b.button(i + 1, tools[i]);
    button->setGroupIndex(3);
    button->setDown(i == 0);
  }
  b.separator();
  b.button(7, QStringLiteral("元に戻す"));
  bar->SetDockedTo(dock);
}

// A floating toolbar of two groups that wraps into two lines.
void addFloatingToolbar(QWidget* form, QPlainTextEdit* log) {
  TToolbar* bar = newToolbar(form, QStringLiteral("浮いているツールバー"), 0, 0);
  bar->setCanDockLeftRight(false);
  ToolbarBuilder b(bar, log);
  for (int i = 0; i < 4; ++i) b.button(i, QStringLiteral("浮動 %1").arg(i + 1));
  b.separator();
  for (int i = 4; i < 8; ++i) b.button(i, QStringLiteral("浮動 %1").arg(i + 1));
  // Placed and shaped as a stored form would place it.
  ToolbarInternals::setFloatingShape(*bar, 4 * 23 + 8,
                                     {form->x() + 440, form->y() + 160, form->x() + 440 + 110, form->y() + 160 + 90});
  bar->setDefaultDock(nullptr);
}

class DemoForm : public QWidget {
 public:
  DemoForm() {
    setWindowTitle(QStringLiteral("ドッキングツールバー"));
    resize(620, 420);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    auto* top = new TDock(this, TDockPosition::dpTop);
    top->setBoundLines(blTop | blBottom);
    top->setBackground(tilePicture(QColor(226, 232, 240), QColor(214, 222, 232)));
    auto* bottom = new TDock(this, TDockPosition::dpBottom);
    bottom->setBoundLines(blTop);
    auto* left = new TDock(this, TDockPosition::dpLeft);
    auto* right = new TDock(this, TDockPosition::dpRight);  // empty: drop toolbars here
    auto* log = new QPlainTextEdit(this);
    log->setReadOnly(true);
    log->setPlaceholderText(QStringLiteral(
        "ツールバーのつまみを引くと動かせます。右端の空の帯にも置けます。\n"
        "浮いているツールバーは枠を引いて形を変えられ、×で閉じます。\n"
        "つまみやタイトルをダブルクリックすると、浮かせたり戻したりします。\n"
        "Ctrl を押しながら引くと、帯の上でも浮いたままです。"));
    grid->addWidget(top, 0, 0, 1, 3);
    grid->addWidget(left, 1, 0);
    grid->addWidget(log, 1, 1);
    grid->addWidget(right, 1, 2);
    grid->addWidget(bottom, 2, 0, 1, 3);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);

    addFileToolbar(this, top, log);
    addFormatToolbar(this, top, log);
    addViewToolbar(this, top, log);
    addFarToolbar(this, top, log);
    addCaptionToolbar(this, bottom, log);
    addToolsToolbar(this, left, log);
    addFloatingToolbar(this, log);
  }
};

}  // namespace

ToolbarsPage::ToolbarsPage(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  auto* text = new QLabel(QStringLiteral(
      "ドッキングツールバーの見本です。\n"
      "フォームの上下左右の帯に、いくつものツールバーを行に並べて置けます。"
      "平らなボタンは、マウスが乗ると浮き出て、押すとへこみます。"
      "まとめて一つだけ押さえておくボタン、押すとメニューが出るボタン、"
      "絵と文字の並べ方の違うボタンもあります。"));
  text->setWordWrap(true);
  auto* open = new QPushButton(QStringLiteral("見本のフォームを開く(&O)"));
  open->setObjectName(QStringLiteral("OpenToolbarsForm"));
  connect(open, &QPushButton::clicked, this, [this] {
    QWidget* form = demoForm();
    form->show();
    form->raise();
    form->activateWindow();
  });
  layout->addWidget(text);
  layout->addWidget(open, 0, Qt::AlignLeft);
  layout->addStretch(1);
}

QWidget* ToolbarsPage::demoForm() {
  if (form_ == nullptr) {
    form_ = new DemoForm;
    form_->setAttribute(Qt::WA_QuitOnClose, false);
    connect(this, &QObject::destroyed, form_, &QObject::deleteLater);
  }
  return form_;
}

}  // namespace gallery
