#include "support/TestFiles.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace sorabel::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "sorabel-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

FileSizeLimit::FileSizeLimit(unsigned long bytes) {
  std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  savedSoft_ = limit.rlim_cur;
  limit.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = savedSoft_;
  setrlimit(RLIMIT_FSIZE, &limit);
}

namespace {

SaveStep stopStep;
std::string tearBytes;

void tear(const std::filesystem::path& target) {
  if (tearBytes.empty()) return;
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return;
  (void)!::write(fd, tearBytes.data(), tearBytes.size());
  ::fsync(fd);
  ::close(fd);
}

void killAtStep(SaveStep step, const std::filesystem::path& target) {
  if (step != stopStep) return;
  tear(target);
  ::raise(SIGKILL);
}

void throwAtStep(SaveStep step, const std::filesystem::path& target) {
  if (step != stopStep) return;
  tear(target);
  throw SaveStopped();
}

}  // namespace

bool saveKilledAt(const std::filesystem::path& file, std::string_view bytes, SaveStep step, std::string tearWith) {
  stopStep = step;
  tearBytes = std::move(tearWith);
  const pid_t child = ::fork();
  if (child == 0) {
    setSaveStepHook(&killAtStep);
    try {
      writeFileAtomically(file, bytes);
    } catch (...) {
    }
    ::_exit(0);  // the step was never reached
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

SaveStopper::SaveStopper(SaveStep step, std::string tearWith) {
  stopStep = step;
  tearBytes = std::move(tearWith);
  setSaveStepHook(&throwAtStep);
}

SaveStopper::~SaveStopper() { setSaveStepHook(nullptr); }

std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace sorabel::test
