// Measuring the items of an image menu, with the screen's fonts, for any
// captions, shortcuts and settings: every measure request is answered,
// the same way each time; a separator is 10 high and an item as high as
// ItemHeight (or the menu font with DefaultFont); the picture column of a
// drop-down item widens it by exactly the item height; a banner widens the
// root items of a popup menu by its width and 2; a setting out of range
// keeps the old value.

#include <fuzzer/FuzzedDataProvider.h>

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <cstdlib>
#include <memory>

#include "FuzzCheck.h"
#include "components/imagemenu/ImageMenuTypes.h"
#include "components/imagemenu/MenuStructure.h"
#include "components/imagemenu/TImageMenu.h"
#include "components/imagemenu/TSysMenu.h"
#include "components/imagemenu/WindowMenu.h"
#include "draw/SystemMetrics.h"

namespace {

using namespace sorabel;
using namespace sorabel::imagemenu;

QString textFrom(FuzzedDataProvider& input, std::size_t maxBytes) {
  static const char* const known[] = {"ファイル(&F)", "&&", "a\tb", "&", "終了(&X)\tF3", " "};
  if (input.ConsumeIntegralInRange(0, 3) == 0)
    return QString::fromUtf8(known[input.ConsumeIntegralInRange<std::size_t>(0, std::size(known) - 1)]);
  return QString::fromUtf8(input.ConsumeRandomLengthString(maxBytes));
}

void addItems(FuzzedDataProvider& input, QMenu* menu, int depth) {
  const int count = input.ConsumeIntegralInRange(0, 5);
  for (int i = 0; i < count; ++i) {
    switch (input.ConsumeIntegralInRange(0, 5)) {
      case 0: menu->addSeparator(); break;
      case 1:
        if (depth < 2) {
          addItems(input, menu->addMenu(textFrom(input, 24)), depth + 1);
          break;
        }
        [[fallthrough]];
      default: {
        QAction* item = menu->addAction(textFrom(input, 40));
        if (input.ConsumeBool()) item->setShortcut(QKeySequence(input.ConsumeIntegral<int>()));
        item->setCheckable(input.ConsumeBool());
        item->setEnabled(input.ConsumeIntegralInRange(0, 3) != 0);
      }
    }
  }
}

QList<QAction*> allItems(const QList<QAction*>& roots) {
  QList<QAction*> items;
  QList<QAction*> pending = roots;
  while (!pending.isEmpty()) {
    QAction* item = pending.takeFirst();
    items << item;
    if (item->menu() != nullptr) pending += item->menu()->actions();
  }
  return items;
}

draw::Size measured(TImageMenu& menu, QAction* item) {
  const std::optional<draw::Size> size = menu.measureRequest(item);
  FUZZ_CHECK(size.has_value(), "every measure request is answered");
  FUZZ_CHECK(menu.measureRequest(item) == size, "measuring again gives the same size");
  return *size;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(*argc, *argv);
  // A failed handler would only be reported: make it a finding instead.
  setExceptionHandler([](const std::exception& error) {
    std::fprintf(stderr, "the component let out: %s\n", error.what());
    std::abort();
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  QMainWindow form;
  auto* menu = new TImageMenu(&form);
  const bool popup = input.ConsumeBool();
  std::unique_ptr<QMenu> popupMenu;
  if (popup) {
    popupMenu = std::make_unique<QMenu>();
    addItems(input, popupMenu.get(), 0);
    menu->setMenu(popupMenu.get());
  } else {
    const int menus = input.ConsumeIntegralInRange(1, 4);
    for (int i = 0; i < menus; ++i) addItems(input, form.menuBar()->addMenu(textFrom(input, 24)), 1);
    menu->setMenu(form.menuBar());
  }
  menu->setLargeImage(input.ConsumeIntegralInRange(0, 3) == 0);
  menu->setDefaultFont(input.ConsumeIntegralInRange(0, 3) == 0);
  const int before = menu->ItemHeight();
  const int requested = input.ConsumeBool() ? input.ConsumeIntegralInRange(-10, 80) : input.ConsumeIntegral<int>();
  menu->setItemHeight(requested);
  FUZZ_CHECK(menu->ItemHeight() == requested || menu->ItemHeight() == before, "an item height is taken or the old one kept");
  FUZZ_CHECK(menu->ItemHeight() >= 18, "items are at least 18 high");
  menu->Banner().setShowBanner(input.ConsumeBool());
  menu->Banner().setBannerWidth(input.ConsumeIntegral<int>());
  menu->Banner().setCaption(textFrom(input, 20));

  draw::CanvasFont menuFont;
  draw::applyMenuFont(menuFont);
  const QList<QAction*> items = allItems(imagemenu::rootItems(menu->Menu()));
  for (QAction* item : items) {
    const draw::Size size = measured(*menu, item);
    FUZZ_CHECK(size.width >= 0, "an item has a width");
    const int itemHeight = menu->DefaultFont() ? std::abs(menuFont.height) + 5 : menu->ItemHeight();
    FUZZ_CHECK(size.height == (item->isSeparator() ? 10 : itemHeight), "an item is as high as the setting makes it");
  }

  const bool rootBanner = popup && menu->Banner().ShowBanner();
  const int height = menu->ItemHeight();
  const int wider = input.ConsumeIntegralInRange(1, 40);
  std::vector<draw::Size> sizes;
  for (QAction* item : items) sizes.push_back(measured(*menu, item));
  menu->Banner().setShowBanner(false);
  if (height + wider <= imagemenu::kMaxItemHeight) menu->setItemHeight(height + wider);
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    QAction* item = items[i];
    const draw::Size now = measured(*menu, item);
    int expected = sizes[static_cast<std::size_t>(i)].width;
    if (rootBanner && imagemenu::rootItems(menu->Menu()).contains(item)) expected -= menu->Banner().BannerWidth() + 2;
    if (!imagemenu::isBarItem(menu->Menu(), item)) expected += menu->ItemHeight() - height;
    FUZZ_CHECK(now.width == expected, "the picture column and the banner widen an item by their widths");
  }

  if (WindowMenu* window = menu->SysMenu().SysMenuHandle())  // the window menu's items
    for (QAction* item : window->actions()) FUZZ_CHECK(measured(*menu, item).width >= 0, "a window menu item has a width");
  delete menu;
  return 0;
}
