#include "platform/FileIo.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <unistd.h>

#include "support/TestFiles.h"
#include "platform/Errors.h"

namespace sorabel {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

TEST(FileIo, ReadsWritesAndSizesFiles) {
  TempDir dir;
  const auto file = dir / "book.csv";
  EXPECT_FALSE(fileExists(file));
  EXPECT_FALSE(fileSize(file).has_value());
  writeFileAtomically(file, std::string("a\0b\r\n", 5));
  EXPECT_TRUE(fileExists(file));
  EXPECT_EQ(fileSize(file), 5u);
  EXPECT_EQ(readWholeFile(file), std::string("a\0b\r\n", 5));
  EXPECT_FALSE(fileExists(dir.path()));  // a folder is not a file
  EXPECT_FALSE(fileExists(""));
}

TEST(FileIo, ReadErrorsNameTheFileInJapanese) {
  TempDir dir;
  try {
    readWholeFile(dir / "missing.csv");
    FAIL();
  } catch (const FileError& e) {
    std::string message = e.what();
    EXPECT_NE(message.find("missing.csv を読み込めません。"), std::string::npos);
    EXPECT_NE(message.find("見つかりません"), std::string::npos);
  }
  EXPECT_THROW(readWholeFile(dir.path()), FileError);
}

TEST(FileIo, FailedWriteLeavesTheOldFileAndNoTemporaryFile) {
  TempDir dir;
  const auto file = dir / "book.csv";
  writeBytes(file, "old contents");

  {
    test::FileSizeLimit diskFull(1024);
    EXPECT_THROW(writeFileAtomically(file, std::string(4096, 'x')), FileError);
  }

  EXPECT_EQ(readBytes(file), "old contents");
  int entries = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 1);

  EXPECT_THROW(writeFileAtomically(dir / "no-such-folder" / "book.csv", "x"), FileError);
}

TEST(FileIo, WriteReplacesTheTargetOfALinkAndKeepsItsMode) {
  TempDir dir;
  const auto target = dir / "real.csv";
  const auto link = dir / "link.csv";
  writeBytes(target, "old");
  std::filesystem::permissions(target, std::filesystem::perms(0600));
  std::filesystem::create_symlink(target, link);
  writeFileAtomically(link, "new");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(readBytes(target), "new");
  EXPECT_EQ(std::filesystem::status(target).permissions() & std::filesystem::perms::all,
            std::filesystem::perms(0600));
}

TEST(FileIo, ChainsOfLinksHardLinksAndLongNamesKeepTheFilesTheyName) {
  TempDir dir;
  namespace fs = std::filesystem;
  const auto real = dir / "real.csv";
  writeBytes(real, "old");
  fs::create_symlink(real, dir / "middle.csv");
  fs::create_symlink("middle.csv", dir / "first.csv");  // relative, to another link
  writeFileAtomically(dir / "first.csv", "new");
  EXPECT_TRUE(fs::is_symlink(dir / "middle.csv"));  // the middle link is not replaced
  EXPECT_EQ(readBytes(real), "new");

  fs::create_hard_link(real, dir / "hard.csv");
  writeFileAtomically(real, "both");
  EXPECT_EQ(readBytes(dir / "hard.csv"), "both");  // still one file
  EXPECT_EQ(fs::hard_link_count(real), 2u);

  const auto longName = dir / (std::string(249, 'n') + ".csv");  // 253 bytes
  writeFileAtomically(longName, "long");
  EXPECT_EQ(readBytes(longName), "long");
}

TEST(FileIo, ReadOnlyModeIsRefusedEvenForRoot) {
  TempDir dir;
  const auto file = dir / "locked.csv";
  writeBytes(file, "keep");
  std::filesystem::permissions(file, std::filesystem::perms(0444));
  EXPECT_THROW(writeFileAtomically(file, "lost"), FileError);
  EXPECT_EQ(readBytes(file), "keep");
}

// A folder that takes no new file: immutable where the file system allows
// it (that holds for root too), otherwise without write permission.
class ClosedFolder {
 public:
  explicit ClosedFolder(std::filesystem::path folder) : folder_(std::move(folder)) {
    immutable_ = std::system(("chattr +i '" + folder_.string() + "' 2>/dev/null").c_str()) == 0;
    if (!immutable_) std::filesystem::permissions(folder_, std::filesystem::perms(0555));
  }
  ~ClosedFolder() {
    if (immutable_) std::system(("chattr -i '" + folder_.string() + "'").c_str());
    std::filesystem::permissions(folder_, std::filesystem::perms(0755));
  }
  bool closed() const { return immutable_ || ::geteuid() != 0; }

 private:
  std::filesystem::path folder_;
  bool immutable_ = false;
};

TEST(FileIo, WritableBookInAFolderThatTakesNoNewFileIsOverwrittenInPlace) {
  TempDir dir;
  const auto folder = dir / "shared";
  std::filesystem::create_directory(folder);
  const auto file = folder / "book.csv";
  writeBytes(file, "a much longer old text");
  ClosedFolder closed(folder);
  if (!closed.closed()) GTEST_SKIP() << "no way to close a folder to root here";
  writeFileAtomically(file, "new");
  EXPECT_EQ(readBytes(file), "new");
  EXPECT_THROW(writeFileAtomically(folder / "other.csv", "x"), FileError);  // no new file there
}

TEST(FileIo, StampChangesWhenAnotherWriterChangesTheFile) {
  TempDir dir;
  const auto file = dir / "book.csv";
  EXPECT_FALSE(fileStamp(file).has_value());
  writeFileAtomically(file, "one");
  const auto before = fileStamp(file);
  ASSERT_TRUE(before.has_value());
  EXPECT_EQ(fileStamp(file), before);
  writeBytes(file, "two");  // another program, writing in place
  EXPECT_NE(fileStamp(file), before);
}

}  // namespace
}  // namespace sorabel
