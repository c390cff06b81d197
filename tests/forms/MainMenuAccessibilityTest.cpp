// The main window's menu and status bar as accessibility tools (a screen
// reader, through Qt's accessibility interfaces) read them.

#include <QAccessible>
#include <QTest>
#include <QWindow>

#include "FormsFixture.h"

namespace sorabel::test {
namespace {

QAccessibleInterface* accessible(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

TEST_F(FormsTest, SwitchesAreCheckableItemsWithTheirHintsAndPanelZeroReadsTheHint) {
  TMainFm& fm = start();
  fm.show();
  QApplication::setActiveWindow(&fm);
  for (const char* name : {"T1", "S3", "StayTop", "SortInc", "SortDec"}) {
    auto* item = child<QAction>(&fm, name);
    QAccessibleInterface* face = accessible(item);
    ASSERT_NE(face, nullptr) << name;
    EXPECT_TRUE(face->state().checkable) << name;
    EXPECT_EQ(face->state().checked, item->isChecked()) << name;
  }
  EXPECT_EQ(accessible(child<QAction>(&fm, "T1"))->text(QAccessible::Description), "ツールバーの表示");
  EXPECT_EQ(accessible(child<QAction>(&fm, "D1"))->text(QAccessible::Description), "データを削除します");

  QAccessibleInterface* status = accessible(child<StatusPanelBar>(&fm, "StatusBar1"));
  ASSERT_EQ(status->role(), QAccessible::StatusBar);
  ASSERT_EQ(status->childCount(), 5);
  QAccessibleInterface* panelZero = status->child(0);
  EXPECT_EQ(panelZero->role(), QAccessible::StaticText);

  // The pointer on データ削除 of the open 編集 drop-down: panel 0 reads its hint.
  QMenuBar* bar = child<QMenuBar>(&fm, "MainMenu1");
  QMenu* edit = child<QMenu>(&fm, "E5");
  QWindow* window = fm.windowHandle();
  QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier,
                    window->mapFromGlobal(bar->mapToGlobal(bar->actionGeometry(edit->menuAction()).center())));
  ASSERT_TRUE(edit->isVisible());
  const QPoint item = edit->actionGeometry(child<QAction>(&fm, "D1")).center();
  QTest::mouseMove(edit->windowHandle(), item + QPoint(1, 0));
  QTest::mouseMove(edit->windowHandle(), item);
  EXPECT_EQ(panelZero->text(QAccessible::Name), "データを削除します");
  EXPECT_EQ(panelZero->text(QAccessible::Name), panel(0));
  edit->close();
}

}  // namespace
}  // namespace sorabel::test
