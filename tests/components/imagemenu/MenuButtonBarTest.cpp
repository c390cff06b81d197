// The button menu bar through real events: clicks on the buttons with the
// drop-downs really open (each runs its own loop, driven by a timer), Alt,
// arrows, Return and Esc, the focus moving away, hints, sliders and looks.

#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <climits>
#include <functional>
#include <utility>

#include "components/imagemenu/ImageMenuFixture.h"
#include "components/imagemenu/TMenuButtonBar.h"
#include "components/imagemenu/TSlideButton.h"
#include "components/imagemenu/WindowMenu.h"
#include "draw/SysColors.h"

namespace sorabel::test {
namespace {

class MenuButtonBarTest : public ImageMenuTest {
 protected:
  void SetUp() override {
    ImageMenuTest::SetUp();
    file->menuAction()->setStatusTip(QStringLiteral("ファイルの操作"));
    edit->menuAction()->setStatusTip(QStringLiteral("編集の操作"));
    nested = edit->addMenu(QStringLiteral("入れ子(&N)"));
    nestedItem = nested->addAction(QStringLiteral("奥(&O)"));
    auto* client = new QWidget;
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    buttonBar = new TMenuButtonBar(client);
    layout->addWidget(buttonBar);
    lineEdit = new QLineEdit(QStringLiteral("abcdef"));
    layout->addWidget(lineEdit);
    layout->addStretch();
    form->setCentralWidget(client);
    buttonBar->setMenu(bar);
    menu->setMenuButtonBar(buttonBar);
    form->resize(600, 300);
    activate(form.get());
    lineEdit->setFocus();
    lineEdit->setCursorPosition(3);
    QObject::connect(file, &QMenu::aboutToShow, [this] { ++fileShown; });
    QObject::connect(file->menuAction(), &QAction::triggered, [this] { ++fileClicked; });
  }
  void TearDown() override {
    delete poll_;
    ImageMenuTest::TearDown();
  }

  TMenuButton* button(int i) const { return buttonBar->menuButtons().at(static_cast<std::size_t>(i)); }
  static QMenu* openMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

  // Runs step inside the loop of a drop-down as soon as it is open (which,
  // or any). The steps of one test run one after the other; a step may
  // open the next drop-down itself, whose loop then runs the next step.
  void whenOpen(std::function<void(QMenu*)> step, QMenu* which = nullptr) {
    steps_.push_back({which, std::move(step)});
    if (poll_ != nullptr) return;
    poll_ = new QTimer;
    QObject::connect(poll_, &QTimer::timeout, [this] {
      if (++ticks_ > 400) poll_->stop();  // a drop-down that never opens ends the test's waiting
      QMenu* popup = openMenu();
      if (popup == nullptr || stepStarting_ || steps_.empty() ||
          (steps_.front().which != nullptr && steps_.front().which != popup))
        return;
      std::function<void(QMenu*)> step = std::move(steps_.front().step);
      steps_.erase(steps_.begin());
      stepStarting_ = true;
      QPointer<QMenu> guarded = popup;
      QTimer::singleShot(0, [this, step, guarded] {
        stepStarting_ = false;
        if (guarded != nullptr) step(guarded);
      });
    });
    poll_->start(5);
  }
  // Closes the next drop-down as soon as it is open.
  void closeWhenOpen() {
    whenOpen([](QMenu* popup) { popup->close(); });
  }
  // A click on a widget's middle, as the mouse gives it.
  void click(QWidget* widget, Qt::MouseButton which = Qt::LeftButton) {
    pointAt(widget, widget->rect().center());
    clickAt(widget, widget->rect().center(), which);
    QApplication::processEvents();
  }
  void pressAlt() { typeAlt(form.get()); }
  void key(Qt::Key which) { typeKey(form.get(), which); }

  TMenuButtonBar* buttonBar = nullptr;
  QLineEdit* lineEdit = nullptr;
  QMenu* nested = nullptr;
  QAction* nestedItem = nullptr;
  int fileShown = 0;
  int fileClicked = 0;

 private:
  QTimer* poll_ = nullptr;
  int ticks_ = 0;
  bool stepStarting_ = false;
  struct Step {
    QMenu* which;
    std::function<void(QMenu*)> step;
  };
  std::vector<Step> steps_;
};

TEST_F(MenuButtonBarTest, ButtonsStandForTheTopLevelItemsWhichTheNativeBarHides) {
  ASSERT_EQ(buttonBar->menuButtons().size(), 3u);
  EXPECT_EQ(button(1)->Caption(), "編集(&E)");
  EXPECT_EQ(button(1)->Hint(), "編集の操作");
  EXPECT_EQ(button(1)->Tag(), 1);
  EXPECT_FALSE(bar->isVisible());  // the native bar shows nothing
  EXPECT_TRUE(edit->menuAction()->isEnabled());
  EXPECT_EQ(button(1)->x(), button(0)->width());
  EXPECT_EQ(button(0)->y(), 1);
  EXPECT_EQ(buttonBar->height(), 1 + button(0)->height() + 1);
  EXPECT_EQ(TMenuButtonBar::AcceleratorKey(QStringLiteral("ファイル(&F)")), 'F');
  EXPECT_EQ(TMenuButtonBar::AcceleratorKey(QStringLiteral("Help")), 92);
  EXPECT_EQ(buttonBar->ImageMenuLink(), menu);
}

TEST_F(MenuButtonBarTest, AltEntersKeyboardModeArrowsWrapAndAltGivesTheFocusBack) {
  pressAlt();
  EXPECT_EQ(buttonBar->HotButton(), button(0));
  EXPECT_TRUE(buttonBar->KeyboardMode());
  EXPECT_EQ(button(0)->ButtonState(), TMenuButton::Hot);
  key(Qt::Key_Left);
  EXPECT_EQ(buttonBar->HotButton(), button(2));
  key(Qt::Key_Right);
  EXPECT_EQ(buttonBar->HotButton(), button(0));
  whenOpen([this](QMenu* popup) {
    EXPECT_EQ(popup, file);
    EXPECT_EQ(popup->activeAction(), newItem);  // opened from the keyboard: its first item selected
    EXPECT_EQ(button(0)->ButtonState(), TMenuButton::Pressed);
    typeKey(form.get(), Qt::Key_Escape);
  });
  key(Qt::Key_Down);
  EXPECT_EQ(buttonBar->HotButton(), button(0));  // Esc returns to the bar, still from the keyboard
  EXPECT_TRUE(buttonBar->KeyboardMode());
  pressAlt();  // Alt again leaves the keyboard mode
  EXPECT_EQ(buttonBar->HotButton(), nullptr);
  EXPECT_EQ(button(0)->ButtonState(), TMenuButton::Normal);
  EXPECT_TRUE(lineEdit->hasFocus());
  key(Qt::Key_Right);
  EXPECT_EQ(lineEdit->cursorPosition(), 4);
}

TEST_F(MenuButtonBarTest, TheFocusMovingToAControlEndsKeyboardModeAndTheArrowsReachIt) {
  pressAlt();
  ASSERT_EQ(buttonBar->HotButton(), button(0));
  key(Qt::Key_Tab);
  ASSERT_TRUE(lineEdit->hasFocus());
  EXPECT_EQ(buttonBar->HotButton(), nullptr);
  lineEdit->setCursorPosition(3);
  key(Qt::Key_Right);
  EXPECT_EQ(lineEdit->cursorPosition(), 4);

  pressAlt();
  ASSERT_EQ(buttonBar->HotButton(), button(0));
  click(lineEdit);
  EXPECT_EQ(buttonBar->HotButton(), nullptr);
  EXPECT_FALSE(buttonBar->KeyboardMode());
}

TEST_F(MenuButtonBarTest, ThePointerRestingOnAButtonLeavesTheArrowsToTheFocusedControl) {
  pointAt(button(1), button(1)->rect().center());
  ASSERT_EQ(buttonBar->HotButton(), button(1));
  key(Qt::Key_Left);
  EXPECT_EQ(lineEdit->cursorPosition(), 2);
  EXPECT_EQ(buttonBar->HotButton(), button(1));
  EXPECT_EQ(form->lastHint(), "編集の操作");  // the item's hint
  pointAt(buttonBar, QPoint(buttonBar->width() - 3, 2));  // the bar beyond the buttons keeps it
  EXPECT_EQ(form->lastHint(), "編集の操作");
}

TEST_F(MenuButtonBarTest, TheClickThatClosesADropDownRunsTheItemAndTheNextOpensItAgain) {
  whenOpen([this](QMenu*) {
    EXPECT_EQ(button(0)->ButtonState(), TMenuButton::Pressed);
    click(button(0));  // the closing click, on the open drop-down's button
  });
  click(button(0));
  EXPECT_EQ(fileShown, 1);
  EXPECT_EQ(fileClicked, 1);  // the top-level item's own click
  EXPECT_EQ(buttonBar->HotButton(), button(0));
  EXPECT_EQ(buttonBar->ClosedButton(), nullptr);

  closeWhenOpen();
  click(button(0));  // the third click opens it again
  EXPECT_EQ(fileShown, 2);
}

TEST_F(MenuButtonBarTest, ChoosingAnItemWithReturnLetsTheNextClickOpenTheDropDown) {
  int chosen = 0;
  QObject::connect(newItem, &QAction::triggered, [&] { ++chosen; });
  whenOpen([](QMenu* popup) {
    QTest::keyClick(windowOf(popup), Qt::Key_Down);
    QTest::keyClick(windowOf(popup), Qt::Key_Return);
  });
  click(button(0));
  EXPECT_EQ(chosen, 1);
  EXPECT_EQ(buttonBar->ClosedButton(), nullptr);
  closeWhenOpen();
  click(button(0));
  EXPECT_EQ(fileShown, 2);
  EXPECT_EQ(fileClicked, 0);
}

TEST_F(MenuButtonBarTest, AnOpenDropDownKeepsItsButtonPressedAlsoAfterThePointerGrabAndAcrossArrows) {
  whenOpen([this](QMenu* popup) {
    EXPECT_EQ(popup, file);
    // The window system's leave as the drop-down takes the pointer.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button(0), &leave);
    EXPECT_EQ(button(0)->ButtonState(), TMenuButton::Pressed);
    QTest::keyClick(windowOf(popup), Qt::Key_Right);  // to the next button's drop-down
  });
  whenOpen([this](QMenu* popup) {
    EXPECT_EQ(button(1)->ButtonState(), TMenuButton::Pressed);
    EXPECT_EQ(button(0)->ButtonState(), TMenuButton::Normal);
    EXPECT_EQ(popup->activeAction(), toolbarItem);  // from the keyboard: the first item selected
    popup->close();
  }, edit);
  int editShown = 0;
  QObject::connect(edit, &QMenu::aboutToShow, [&] { ++editShown; });
  click(button(0));
  for (int i = 0; i < 80 && editShown == 0; ++i) QTest::qWait(5);
  EXPECT_EQ(editShown, 1);
}

TEST_F(MenuButtonBarTest, LeftAndRightStayInADropDownWhoseSelectedItemHasASubmenu) {
  whenOpen([this](QMenu* popup) {
    pointAt(popup, nested->menuAction());
    EXPECT_TRUE(menu->SubmenuSelected());
    QTest::keyClick(windowOf(popup), Qt::Key_Right);  // opens the submenu, no other drop-down
    QApplication::processEvents();
    EXPECT_EQ(openMenu(), nested);
    typeKey(form.get(), Qt::Key_Escape);  // closes the submenu
    typeKey(form.get(), Qt::Key_Escape);  // and the drop-down
  });
  click(button(1));
  EXPECT_FALSE(search->isVisible());

  whenOpen([this](QMenu* popup) {
    pointAt(popup, toolbarItem);  // a plain item of the first level
    EXPECT_FALSE(menu->SubmenuSelected());
    QTest::keyClick(windowOf(popup), Qt::Key_Right);
  });
  whenOpen([](QMenu* popup) { popup->close(); }, search);
  int searchShown = 0;
  QObject::connect(search, &QMenu::aboutToShow, [&] { ++searchShown; });
  click(button(1));
  for (int i = 0; i < 40 && searchShown == 0; ++i) QTest::qWait(5);
  EXPECT_EQ(searchShown, 1);
}

TEST_F(MenuButtonBarTest, ABarRemovedByAnItemOfItsOpenDropDownIsNotTouchedAgain) {
  QPointer<TMenuButtonBar> guard = buttonBar;
  QObject::connect(newItem, &QAction::triggered, [this] { delete buttonBar; });
  whenOpen([this](QMenu* popup) {
    const QPoint at = popup->actionGeometry(newItem).center();
    pointAt(popup, at);
    clickAt(popup, at);
  });
  click(button(0));
  EXPECT_EQ(guard, nullptr);
  EXPECT_EQ(menu->MenuButtonBar(), nullptr);
}

TEST_F(MenuButtonBarTest, DisabledButtonsAndSlidersLookDisabled) {
  edit->menuAction()->setEnabled(false);
  QApplication::processEvents();  // the menu-changed notification
  EXPECT_EQ(button(1)->ButtonState(), TMenuButton::Disabled);
  RecordingCanvas disabled;
  button(1)->paintOn(disabled);
  const std::string client = RecordingCanvas::rect({0, 0, button(1)->width(), button(1)->height()});
  EXPECT_EQ(disabled.callsStartingWith("text"),
            (std::vector<std::string>{"text \"編集(&E)\" " + RecordingCanvas::rect({1, 1, button(1)->width() + 1, button(1)->height() + 1}) + " 0x65 sys20",
                                      "text \"編集(&E)\" " + client + " 0x65 sys17"}));
  edit->menuAction()->setEnabled(true);
  QApplication::processEvents();
  EXPECT_EQ(button(1)->ButtonState(), TMenuButton::Normal);

  buttonBar->resize(button(0)->width() + 10, buttonBar->height());
  TSlideButton* left = buttonBar->LeftSlider();
  buttonBar->scroll(1);
  buttonBar->scroll(-1);  // the left slider is disabled again and still shown
  ASSERT_TRUE(left->isVisible());
  ASSERT_FALSE(left->isEnabled());
  const QImage shot = left->grab().toImage();
  bool black = false;
  bool shadow = false;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) {
      black = black || shot.pixelColor(x, y) == QColor(Qt::black);
      shadow = shadow || near(shot.pixelColor(x, y), resolve(clBtnShadow));
    }
  EXPECT_FALSE(black);  // the arrow is embossed, not drawn
  EXPECT_TRUE(shadow);
}

TEST_F(MenuButtonBarTest, ARightClickOnAButtonOpensTheWindowMenu) {
  click(button(2), Qt::RightButton);
  EXPECT_TRUE(WindowMenu::of(form.get())->isVisible());
  EXPECT_EQ(fileShown, 0);
}

TEST_F(MenuButtonBarTest, ARightClickBesideTheButtonsShowsThePopupMenuWhenOneIsSet) {
  QMenu popup;
  popup.addAction(QStringLiteral("バーの設定(&B)"));
  buttonBar->setPopupMenu(&popup);
  clickAt(buttonBar, QPoint(buttonBar->width() - 5, buttonBar->height() / 2), Qt::RightButton);
  EXPECT_TRUE(popup.isVisible());
  EXPECT_FALSE(WindowMenu::of(form.get())->isVisible());
  popup.close();
}

TEST_F(MenuButtonBarTest, AHeldSliderKeepsScrolling) {
  buttonBar->resize(10, buttonBar->height());
  TSlideButton* right = buttonBar->RightSlider();
  ASSERT_TRUE(right->isVisible());
  const QPoint at = right->rect().center();
  pointAt(right, at);
  QTest::mousePress(windowOf(right), Qt::LeftButton, Qt::NoModifier, windowOf(right)->mapFromGlobal(right->mapToGlobal(at)));
  EXPECT_EQ(buttonBar->FirstShown(), 0);  // nothing before the first tick
  // The first tick after 400 ms, then one every 100 ms.
  EXPECT_TRUE(QTest::qWaitFor([this] { return buttonBar->FirstShown() >= 2; }, 5000));
  QTest::mouseRelease(windowOf(right), Qt::LeftButton, Qt::NoModifier, windowOf(right)->mapFromGlobal(right->mapToGlobal(at)));
  EXPECT_FALSE(right->RepeatTimer()->isActive());
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
  click(buttonBar->RightSlider());
  EXPECT_EQ(button(0)->x(), -first);
  EXPECT_EQ(buttonBar->FirstShown(), 1);
  EXPECT_TRUE(buttonBar->LeftSlider()->isEnabled());
  click(buttonBar->LeftSlider());
  EXPECT_EQ(button(0)->x(), 0);
  EXPECT_EQ(buttonBar->FirstShown(), 0);

  buttonBar->resize(0, buttonBar->height());  // however narrow: never beyond the last button
  for (int i = 0; i < 5; ++i) buttonBar->scroll(1);
  EXPECT_EQ(buttonBar->FirstShown(), 2);
}

TEST_F(MenuButtonBarTest, DownIsSharedByEveryButtonOfTheBar) {
  button(1)->setLook(TMenuButton::Hot);
  button(0)->setDown(true);
  EXPECT_TRUE(button(1)->Down());
  EXPECT_TRUE(button(2)->Down());
  EXPECT_EQ(button(1)->ButtonState(), TMenuButton::Normal);
  button(0)->setDown(false);
  EXPECT_FALSE(button(2)->Down());
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
}

TEST_F(MenuButtonBarTest, NumericPropertiesKeepTheirValueOutsideTheirRange) {
  buttonBar->setMenuCursor(Qt::PointingHandCursor);
  buttonBar->setColor(rgb(1, 2, 3));
  for (int value : {-1, INT_MAX}) {
    buttonBar->setMenuCursor(value);
    buttonBar->setColor(static_cast<Color>(value));
    button(1)->setTag(value);
    EXPECT_EQ(buttonBar->MenuCursor(), Qt::PointingHandCursor);
    EXPECT_EQ(buttonBar->Color(), rgb(1, 2, 3));
    EXPECT_EQ(button(1)->Tag(), 1);
  }
  buttonBar->setMenuCursor(0);
  buttonBar->setColor(0);
  button(1)->setTag(0);
  EXPECT_EQ(buttonBar->MenuCursor(), Qt::ArrowCursor);
  EXPECT_EQ(buttonBar->Color(), clBlack);
  EXPECT_EQ(button(1)->Tag(), 0);
}

}  // namespace
}  // namespace sorabel::test
