#pragma once
// A form with a main menu, an image list of plain pictures and an image
// menu bound to both; measuring goes to a recording canvas.

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>
#include <memory>

#include "components/imagemenu/TMainImageMenu.h"
#include "platform/draw/ImageList.h"
#include "support/RecordingCanvas.h"

namespace sorabel::test {

using namespace sorabel::draw;
using namespace sorabel::imagemenu;

inline QImage plainPicture(QColor color, int size = 16) {
  QImage picture(size, size, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  for (int i = 2; i < size - 2; ++i)
    for (int j = 2; j < size - 2; ++j) picture.setPixelColor(i, j, color);
  return picture;
}

class ImageMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<QMainWindow>();
    bar = form->menuBar();
    file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    newItem = file->addAction(QStringLiteral("新規(&N)"));
    print = file->addAction(QStringLiteral("印刷(&P)"));
    separator = file->addSeparator();
    exitItem = file->addAction(QStringLiteral("終了(&X)"));
    exitItem->setShortcut(Qt::Key_F3);
    edit = bar->addMenu(QStringLiteral("編集(&E)"));
    toolbarItem = edit->addAction(QStringLiteral("ツールバー(&A)"));
    toolbarItem->setCheckable(true);
    toolbarItem->setChecked(true);
    statusItem = edit->addAction(QStringLiteral("ステータスバー(&B)"));
    statusItem->setCheckable(true);
    statusItem->setChecked(true);
    search = bar->addMenu(QStringLiteral("検索(&S)"));
    hidden = search->addAction(QStringLiteral("隠し(&S)"));
    hidden->setVisible(false);
    find = search->addAction(QStringLiteral("検索(&S)"));
    monthly = search->addAction(QStringLiteral("月別(&I)"));

    images = new ImageList(16, 16, form.get());
    for (QColor color : {QColor(Qt::red), QColor(Qt::blue), QColor(Qt::green)}) images->add(plainPicture(color));
    menu = new TMainImageMenu(form.get());
    menu->setImages(images);
    menu->ItemImages().Add(newItem, 0, QStringLiteral("新規|新しく作ります"));
    menu->ItemImages().Add(toolbarItem, 1, QStringLiteral("|ツールバーの表示"));
    menu->setMenu(bar);
    menu->setMeasureCanvasFactory([] { return std::make_unique<RecordingCanvas>(); });
  }

  // Draws an item as a draw request would, on a recording canvas.
  RecordingCanvas draw(QAction* item, unsigned state, Rect rect) {
    RecordingCanvas canvas;
    menu->drawRequest(canvas, bar, item, state, rect);
    return canvas;
  }

  std::unique_ptr<QMainWindow> form;
  QMenuBar* bar = nullptr;
  QMenu* file = nullptr;
  QAction* newItem = nullptr;
  QAction* print = nullptr;
  QAction* separator = nullptr;
  QAction* exitItem = nullptr;
  QMenu* edit = nullptr;
  QAction* toolbarItem = nullptr;
  QAction* statusItem = nullptr;
  QMenu* search = nullptr;
  QAction* hidden = nullptr;
  QAction* find = nullptr;
  QAction* monthly = nullptr;
  ImageList* images = nullptr;
  TMainImageMenu* menu = nullptr;
};

}  // namespace sorabel::test
