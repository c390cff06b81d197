// The button menu bar: buttons for the top-level items, the keyboard mode,
// the closed-button click, drop-downs near the screen's bottom and sliders.

#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "components/imagemenu/ImageMenuFixture.h"
#include "components/imagemenu/TMenuButtonBar.h"
#include "components/imagemenu/TSlideButton.h"

namespace sorabel::test {
namespace {

class MenuButtonBarTest : public ImageMenuTest {
 protected:
  void SetUp() override {
    ImageMenuTest::SetUp();
    auto* client = new QWidget;
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    buttonBar = new TMenuButtonBar(client);
    layout->addWidget(buttonBar);
    layout->addStretch();
    form->setCentralWidget(client);
    buttonBar->setMenu(bar);
    menu->setMenuButtonBar(buttonBar);
    form->resize(600, 300);
    form->show();
  }
  TMenuButton* button(int i) const { return buttonBar->menuButtons().at(static_cast<std::size_t>(i)); }
  // Closes the next drop-down that opens, as soon as it is open. The form
  // owns the poll, so one that never saw a drop-down goes with the test.
  void closeDropDownSoon() {
    auto* poll = new QTimer(form.get());
    QObject::connect(poll, &QTimer::timeout, [poll] {
      if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
        poll->deleteLater();
      }
    });
    poll->start(5);
  }

  TMenuButtonBar* buttonBar = nullptr;
};

TEST_F(MenuButtonBarTest, ButtonsStandForTheTopLevelItemsWhichTheNativeBarHides) {
  ASSERT_EQ(buttonBar->menuButtons().size(), 3u);
  EXPECT_EQ(button(1)->Caption(), "編集(&E)");
  EXPECT_EQ(button(1)->Tag(), 1);
  EXPECT_FALSE(edit->menuAction()->isVisible());
  EXPECT_EQ(button(1)->x(), button(0)->width());
  EXPECT_EQ(button(0)->y(), 1);
  EXPECT_EQ(buttonBar->height(), 1 + button(0)->height() + 1);
  EXPECT_EQ(TMenuButtonBar::AcceleratorKey(QStringLiteral("ファイル(&F)")), 'F');
  EXPECT_EQ(TMenuButtonBar::AcceleratorKey(QStringLiteral("Help")), 92);
  EXPECT_EQ(buttonBar->ImageMenuLink(), menu);
}

TEST_F(MenuButtonBarTest, KeyboardModeWrapsAroundTheRow) {
  buttonBar->systemKeyMenu();
  EXPECT_EQ(buttonBar->HotButton(), button(0));
  EXPECT_EQ(button(0)->ButtonState(), TMenuButton::Hot);
  buttonBar->keyDown(Qt::Key_Left);
  EXPECT_EQ(buttonBar->HotButton(), button(2));
  buttonBar->keyDown(Qt::Key_Right);
  EXPECT_EQ(buttonBar->HotButton(), button(0));
  EXPECT_EQ(buttonBar->NeighbourButton(button(2), 1), button(0));
  buttonBar->systemKeyMenu();  // Alt again leaves the keyboard mode
  EXPECT_EQ(buttonBar->HotButton(), nullptr);
}

TEST_F(MenuButtonBarTest, AClickOnTheButtonWhoseDropDownItClosedRunsTheItemAndOpensNothing) {
  int shown = 0;
  int clicked = 0;
  QObject::connect(file, &QMenu::aboutToShow, [&] { ++shown; });
  QObject::connect(file->menuAction(), &QAction::triggered, [&] { ++clicked; });
  closeDropDownSoon();
  button(0)->click();
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(buttonBar->ClosedButton(), button(0));

  button(0)->click();  // the click that closed its drop-down
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(clicked, 1);
  EXPECT_EQ(buttonBar->HotButton(), button(0));
  EXPECT_EQ(buttonBar->ClosedButton(), nullptr);

  closeDropDownSoon();
  button(0)->click();  // the next click opens it again
  EXPECT_EQ(shown, 2);
}

TEST_F(MenuButtonBarTest, NoSwitchingWhileTheSelectedItemHasASubmenu) {
  menu->SubmenuSelected = true;
  int shown = 0;
  QObject::connect(edit, &QMenu::aboutToShow, [&] { ++shown; });
  buttonBar->barMessage(-1, button(1));
  QApplication::processEvents();
  EXPECT_EQ(shown, 0);
  menu->SubmenuSelected = false;
  closeDropDownSoon();
  buttonBar->barMessage(-1, button(1));
  QTimer::singleShot(0, [this] { closeDropDownSoon(); });
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(shown, 1);
}

TEST_F(MenuButtonBarTest, DropDownsNearTheScreensBottomOpenUpward) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  form->move(0, 0);
  EXPECT_FALSE(buttonBar->dropDownPlace(button(0)).upward);
  form->move(0, screen.height() - 60);
  const TMenuButtonBar::DropDownPlace place = buttonBar->dropDownPlace(button(0));
  EXPECT_TRUE(place.upward);
  EXPECT_EQ(place.at.y(), button(0)->mapToGlobal(QPoint(0, 0)).y());  // from the button's top edge
}

TEST_F(MenuButtonBarTest, SlidersAppearWhenTheRowIsWiderAndShiftItByOneButton) {
  buttonBar->resize(button(0)->width() + 10, buttonBar->height());
  EXPECT_TRUE(buttonBar->RightSlider()->isVisible());
  EXPECT_FALSE(buttonBar->LeftSlider()->isVisible());
  const int first = button(0)->width();
  buttonBar->scroll(1);
  EXPECT_EQ(button(0)->x(), -first);
  EXPECT_EQ(buttonBar->FirstShown(), 1);
  EXPECT_TRUE(buttonBar->LeftSlider()->isEnabled());
  buttonBar->scroll(-1);
  EXPECT_EQ(button(0)->x(), 0);
  EXPECT_EQ(buttonBar->FirstShown(), 0);
}

TEST_F(MenuButtonBarTest, ButtonsPaintTheirLooks) {
  RecordingCanvas hot;
  button(0)->setLook(TMenuButton::Hot);
  button(0)->paintOn(hot);
  EXPECT_TRUE(hot.has("edge 0,0," + std::to_string(button(0)->width()) + "," + std::to_string(button(0)->height()) +
                      " 4 0x3"));
  RecordingCanvas pressed;
  button(0)->setLook(TMenuButton::Pressed);
  button(0)->paintOn(pressed);
  EXPECT_EQ(pressed.callsStartingWith("edge").size(), 2u);
  EXPECT_EQ(pressed.callsStartingWith("text").size(), 1u);
  RecordingCanvas disabled;
  button(0)->setLook(TMenuButton::Disabled);
  button(0)->paintOn(disabled);
  EXPECT_EQ(disabled.callsStartingWith("text").size(), 2u);  // highlight shifted, then grey
}

}  // namespace
}  // namespace sorabel::test
