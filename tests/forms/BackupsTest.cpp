// Backups through the window: Ctrl+S keeps the replaced file, the settings
// set how many, and バックアップから開く... opens one as a new book.

#include <QSpinBox>
#include <QTreeWidget>

#include "forms/FormsFixture.h"
#include "forms/USet.h"
#include "ledger/BookBackups.h"

namespace sorabel::test {
namespace {

namespace fs = std::filesystem;

class BackupsTest : public FormsTest {
 protected:
  fs::path folder() const { return dir / "data" / "sorabel" / "backups"; }
  std::vector<BookBackup> kept() const { return listBackups(folder(), dir / "b.csv"); }

  StringGridView* grid() const { return child<StringGridView>(&main(), "StringGrid1"); }

  void openBook() {
    writeBook("b.csv", "\"2026/12/01\",\"original\",\"100\",\"\",\"100\"\r\n");
    start();
    main().show();
    main().activateWindow();
    QApplication::setActiveWindow(&main());
    dialogs.openNames.push_back(bookPath("b.csv"));
    main().Open1Click();
    grid()->setFocus();
  }

  // Ctrl+S in the grid, the main window active again as after a dialog.
  void pressSave() {
    QApplication::setActiveWindow(&main());
    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_S, Qt::ControlModifier);
  }

  void editAndSave(const std::string& description) {
    main().changeBook([&](LedgerGrid& g) { g.setCell(kDescriptionColumn, 1, sjis(description)); });
    pressSave();
  }
};

TEST_F(BackupsTest, TenSavesKeepTenBackupsAndTheEleventhDropsTheOldest) {
  openBook();
  const std::string original = readBytes(dir / "b.csv");
  editAndSave("v0");
  ASSERT_EQ(kept().size(), 1u);
  EXPECT_EQ(readBytes(kept()[0].path), original);  // byte for byte
  for (int n = 1; n < 10; ++n) editAndSave("v" + std::to_string(n));
  ASSERT_EQ(kept().size(), 10u);
  EXPECT_EQ(readBytes(kept()[9].path), original);
  editAndSave("v10");
  const std::vector<BookBackup> ring = kept();
  ASSERT_EQ(ring.size(), 10u);
  EXPECT_NE(cp932ToUtf8(readBytes(ring[9].path)).find("\"v0\""), std::string::npos);
  EXPECT_NE(cp932ToUtf8(readBytes(ring[0].path)).find("\"v9\""), std::string::npos);
  EXPECT_NE(bookText("b.csv").find("\"v10\""), std::string::npos);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(BackupsTest, ABackupChosenFromTheFileMenuOpensAsANewBookThatSaveMustName) {
  openBook();
  dialogs.shown.clear();
  editAndSave("first");
  editAndSave("second");
  const std::vector<BookBackup> ring = kept();
  ASSERT_EQ(ring.size(), 2u);
  const std::string backupBytes = readBytes(ring[1].path);

  QStringList listed;
  whenModal([&] {
    auto* list = child<QTreeWidget>(QApplication::activeModalWidget(), "BackupList");
    for (int n = 0; n < list->topLevelItemCount(); ++n)
      listed << list->topLevelItem(n)->text(0) + " " + list->topLevelItem(n)->text(1);
    QTest::keyClick(list, Qt::Key_Down);  // the older one: the book as first opened
    QTest::keyClick(list, Qt::Key_Return);
  });
  child<QAction>(&main(), "OpenBackup1")->trigger();
  ASSERT_EQ(listed.size(), 2);
  EXPECT_EQ(listed[0], QString::fromStdString(shownBackupTime(ring[0])) + " 1 件");
  EXPECT_EQ(main().windowTitle(), "Sorabel  NewFile");
  ASSERT_EQ(rows().size(), 1u);
  EXPECT_EQ(rows()[0][kDescriptionColumn], "original");

  dialogs.saveNames.push_back(bookPath("restored.csv"));
  pressSave();
  EXPECT_TRUE(dialogs.saveNames.empty());  // Save asked for a name
  EXPECT_NE(bookText("restored.csv").find("\"original\""), std::string::npos);
  EXPECT_EQ(readBytes(ring[1].path), backupBytes);
}

TEST_F(BackupsTest, WithoutBackupsTheMenuSaysSoAndOpensNothing) {
  openBook();
  child<QAction>(&main(), "OpenBackup1")->trigger();
  ASSERT_FALSE(dialogs.shown.empty());
  EXPECT_EQ(dialogs.texts().back(), "このファイルのバックアップはありません。");
  EXPECT_EQ(main().windowTitle(), "Sorabel　" + bookPath("b.csv"));
}

TEST_F(BackupsTest, TheSettingsDialogSetsHowManyAndNoneKeepsNone) {
  openBook();
  whenModal([this] {
    auto* count = child<QSpinBox>(forms->SetFm, "BackupCountEdit");
    EXPECT_EQ(count->value(), 10);
    count->setFocus();
    QTest::keyClick(count, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(count, "0");
    child<QAbstractButton>(forms->SetFm, "BitBtn1")->click();
  });
  main().S2Click();
  EXPECT_NE(profileText().find("BackupCount=0\r\n"), std::string::npos);
  editAndSave("changed");
  EXPECT_NE(bookText("b.csv").find("\"changed\""), std::string::npos);
  EXPECT_TRUE(kept().empty());
}

TEST_F(BackupsTest, ABackupThatCannotBeMadeIsToldOnceAndTheBookIsSavedAllTheSame) {
  openBook();
  writeBytes(dir / "blocker", "");
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString((dir / "blocker").string()));
  editAndSave("one");
  editAndSave("two");
  int told = 0;
  for (const QString& text : dialogs.texts()) told += text.contains("バックアップを残せませんでした");
  EXPECT_EQ(told, 1);
  EXPECT_NE(bookText("b.csv").find("\"two\""), std::string::npos);
}

}  // namespace
}  // namespace sorabel::test
