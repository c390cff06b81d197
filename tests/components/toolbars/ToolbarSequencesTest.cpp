// What a person does to toolbars, sent as real mouse and key events to the
// real widgets with the menus' and loops' own event loops running: double
// clicks, clicks while a drop-down is open, handlers that delete or hide,
// a close request or a dialog during a drag.

#include <QDialog>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "components/toolbars/DragOutline.h"
#include "components/toolbars/ToolbarFixture.h"
#include "draw/HandlerBoundary.h"

namespace sorabel::test {
namespace {

// Mouse events through the form's window, as the window system delivers
// them (open pop-up menus see them first).
class SequenceTest : public ToolbarTest {
 protected:
  void SetUp() override {
    ToolbarTest::SetUp();
    bar = toolbar({23, 23, 0, 23}, top);
    for (QWidget* control : bar->controls())
      if (auto* button = qobject_cast<TToolbarButton*>(control)) buttons.push_back(button);
    form->move(50, 50);
    form->show();
    QApplication::processEvents();
  }

  QPoint inWindow(QWidget* widget, QPoint local = {5, 5}) const { return widget->mapTo(form.get(), local); }
  void press(QWidget* widget) { QTest::mousePress(form->windowHandle(), Qt::LeftButton, {}, inWindow(widget)); }
  void release(QWidget* widget) { QTest::mouseRelease(form->windowHandle(), Qt::LeftButton, {}, inWindow(widget)); }

  TToolbar* bar = nullptr;
  std::vector<TToolbarButton*> buttons;
};

TEST_F(SequenceTest, ASecondClickWithinTheDoubleClickTimeIsAClickToo) {
  int clicks = 0;
  int doubles = 0;
  buttons[0]->OnClick = [&] { ++clicks; };
  buttons[0]->OnDblClick = [&] { ++doubles; };
  QTest::mouseDClick(form->windowHandle(), Qt::LeftButton, {}, inWindow(buttons[0]));
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(doubles, 0);  // only a latched button hears of double clicks
  EXPECT_EQ(buttons[0]->faceState(), FaceState::Up);

  buttons[1]->setGroupIndex(4);
  buttons[1]->setAllowAllUp(true);
  buttons[1]->OnDblClick = [&] { ++doubles; };
  QTest::mouseDClick(form->windowHandle(), Qt::LeftButton, {}, inWindow(buttons[1]));
  EXPECT_EQ(doubles, 1);       // down after the first click, so the double click fires
  EXPECT_FALSE(buttons[1]->Down());  // and the second click let it up again
}

TEST_F(SequenceTest, AClickElsewhereWhileADropdownIsOpenClosesItAndReachesTheButton) {
  QMenu menu;
  menu.addAction(QStringLiteral("Item"));
  buttons[0]->setDropdownMenu(&menu);
  int clicks = 0;
  buttons[1]->OnClick = [&] { ++clicks; };
  int opened = 0;
  QObject::connect(&menu, &QMenu::aboutToShow, [&] {
    ++opened;
    QTimer::singleShot(0, [&] { press(buttons[1]); });  // the menu is open: press the neighbour
  });
  press(buttons[0]);  // opens the menu; returns when it has closed
  EXPECT_EQ(opened, 1);
  EXPECT_FALSE(menu.isVisible());
  QApplication::processEvents();
  EXPECT_EQ(buttons[1]->faceState(), FaceState::Down);  // the press reached it
  release(buttons[1]);
  EXPECT_EQ(clicks, 1);

  // A press on the drop-down button itself only closes its menu.
  QObject::disconnect(&menu, nullptr, nullptr, nullptr);
  QObject::connect(&menu, &QMenu::aboutToShow, [&] {
    ++opened;
    QTimer::singleShot(0, [&] { press(buttons[0]); });
  });
  press(buttons[0]);
  QApplication::processEvents();
  release(buttons[0]);
  QApplication::processEvents();
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(buttons[0]->faceState(), FaceState::Up);
}

TEST_F(SequenceTest, AHandlerMayDeleteTheToolbarOrHideItWhileItsMenuIsOpen) {
  QPointer<TToolbar> watched = bar;
  buttons[0]->OnClick = [&] { delete bar; };
  QTest::mouseClick(buttons[0], Qt::LeftButton, {}, {5, 5});
  EXPECT_EQ(watched, nullptr);
  EXPECT_TRUE(top->BarList().empty());

  TToolbar* second = toolbar({23, 23}, top);
  auto* dropdown = static_cast<TToolbarButton*>(second->controls()[0]);
  QMenu menu;
  QAction* hide = menu.addAction(QStringLiteral("Hide"));
  QObject::connect(hide, &QAction::triggered, [&] { second->setVisible(false); });
  dropdown->setDropdownMenu(&menu);
  QObject::connect(&menu, &QMenu::aboutToShow, [&] { QTimer::singleShot(0, [&] {
      hide->trigger();
      menu.close();
    });
  });
  QTest::mousePress(dropdown, Qt::LeftButton, {}, {5, 5});
  EXPECT_FALSE(second->Visible());
  EXPECT_TRUE(top->BarList().empty());
  EXPECT_EQ(top->height(), 0);
  QTest::mouseRelease(dropdown, Qt::LeftButton, {}, {5, 5});
  EXPECT_EQ(dropdown->faceState(), FaceState::Up);
}

// A form whose close request asks a question, as the cash book's does.
class AskingForm : public QWidget {
 public:
  std::function<void()> asked;
  int questions = 0;

 protected:
  void closeEvent(QCloseEvent* event) override {
    ++questions;
    QDialog question(this);
    QTimer::singleShot(0, &question, [this] { if (asked) asked(); });
    if (question.exec() != QDialog::Accepted) event->ignore();
  }
};

TEST(DragAndClose, ACloseRequestDuringADragEndsItSoTheQuestionCanBeAnswered) {
  auto form = std::make_unique<AskingForm>();
  form->resize(400, 300);
  auto* dock = new TDock(form.get(), TDockPosition::dpTop);
  dock->resize(400, 0);
  auto* bar = new TToolbar(form.get());
  new TToolbarButton(bar);
  bar->SetDockedTo(dock);
  form->show();
  QApplication::processEvents();

  bool grabbed = true;
  bool outlineShown = true;
  form->asked = [&] {
    grabbed = QWidget::mouseGrabber() != nullptr || QWidget::keyboardGrabber() != nullptr;
    outlineShown = false;
    for (QWidget* window : QApplication::topLevelWidgets())
      if (qobject_cast<DragOutline*>(window) != nullptr && window->isVisible()) outlineShown = true;
    // The question answers to the keyboard: Esc keeps the form open. (Were
    // the keys still grabbed, the question is closed after a while so that
    // the test fails instead of hanging.)
    auto* question = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    QTimer::singleShot(2000, question, &QDialog::reject);
    QTest::keyClick(question, Qt::Key_Escape);
  };
  QTimer::singleShot(0, [&] {
    QTest::mouseMove(form->windowHandle(), QPoint(100, 150));
    QTimer::singleShot(0, [&] { form->close(); });  // the window manager's close box
  });
  // Were the drag still running after the question, this ends it, so that
  // the test fails instead of hanging.
  QTimer::singleShot(4000, form.get(), [&] {
    QTest::mouseRelease(form->windowHandle(), Qt::LeftButton, {}, QPoint(100, 150));
  });
  QTest::mousePress(form->windowHandle(), Qt::LeftButton, {}, QPoint(5, 10));  // the handle: the drag runs
  EXPECT_EQ(form->questions, 1);
  EXPECT_FALSE(grabbed);
  EXPECT_FALSE(outlineShown);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(bar->DockedTo(), dock);  // the drag was cancelled, nothing moved
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST(DragAndClose, AFormClosedForGoodDuringADragTakesItsToolbarWithoutACrash) {
  auto* form = new QWidget;
  form->setAttribute(Qt::WA_DeleteOnClose);
  form->resize(400, 300);
  auto* dock = new TDock(form, TDockPosition::dpTop);
  dock->resize(400, 0);
  auto* bar = new TToolbar(form);
  new TToolbarButton(bar);
  bar->SetDockedTo(dock);
  form->show();
  QApplication::processEvents();
  QPointer<TToolbar> watched = bar;
  QPointer<QWidget> watchedForm = form;
  QTimer::singleShot(0, [&] { watchedForm->close(); });
  QTest::mousePress(form->windowHandle(), Qt::LeftButton, {}, QPoint(5, 10));
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(watchedForm, nullptr);
  EXPECT_EQ(watched, nullptr);
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(SequenceTest, ADialogOpenedDuringADragFreesTheMouseAndKeyboard) {
  bool grabbed = true;
  QTimer::singleShot(0, [&] {
    QDialog dialog(form.get());
    QTimer::singleShot(0, &dialog, [&] {
      grabbed = QWidget::mouseGrabber() != nullptr || QWidget::keyboardGrabber() != nullptr;
      QTimer::singleShot(2000, &dialog, &QDialog::reject);  // fails instead of hanging
      QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    dialog.exec();
  });
  QTimer::singleShot(4000, form.get(), [&] {  // ends a drag that outlived the dialog
    QTest::mouseRelease(form->windowHandle(), Qt::LeftButton, {}, inWindow(bar, {5, 10}));
  });
  QTest::mousePress(form->windowHandle(), Qt::LeftButton, {}, inWindow(bar, {5, 10}));
  EXPECT_FALSE(grabbed);
  EXPECT_EQ(bar->DockedTo(), top);
}

TEST_F(SequenceTest, HoverPressDragOutAndBackInWithRealEvents) {
  int clicks = 0;
  buttons[0]->OnClick = [&] { ++clicks; };
  QTest::mouseMove(form->windowHandle(), inWindow(buttons[0]));
  QTest::mousePress(form->windowHandle(), Qt::LeftButton, {}, inWindow(buttons[0]));
  EXPECT_EQ(buttons[0]->faceState(), FaceState::Down);
  QTest::mouseMove(form->windowHandle(), inWindow(buttons[0], {5, 60}));
  EXPECT_EQ(buttons[0]->faceState(), FaceState::Up);
  QTest::mouseMove(form->windowHandle(), inWindow(buttons[0]));
  EXPECT_EQ(buttons[0]->faceState(), FaceState::Down);
  QTest::mouseRelease(form->windowHandle(), Qt::LeftButton, {}, inWindow(buttons[0]));
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace sorabel::test
