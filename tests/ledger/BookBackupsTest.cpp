#include "ledger/BookBackups.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "ledger/BookSession.h"
#include "platform/Locale.h"
#include "support/TestFiles.h"

namespace sorabel::test {
namespace {

namespace fs = std::filesystem;

constexpr std::time_t kNoon = 1796810400;  // a moment to step from, one second a save

std::string line(int n) { return "\"2026/12/0" + std::to_string(n % 9 + 1) + "\",\"x\",\"" + std::to_string(n) + "\",\"\",\"\"\r\n"; }

class BookBackupsTest : public ::testing::Test {
 protected:
  void SetUp() override { setThousandsSeparator(','); }
  void TearDown() override { setThousandsSeparator(0); }
  TempDir dir;
  fs::path book = dir / "家計.csv";
  BackupPolicy policy{dir / "backups", 3};

  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const BookBackup& b : listBackups(policy.folder, book)) out.push_back(b.path.filename().string());
    return out;
  }
};

TEST_F(BookBackupsTest, TheRingKeepsTheNewestCopiesByteForByteAndDropsTheOldest) {
  for (int save = 0; save < 5; ++save) {
    writeBytes(book, line(save));
    const fs::path made = keepBackup(policy, book, kNoon + save);
    EXPECT_EQ(readBytes(made), line(save));
  }
  const std::vector<BookBackup> kept = listBackups(policy.folder, book);
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(readBytes(kept[0].path), line(4));  // newest first
  EXPECT_EQ(readBytes(kept[2].path), line(2));
  EXPECT_EQ(kept[0].path.filename().string(), "家計." + backupTag(book) + "." + backupTime(kNoon + 4) + ".csv");
  struct stat info {};
  ASSERT_EQ(::stat(policy.folder.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(BookBackupsTest, SavesWithinOneSecondKeepEveryVersionInOrder) {
  for (int save = 0; save < 3; ++save) {
    writeBytes(book, line(save));
    keepBackup(policy, book, kNoon);
  }
  const std::vector<BookBackup> kept = listBackups(policy.folder, book);
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(readBytes(kept[0].path), line(2));
  EXPECT_EQ(kept[0].sequence, 3);
  EXPECT_EQ(readBytes(kept[2].path), line(0));
  EXPECT_EQ(shownBackupTime(kept[2]).size(), std::string("yyyy/mm/dd hh:mm:ss").size());
}

TEST_F(BookBackupsTest, OtherBooksAndStrayFilesAreNeitherListedNorRemoved) {
  fs::create_directories(policy.folder);
  const std::string time = backupTime(kNoon);
  for (const char* other : {"家計2.", "家計.old.", "家", "x家計."}) writeBytes(policy.folder / (other + time + ".csv"), "o");
  writeBytes(policy.folder / ("家計." + time + ".txt"), "o");
  writeBytes(policy.folder / "家計.2026120-1200000.csv", "o");
  writeBytes(book, line(1));
  for (int save = 1; save <= 4; ++save) keepBackup(policy, book, kNoon + save);
  EXPECT_EQ(names().size(), 3u);
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(policy.folder)) ++files;
  EXPECT_EQ(files, 3u + 6u);
}

TEST_F(BookBackupsTest, SameNamedBooksInOtherFoldersKeepTheirOwnBackups) {
  const fs::path other = dir / "2025" / "家計.csv";
  fs::create_directories(other.parent_path());
  writeBytes(other, line(8));
  keepBackup(policy, other, kNoon);
  for (int save = 1; save <= 5; ++save) {
    writeBytes(book, line(save));
    keepBackup(policy, book, kNoon + save);
  }
  EXPECT_EQ(names().size(), 3u);  // the other book's backup is not this book's ...
  const std::vector<BookBackup> others = listBackups(policy.folder, other);
  ASSERT_EQ(others.size(), 1u);  // ... and this book's saves did not remove it
  EXPECT_EQ(readBytes(others[0].path), line(8));
  EXPECT_NE(backupTag(other), backupTag(book));
  EXPECT_EQ(backupTag(dir / "." / "家計.csv"), backupTag(book));  // one path, one tag
}

TEST_F(BookBackupsTest, BackupsNamedWithoutATagAreListedForTheNameAndNeverRemoved) {
  fs::create_directories(policy.folder);
  const fs::path untagged = policy.folder / ("家計." + backupTime(kNoon) + "-2.csv");
  writeBytes(untagged, "earlier");
  for (int save = 1; save <= 5; ++save) {
    writeBytes(book, line(save));
    keepBackup(policy, book, kNoon + save);
  }
  const std::vector<BookBackup> kept = listBackups(policy.folder, book);
  ASSERT_EQ(kept.size(), 4u);  // three tagged, and the untagged one, oldest
  EXPECT_EQ(kept.back().path, untagged);
  EXPECT_TRUE(kept.back().untagged);
  EXPECT_EQ(kept.back().sequence, 2);
  EXPECT_FALSE(kept.front().untagged);
}

TEST_F(BookBackupsTest, NothingIsKeptWithoutAFileOrWhenTheSettingsKeepNone) {
  EXPECT_TRUE(keepBackup(policy, book, kNoon).empty());
  writeBytes(book, line(1));
  EXPECT_TRUE(keepBackup({policy.folder, 0}, book, kNoon).empty());
  EXPECT_FALSE(fs::exists(policy.folder));
}

TEST_F(BookBackupsTest, SaveKeepsTheReplacedFileAndAFailedBackupStillSaves) {
  writeBytes(book, line(7));
  BookSession session;
  ASSERT_TRUE(session.open(book.string(), BookOrder::OldestFirst));
  session.setBackupPolicy(policy);
  session.grid().setCell(kDescriptionColumn, 1, "y");
  session.save(BookOrder::OldestFirst);
  ASSERT_EQ(names().size(), 1u);
  EXPECT_EQ(readBytes(listBackups(policy.folder, book)[0].path), line(7));
  EXPECT_FALSE(session.takeBackupFailure());

  writeBytes(dir / "blocker", "");
  session.setBackupPolicy({dir / "blocker" / "backups", 3});  // a file where the folder would go
  session.grid().setCell(kDescriptionColumn, 1, "z");
  session.save(BookOrder::OldestFirst);
  EXPECT_TRUE(session.takeBackupFailure());
  EXPECT_FALSE(session.takeBackupFailure());  // reported once
  EXPECT_NE(readBytes(book).find("\"z\""), std::string::npos);
}

TEST_F(BookBackupsTest, ABackupOpensAsANewBookThatSaveMustName) {
  writeBytes(book, line(3) + line(4));
  const fs::path made = keepBackup(policy, book, kNoon);
  EXPECT_EQ(bookEntryCount(readBytes(made)), 2u);
  EXPECT_EQ(bookEntryCount(""), 0u);
  BookSession session;
  ASSERT_TRUE(session.open(book.string(), BookOrder::OldestFirst));
  session.openBackup(made, BookOrder::OldestFirst);
  EXPECT_EQ(session.state(), BookState::NewBook);
  EXPECT_TRUE(session.saveNeedsName());
  EXPECT_TRUE(session.changed());
  EXPECT_EQ(session.grid().dataRowCount(), 2);
}

}  // namespace
}  // namespace sorabel::test
