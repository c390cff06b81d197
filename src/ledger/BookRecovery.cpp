#include "ledger/BookRecovery.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <utility>

#include "platform/Errors.h"
#include "platform/FileIo.h"
#include "platform/Locale.h"
#include "platform/UserFolders.h"

namespace sorabel {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kInfoExtension = ".info";

std::string shownTime(std::time_t moment) { return localTimeText(moment, "%Y/%m/%d %H:%M:%S"); }

// A name no other running program picks: the process and a random number.
std::string uniqueId() {
  std::random_device device;
  const auto noise = (static_cast<unsigned long long>(device()) << 32) ^ device() ^
                     static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  return std::to_string(::getpid()) + "-" + std::to_string(noise % 1000000007ull);
}

fs::path withExtension(const fs::path& info, std::string_view extension) {
  fs::path path = info;
  return path.replace_extension(extension);
}

// True when some running program holds the lock of that copy.
bool lockHeld(const fs::path& lockFile) {
  FileDescriptor fd(::open(lockFile.c_str(), O_RDWR | O_CLOEXEC));
  if (!fd.valid()) return false;  // no lock file: its program is gone
  return ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

std::pair<std::string, std::string> readInfo(const fs::path& info) {
  const std::string text = readWholeFile(info, 64 * 1024);
  const std::size_t end = text.find('\n');
  if (end == std::string::npos) return {text, {}};
  const std::size_t second = text.find('\n', end + 1);
  return {text.substr(0, end), text.substr(end + 1, second == std::string::npos ? std::string::npos : second - end - 1)};
}

}  // namespace

fs::path recoveryFolder() { return programFolder(UserFolder::State) / "recovery"; }

std::vector<LeftRecovery> leftRecoveries(const fs::path& folder) {
  std::vector<LeftRecovery> left;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const fs::path info = it->path();
    if (info.extension() != kInfoExtension || lockHeld(withExtension(info, ".lock"))) continue;
    const fs::path book = withExtension(info, ".csv");
    if (fileKind(book) != FileKind::Regular) continue;
    try {
      auto [name, savedAt] = readInfo(info);
      left.push_back({book, info, std::move(name), std::move(savedAt)});
    } catch (const Error&) {
      continue;  // unreadable: not offered
    }
  }
  std::sort(left.begin(), left.end(), [](const LeftRecovery& a, const LeftRecovery& b) { return a.savedAt > b.savedAt; });
  return left;
}

void removeRecovery(const LeftRecovery& recovery) {
  std::error_code ignored;
  fs::remove(recovery.book, ignored);
  fs::remove(recovery.info, ignored);
  fs::remove(withExtension(recovery.info, ".lock"), ignored);
}

RecoveryCopy::RecoveryCopy(fs::path folder) : folder_(std::move(folder)), id_(uniqueId()) {
  bookFile_ = folder_ / (id_ + ".csv");
  infoFile_ = folder_ / (id_ + std::string(kInfoExtension));
  lockFile_ = folder_ / (id_ + ".lock");
}

RecoveryCopy::~RecoveryCopy() {
  // The copy stays when the program ends without discarding it; only the
  // lock goes, so that the next start finds it.
  if (lock_.valid() && !written_) {
    std::error_code ignored;
    fs::remove(lockFile_, ignored);
  }
  lock_.close();
}

void RecoveryCopy::lock() {
  if (lock_.valid()) return;
  std::error_code error;
  fs::create_directories(folder_, error);
  ::chmod(folder_.c_str(), S_IRWXU);  // the user's books: the user's alone
  lock_ = FileDescriptor(::open(lockFile_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  if (!lock_.valid() || ::flock(lock_.get(), LOCK_EX | LOCK_NB) != 0)
    throw FileError(displayPath(lockFile_) + " を作成できません。\n" + errnoReason(errno));
}

void RecoveryCopy::write(std::string_view bookName, std::string_view bytes, std::time_t moment) {
  lock();
  writeFileAtomically(bookFile_, bytes);
  writeFileAtomically(infoFile_, std::string(bookName) + "\n" + shownTime(moment) + "\n");
  written_ = true;
  for (const LeftRecovery& left : setAside_) removeRecovery(left);
  setAside_.clear();
}

void RecoveryCopy::discard() {
  if (!written_) return;
  std::error_code ignored;
  fs::remove(infoFile_, ignored);
  fs::remove(bookFile_, ignored);
  written_ = false;
}

}  // namespace sorabel
