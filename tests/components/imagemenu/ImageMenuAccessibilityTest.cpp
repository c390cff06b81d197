// What the image menus tell accessibility tools, read through Qt's
// accessibility interfaces as a screen reader's bridge reads them.

#include <QAccessible>
#include <QTimer>
#include <QVBoxLayout>

#include "components/imagemenu/ImageMenuFixture.h"
#include "components/imagemenu/TMenuButtonBar.h"
#include "components/imagemenu/TSlideButton.h"

namespace sorabel::test {
namespace {

QAccessibleInterface* accessible(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

// The child of an interface whose object is object, or nullptr.
QAccessibleInterface* childFor(QAccessibleInterface* parent, QObject* object) {
  for (int i = 0; parent != nullptr && i < parent->childCount(); ++i)
    if (QAccessibleInterface* child = parent->child(i); child != nullptr && child->object() == object) return child;
  return nullptr;
}

TEST_F(ImageMenuTest, ItemsNameTheirHintCheckStateAndPlaceUnderTheirMenus) {
  activate(form.get());
  QAccessibleInterface* barItem = childFor(accessible(bar), edit->menuAction());
  ASSERT_NE(barItem, nullptr);
  EXPECT_EQ(barItem->text(QAccessible::Name), "編集(E)");
  EXPECT_TRUE(barItem->state().hasPopup);
  QAccessibleInterface* dropDown = barItem->child(0);
  ASSERT_NE(dropDown, nullptr);
  EXPECT_EQ(dropDown->object(), edit);
  EXPECT_EQ(dropDown->parent()->object(), edit->menuAction());  // under the item that opens it

  QAccessibleInterface* toolbar = childFor(dropDown, toolbarItem);
  ASSERT_NE(toolbar, nullptr);
  EXPECT_EQ(toolbar->role(), QAccessible::MenuItem);
  EXPECT_TRUE(toolbar->state().checkable);
  EXPECT_TRUE(toolbar->state().checked);
  EXPECT_EQ(toolbar->text(QAccessible::Description), "ツールバーの表示");
  toolbarItem->setChecked(false);
  EXPECT_FALSE(toolbar->state().checked);
  EXPECT_TRUE(toolbar->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
  EXPECT_EQ(accessible(newItem)->text(QAccessible::Description), "新しく作ります");

  clickBarItem(bar, edit->menuAction());
  ASSERT_TRUE(edit->isVisible());
  pointAt(edit, toolbarItem);
  EXPECT_TRUE(toolbar->state().focused);
  const QRect place = edit->actionGeometry(toolbarItem);
  EXPECT_EQ(toolbar->rect(), QRect(edit->mapToGlobal(place.topLeft()), place.size()));
  EXPECT_EQ(accessible(separator)->role(), QAccessible::Separator);
}

TEST_F(ImageMenuTest, TheButtonBarsButtonsPressFocusInKeyboardModeAndHoldTheirDropDowns) {
  auto* client = new QWidget;
  auto* layout = new QVBoxLayout(client);
  auto* buttonBar = new TMenuButtonBar(client);
  layout->addWidget(buttonBar);
  layout->addStretch();
  form->setCentralWidget(client);
  buttonBar->setMenu(bar);
  menu->setMenuButtonBar(buttonBar);
  form->resize(600, 300);
  activate(form.get());
  TMenuButton* first = buttonBar->menuButtons().front();

  QAccessibleInterface* barFace = accessible(buttonBar);
  EXPECT_EQ(barFace->role(), QAccessible::MenuBar);
  QAccessibleInterface* button = accessible(first);
  EXPECT_EQ(button->parent()->object(), buttonBar);
  EXPECT_EQ(button->text(QAccessible::Name), "ファイル(F)");
  EXPECT_TRUE(button->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
  ASSERT_EQ(button->childCount(), 1);
  QAccessibleInterface* dropDown = button->child(0);
  EXPECT_EQ(dropDown->object(), file);
  EXPECT_EQ(dropDown->parent()->object(), first);  // under the button that opens it

  typeAlt(form.get());
  ASSERT_EQ(buttonBar->HotButton(), first);
  EXPECT_TRUE(button->state().focused);
  EXPECT_FALSE(accessible(buttonBar->menuButtons()[1])->state().focused);

  // The press opens the drop-down after the tool's request has returned.
  bool pressedWhileOpen = false;
  int ticks = 0;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (++ticks > 400) poll.stop();
    if (QApplication::activePopupWidget() == nullptr) return;
    pressedWhileOpen = accessible(first)->state().pressed && accessible(first)->state().expanded;
    poll.stop();
    closeAllPopups();
  });
  poll.start(5);
  button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  for (int i = 0; i < 80 && !pressedWhileOpen; ++i) QTest::qWait(5);
  EXPECT_TRUE(pressedWhileOpen);

  QAccessibleInterface* slider = accessible(buttonBar->RightSlider());
  EXPECT_EQ(slider->role(), QAccessible::PushButton);
  EXPECT_EQ(slider->text(QAccessible::Name), "右へ");
  buttonBar->resize(first->width() + 10, buttonBar->height());
  slider->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(buttonBar->FirstShown(), 1);
}

}  // namespace
}  // namespace sorabel::test
