#include "platform/InstallPaths.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace sorabel {

namespace fs = std::filesystem;

fs::path chooseProfilePath(const ProfilePlaceFacts& facts) {
  if (!facts.installed && (facts.besideExists || facts.folderWritable)) return facts.besideProgram;
  // A relative XDG_CONFIG_HOME is invalid and is ignored.
  const fs::path config = !facts.xdgConfigHome.empty() && fs::path(facts.xdgConfigHome).is_absolute()
                              ? fs::path(facts.xdgConfigHome)
                              : fs::path(facts.home) / ".config";
  return config / "sorabel" / facts.besideProgram.filename();
}

fs::path profileLocation(const fs::path& besideProgram, bool installed) {
  ProfilePlaceFacts facts;
  facts.besideProgram = besideProgram;
  facts.installed = installed;
  std::error_code error;
  facts.besideExists = fs::exists(besideProgram, error);
  const fs::path folder = besideProgram.has_parent_path() ? besideProgram.parent_path() : fs::path(".");
  facts.folderWritable = ::access(folder.c_str(), W_OK) == 0;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME")) facts.xdgConfigHome = xdg;
  if (const char* home = std::getenv("HOME")) facts.home = home;
  return chooseProfilePath(facts);
}

fs::path installedDataFolder(const fs::path& programFile, const fs::path& dataFromProgram) {
  return (programFile.parent_path() / dataFromProgram).lexically_normal();
}

bool isInstalledProgram(const fs::path& programFile, const fs::path& dataFromProgram) {
  std::error_code error;
  return fs::is_directory(installedDataFolder(programFile, dataFromProgram), error);
}

fs::path installedOrBuildFile(const fs::path& programFile, const fs::path& dataFromProgram,
                              const fs::path& buildTreeFile) {
  const fs::path installed = installedDataFolder(programFile, dataFromProgram) / buildTreeFile.filename();
  std::error_code error;
  return fs::is_regular_file(installed, error) ? installed : buildTreeFile;
}

}  // namespace sorabel
