// Recovery through the window: a copy follows the changes, and a program
// that ended without closing offers it back at the next start.

#include "forms/FormsFixture.h"
#include "ledger/BookRecovery.h"

namespace sorabel::test {
namespace {

namespace fs = std::filesystem;

class RecoveryTest : public FormsTest {
 protected:
  fs::path folder() const { return dir / "state" / "sorabel" / "recovery"; }

  void openBook() {
    dialogs.openNames.push_back(writeBook("book.csv", "\"2001/01/01\",\"a\",\"1\",\"0\",\"1\"\r\n"));
    main().Open1Click();
  }
  void addEntry(const char* description) {
    main().aboutToEditBook();
    main().changeBook([&](LedgerGrid& grid) {
      grid.setRowCount(grid.rowCount() + 1);
      grid.setCell(kDateColumn, grid.lastRow(), "2001/01/02");
      grid.setCell(kDescriptionColumn, grid.lastRow(), description);
    });
    main().SortAndBalance();
    main().bookEdited(QStringLiteral("データ追加"));
  }
  bool hasCopy() const {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder(), error))
      if (entry.path().extension() == ".csv") return true;
    return false;
  }
  // The copy of the last change, written now rather than a second later.
  void waitForTheCopy() { main().writeRecoveryNow(); }
  // The program ends without closing its window, as a crash ends it.
  void endWithoutClosing() { forms.reset(); }
};

TEST_F(RecoveryTest, AProgramThatEndedWithoutClosingOffersItsChangesBackAsTheBookTheyBelongTo) {
  start();
  openBook();
  addEntry("typed");
  // The timer writes the copy by itself, a second after the change.
  ASSERT_TRUE(QTest::qWaitFor([this] { return hasCopy(); }, 10'000));
  ASSERT_EQ(leftRecoveries(folder()).size(), 0u);  // its program still runs
  endWithoutClosing();
  ASSERT_EQ(leftRecoveries(folder()).size(), 1u);

  dialogs.answers.push_back(Answer::Yes);
  start().offerRecovery();
  EXPECT_EQ(dialogs.texts().back(), "前回、保存されずに終了したデータがあります。復元しますか？");
  ASSERT_EQ(rows().size(), 2u);
  EXPECT_EQ(rows()[1][kDescriptionColumn], "typed");
  EXPECT_EQ(main().windowTitle(), "Sorabel　" + bookPath("book.csv"));
  EXPECT_TRUE(main().BookChanged());
  EXPECT_TRUE(leftRecoveries(folder()).empty());  // taken back: this program's copy holds it now

  main().Save1Click();
  EXPECT_NE(bookText("book.csv").find("typed"), std::string::npos);
  main().close();
  EXPECT_TRUE(leftRecoveries(folder()).empty());
  endWithoutClosing();
  EXPECT_TRUE(leftRecoveries(folder()).empty());  // a save removed the copy
}

TEST_F(RecoveryTest, DecliningKeepsTheCopyUntilTheNextOneIsWritten) {
  start();
  openBook();
  addEntry("first");
  waitForTheCopy();
  endWithoutClosing();

  dialogs.answers.push_back(Answer::No);
  start().offerRecovery();
  EXPECT_EQ(rows().size(), 1u);  // nothing taken back
  endWithoutClosing();
  ASSERT_EQ(leftRecoveries(folder()).size(), 1u);  // offered again next time

  dialogs.answers.push_back(Answer::No);
  start().offerRecovery();
  openBook();
  addEntry("second");
  waitForTheCopy();
  endWithoutClosing();
  const std::vector<LeftRecovery> left = leftRecoveries(folder());
  ASSERT_EQ(left.size(), 1u);
  EXPECT_NE(readBytes(left[0].book).find("second"), std::string::npos);
}

TEST_F(RecoveryTest, ClosingNormallyOrGivingTheChangesUpLeavesNoCopy) {
  start();
  openBook();
  addEntry("given up");
  waitForTheCopy();
  dialogs.answers.push_back(Answer::No);  // データは変更されています 保存しますか？
  main().close();
  endWithoutClosing();
  EXPECT_TRUE(leftRecoveries(folder()).empty());

  start();
  openBook();
  addEntry("x");
  waitForTheCopy();
  main().changeBook([](LedgerGrid& grid) { grid.deleteRows(2, 2); });  // back as the file is
  main().SortAndBalance();
  waitForTheCopy();
  endWithoutClosing();
  EXPECT_TRUE(leftRecoveries(folder()).empty());
}

}  // namespace
}  // namespace sorabel::test
