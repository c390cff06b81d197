#include "platform/FileIo.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace sorabel
