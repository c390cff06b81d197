#include "platform/FileIo.h"

#include <gtest/gtest.h>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "support/TestFiles.h"
#include "platform/Errors.h"
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <optional>
#include <utility>

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

// The descriptors of this process that name a file deleted since.
int heldDeletedFiles() {
  int held = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
    if (!error && target.ends_with(" (deleted)")) ++held;
  }
  return held;
}

// heldDeletedFiles once it is back to before, or after ten seconds: the
// holds are let go of on threads of their own.
int heldDeletedFilesOnceLetGo(int before) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (heldDeletedFiles() > before && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return heldDeletedFiles();
}

// A save of several pieces (each handed to the disk as it is written)
// writes every byte, and lets go of the file it replaced once it has been
// renamed over, on a thread of its own: no descriptor of a replaced file
// stays open.
TEST(FileIo, LargeSavesWriteEveryByteAndLetGoOfTheReplacedFile) {
  TempDir dir;
  const int before = heldDeletedFiles();
  std::string bytes;
  for (int save = 0; save < 5; ++save) {
    bytes.resize(1'300'000 + save);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 7 + save) % 251);
    writeFileAtomically(dir / "book.csv", bytes);
  }
  EXPECT_TRUE(readBytes(dir / "book.csv") == bytes);
  EXPECT_LE(heldDeletedFilesOnceLetGo(before), before);
}

// A removed file is gone at once; the hold that lets its blocks be freed
// later is let go of; a file that is not there is reported.
TEST(FileIo, RemovedFilesAreGoneAndLetGoOf) {
  TempDir dir;
  const int before = heldDeletedFiles();
  for (int file = 0; file < 3; ++file) {
    const auto path = dir / ("old" + std::to_string(file) + ".csv");
    writeBytes(path, std::string(1'300'000, 'x'));
    EXPECT_TRUE(removeFileFreeingLater(path));
    EXPECT_FALSE(std::filesystem::exists(path));
  }
  EXPECT_FALSE(removeFileFreeingLater(dir / "missing.csv"));
  EXPECT_LE(heldDeletedFilesOnceLetGo(before), before);
}

// Bytes made in pieces are written one after another, also over a file
// with a second hard link (written in place); a source that gives up
// after writing a piece leaves the old file and no temporary file.
TEST(FileIo, BytesMadeInPiecesAreSavedWholeOrNotAtAll) {
  TempDir dir;
  const auto file = dir / "book.csv";
  const ByteSource pieces = [](const PutBytes& put) {
    for (int piece = 0; piece < 3; ++piece) put(std::string(700'000, static_cast<char>('a' + piece)));
  };
  const std::string expected = std::string(700'000, 'a') + std::string(700'000, 'b') + std::string(700'000, 'c');
  writeFileAtomically(file, pieces);
  EXPECT_TRUE(readBytes(file) == expected);

  writeBytes(file, "previous");
  struct GivenUp {};
  EXPECT_THROW(writeFileAtomically(file,
                                   [](const PutBytes& put) {
                                     put(std::string(700'000, 'x'));
                                     throw GivenUp{};
                                   }),
               GivenUp);
  EXPECT_EQ(readBytes(file), "previous");
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 1u);

  ASSERT_EQ(::link(file.c_str(), (dir / "other.csv").c_str()), 0);
  writeFileAtomically(file, pieces);
  EXPECT_TRUE(readBytes(dir / "other.csv") == expected);  // still one file
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

// Records where the in-place copy is while the save runs.
std::optional<std::filesystem::path> copySeen;
std::string copyBytesSeen;
void recordCopy(SaveStep step, const std::filesystem::path& target) {
  if (step != SaveStep::CopyWritten) return;
  copySeen = unfinishedSaveCopy(target);
  if (copySeen) copyBytesSeen = readBytes(*copySeen);
}

// The user's cache folder, pointed at a test folder while alive.
class CacheHome {
 public:
  explicit CacheHome(const std::filesystem::path& folder) {
    if (const char* old = std::getenv("XDG_CACHE_HOME")) saved_ = old;
    ::setenv("XDG_CACHE_HOME", folder.c_str(), 1);
  }
  ~CacheHome() {
    if (saved_)
      ::setenv("XDG_CACHE_HOME", saved_->c_str(), 1);
    else
      ::unsetenv("XDG_CACHE_HOME");
  }

 private:
  std::optional<std::string> saved_;
};

TEST(FileIo, WritableBookInAFolderThatTakesNoNewFileIsOverwrittenInPlaceWithItsCopyInTheCache) {
  TempDir dir;
  CacheHome cache(dir / "cache");
  const auto folder = dir / "shared";
  std::filesystem::create_directory(folder);
  const auto file = folder / "book.csv";
  writeBytes(file, "a much longer old text");
  ClosedFolder closed(folder);
  if (!closed.closed()) GTEST_SKIP() << "no way to close a folder to root here";
  setSaveStepHook(&recordCopy);
  writeFileAtomically(file, "new");
  setSaveStepHook(nullptr);
  EXPECT_EQ(readBytes(file), "new");
  ASSERT_TRUE(copySeen.has_value());
  EXPECT_EQ(copySeen->parent_path(), dir / "cache" / "sorabel" / "unfinished-saves");
  EXPECT_EQ(copyBytesSeen, "a much longer old text");
  EXPECT_FALSE(std::filesystem::exists(*copySeen));  // gone once the save finished
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

// Ends the test process when a call blocks: a hang fails instead of
// waiting for ever.
class HangGuard {
 public:
  HangGuard() { ::alarm(20); }
  ~HangGuard() { ::alarm(0); }
};

TEST(FileIo, FifosAndDevicesAreNeitherReadSizedNorReplaced) {
  HangGuard guard;
  TempDir dir;
  const auto fifo = dir / "book.csv";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  EXPECT_EQ(fileKind(fifo), FileKind::Other);
  EXPECT_FALSE(fileExists(fifo));
  EXPECT_FALSE(fileSize(fifo).has_value());  // returns at once: nobody writes to it
  try {
    readWholeFile(fifo);
    FAIL();
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), fifo.string() + " は通常のファイルではありません");
  }
  EXPECT_THROW(writeFileAtomically(fifo, "x"), FileError);
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));

  // A device reached through a link: /dev/zero would be read without end,
  // and a save must never put a regular file in a device's place.
  std::filesystem::create_symlink("/dev/zero", dir / "zero.csv");
  EXPECT_THROW(readWholeFile(dir / "zero.csv"), FileError);
  std::filesystem::path device = "/dev/null";
  if (::mknod((dir / "null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0) device = dir / "null";  // root: our own
  std::filesystem::create_symlink(device, dir / "null.csv");
  try {
    writeFileAtomically(dir / "null.csv", "lost");
    FAIL();
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), (dir / "null.csv").string() + " は通常のファイルではありません");
  }
  EXPECT_TRUE(std::filesystem::is_character_file(device));
  EXPECT_EQ(fileKind(dir / "null.csv"), FileKind::Other);
  EXPECT_EQ(fileKind(dir / "dangling.csv"), FileKind::Missing);
}

// Before a question is asked about a file, whether it can be read at all:
// the same refusal as reading it, without reading a byte.
TEST(FileIo, CheckReadableRefusesWhatReadingRefusesWithTheSameMessage) {
  HangGuard guard;
  TempDir dir;
  writeBytes(dir / "book.csv", "x");
  EXPECT_NO_THROW(checkReadable(dir / "book.csv"));
  ASSERT_EQ(::mkfifo((dir / "fifo.csv").c_str(), 0644), 0);
  std::filesystem::create_symlink("/dev/zero", dir / "zero.csv");
  for (const std::filesystem::path& path : {dir / "missing.csv", dir.path(), dir / "fifo.csv", dir / "zero.csv"}) {
    std::string reading;
    try {
      readWholeFile(path);
    } catch (const FileError& e) {
      reading = e.what();
    }
    ASSERT_FALSE(reading.empty()) << path;
    try {
      checkReadable(path);
      ADD_FAILURE() << path;
    } catch (const FileError& e) {
      EXPECT_EQ(e.what(), reading);
    }
  }
}

TEST(FileIo, AFileAboveTheLimitIsRefusedWithItsSize) {
  TempDir dir;
  writeBytes(dir / "big.csv", std::string(3 * 1024 * 1024 + 1, 'x'));
  try {
    readWholeFile(dir / "big.csv", 3 * 1024 * 1024);
    FAIL();
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), (dir / "big.csv").string() + " は大きすぎるため開けません。\n開けるのは 3 MB までのファイルです。");
  }
  EXPECT_EQ(readWholeFile(dir / "big.csv", 3 * 1024 * 1024 + 1).size(), 3u * 1024 * 1024 + 1);
  EXPECT_EQ(readWholeFile(dir / "big.csv").size(), 3u * 1024 * 1024 + 1);
}

// An ACL granting user 4242 read access, as the kernel stores it.
std::string aclGrantingReadTo4242() {
  auto entry = [](std::uint16_t tag, std::uint16_t perm, std::uint32_t id) {
    std::string bytes(8, '\0');
    std::memcpy(bytes.data(), &tag, 2);
    std::memcpy(bytes.data() + 2, &perm, 2);
    std::memcpy(bytes.data() + 4, &id, 4);
    return bytes;
  };
  const std::uint32_t version = 2;
  std::string acl(reinterpret_cast<const char*>(&version), 4);
  const std::uint32_t none = 0xFFFFFFFF;
  acl += entry(0x01, 6, none);  // owner rw
  acl += entry(0x02, 4, 4242);  // user 4242 r
  acl += entry(0x04, 4, none);  // group r
  acl += entry(0x10, 4, none);  // mask r
  acl += entry(0x20, 0, none);  // others nothing
  return acl;
}

std::string attribute(const std::filesystem::path& file, const char* name) {
  char value[256];
  const ssize_t length = ::getxattr(file.c_str(), name, value, sizeof value);
  return length < 0 ? std::string("<none>") : std::string(value, static_cast<std::size_t>(length));
}

TEST(FileIo, ASaveKeepsOwnerGroupExtendedAttributesAndAcl) {
  TempDir dir;
  const auto file = dir / "book.csv";
  writeBytes(file, "old");
  if (::setxattr(file.c_str(), "user.sorabel.note", "kept", 4, 0) != 0) GTEST_SKIP() << "no extended attributes here";
  const std::string acl = aclGrantingReadTo4242();
  const bool hasAcl = ::setxattr(file.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) == 0;
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(file.c_str(), 4321, 4322), 0);
  }
  struct stat before {};
  ::stat(file.c_str(), &before);

  writeFileAtomically(file, "new");
  EXPECT_EQ(readBytes(file), "new");
  struct stat after {};
  ::stat(file.c_str(), &after);
  EXPECT_NE(after.st_ino, before.st_ino);  // really the rename path
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(attribute(file, "user.sorabel.note"), "kept");
  if (hasAcl) {
    EXPECT_EQ(attribute(file, "system.posix_acl_access"), acl);
  }
  if (root) {
    EXPECT_EQ(after.st_uid, 4321u);
    EXPECT_EQ(after.st_gid, 4322u);
  }
}

void saveAndBeKilled(const std::filesystem::path& file, std::string_view bytes, SaveStep step,
                     std::string tear = {}) {
  ASSERT_TRUE(test::saveKilledAt(file, bytes, step, std::move(tear))) << "the save did not reach the step";
}

int filesIn(const std::filesystem::path& folder) {
  int count = 0;
  for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

TEST(FileIo, AKillBeforeTheRenameLeavesTheOldBookAndTheNextSaveClearsItsTemporary) {
  TempDir dir;
  const auto file = dir / "book.csv";
  writeBytes(file, "old book");
  saveAndBeKilled(file, "new book", SaveStep::TemporaryWritten);
  EXPECT_EQ(readBytes(file), "old book");
  EXPECT_EQ(filesIn(dir.path()), 2);  // the book and the temporary the crash left

  // Not ours to remove: another book's temporary, a name a person chose,
  // something other than a file.
  writeBytes(dir / ".other.csv.Ab3dE9", "x");
  writeBytes(dir / ".book.csv.backup", "x");
  writeBytes(dir / ".book.csv.202401", "x");
  std::filesystem::create_directory(dir / ".book.csv.Zq81Lm");
  writeFileAtomically(file, "newer book");
  EXPECT_EQ(readBytes(file), "newer book");
  EXPECT_EQ(filesIn(dir.path()), 5);
  EXPECT_TRUE(std::filesystem::exists(dir / ".other.csv.Ab3dE9"));
  EXPECT_TRUE(std::filesystem::exists(dir / ".book.csv.backup"));
  EXPECT_TRUE(std::filesystem::exists(dir / ".book.csv.202401"));
  EXPECT_TRUE(std::filesystem::exists(dir / ".book.csv.Zq81Lm"));
}

TEST(FileIo, AKillDuringAnInPlaceSaveLeavesACompleteCopyOfTheOldBook) {
  TempDir dir;
  const auto file = dir / "book.csv";
  const std::string oldBook = "first line of the old book\r\nsecond line\r\nthird line\r\n";
  const std::string newBook = "the new book\r\n";
  writeBytes(file, oldBook);
  std::filesystem::create_hard_link(file, dir / "link.csv");

  EXPECT_FALSE(unfinishedSaveCopy(file).has_value());
  // Killed while writing: the file holds the start of the new text and the
  // old tail; the copy holds the old book.
  saveAndBeKilled(file, newBook, SaveStep::CopyWritten, newBook);
  EXPECT_EQ(readBytes(file), newBook + oldBook.substr(newBook.size()));
  const auto copy = unfinishedSaveCopy(file);
  ASSERT_TRUE(copy.has_value());
  EXPECT_EQ(readBytes(*copy), oldBook);
  EXPECT_EQ(unfinishedSaveCopy(dir / "link.csv"), std::nullopt);  // named after the book saved

  // The next save finishes and takes the copy away.
  writeFileAtomically(file, newBook);
  EXPECT_EQ(readBytes(dir / "link.csv"), newBook);
  EXPECT_FALSE(unfinishedSaveCopy(file).has_value());
  EXPECT_EQ(filesIn(dir.path()), 2);

  // Killed after the write: the book is whole and new, the copy still there.
  saveAndBeKilled(file, oldBook, SaveStep::WrittenInPlace);
  EXPECT_EQ(readBytes(file), oldBook);
  ASSERT_TRUE(unfinishedSaveCopy(file).has_value());
  removeUnfinishedSaveCopy(file);
  EXPECT_FALSE(unfinishedSaveCopy(file).has_value());
  EXPECT_EQ(std::filesystem::hard_link_count(file), 2u);
}

}  // namespace
}  // namespace sorabel
