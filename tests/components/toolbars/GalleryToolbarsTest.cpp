// The gallery's toolbar page survives a click on every control of the form
// it opens, and its latching group and AllowAllUp button can be tried.

#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ToolbarsPage.h"
#include "components/toolbars/ToolbarFixture.h"

namespace sorabel::test {
namespace {

TEST(GalleryToolbars, EveryButtonOfTheDemoFormCanBeClicked) {
  gallery::ToolbarsPage page;
  page.show();
  QTest::mouseClick(page.findChild<QPushButton*>(QStringLiteral("OpenToolbarsForm")), Qt::LeftButton);
  QWidget* form = page.demoForm();
  ASSERT_TRUE(form->isVisible());
  auto* log = form->findChild<QPlainTextEdit*>();
  ASSERT_NE(log, nullptr);

  int clicked = 0;
  for (TToolbarButton* button : form->findChildren<TToolbarButton*>()) {
    if (!button->isEnabled()) continue;
    if (QMenu* menu = button->DropdownMenu()) {
      // The menu opens on the press: choose its first colour.
      QTimer::singleShot(0, menu, [menu] { menu->actions().first()->trigger(); menu->close(); });
      QTest::mousePress(button, Qt::LeftButton, {}, {5, 5});
      QTest::mouseRelease(button, Qt::LeftButton, {}, {5, 5});
    } else {
      QTest::mouseClick(button, Qt::LeftButton, {}, {5, 5});
    }
    ++clicked;
  }
  EXPECT_GE(clicked, 20);
  EXPECT_EQ(log->document()->blockCount(), clicked);  // one line a click

  // The alignment group keeps one button down; the bold button goes up again.
  std::vector<TToolbarButton*> group;
  TToolbarButton* bold = nullptr;
  for (TToolbarButton* button : form->findChildren<TToolbarButton*>()) {
    if (button->GroupIndex() == 1) group.push_back(button);
    if (button->GroupIndex() == 2) bold = button;
  }
  ASSERT_EQ(group.size(), 3u);
  ASSERT_NE(bold, nullptr);
  QTest::mouseClick(group[1], Qt::LeftButton, {}, {5, 5});
  EXPECT_TRUE(group[1]->Down());
  EXPECT_FALSE(group[0]->Down());
  QTest::mouseClick(group[1], Qt::LeftButton, {}, {5, 5});
  EXPECT_TRUE(group[1]->Down());
  const bool boldDown = bold->Down();
  QTest::mouseClick(bold, Qt::LeftButton, {}, {5, 5});
  EXPECT_NE(bold->Down(), boldDown);
  QTest::mouseClick(bold, Qt::LeftButton, {}, {5, 5});
  EXPECT_EQ(bold->Down(), boldDown);
  form->close();
}

}  // namespace
}  // namespace sorabel::test
