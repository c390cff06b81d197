#include "platform/UserFolders.h"

#include <cstdlib>

namespace sorabel {
namespace fs = std::filesystem;

namespace {

struct FolderRule {
  const char* variable;
  const char* underHome;
};

FolderRule ruleOf(UserFolder kind) {
  switch (kind) {
    case UserFolder::Config: return {"XDG_CONFIG_HOME", ".config"};
    case UserFolder::Cache: return {"XDG_CACHE_HOME", ".cache"};
    case UserFolder::Data: return {"XDG_DATA_HOME", ".local/share"};
    case UserFolder::State: return {"XDG_STATE_HOME", ".local/state"};
  }
  return {"XDG_CONFIG_HOME", ".config"};
}

}  // namespace

fs::path userFolder(UserFolder kind) {
  const FolderRule rule = ruleOf(kind);
  const char* set = std::getenv(rule.variable);
  if (set != nullptr && fs::path(set).is_absolute()) return fs::path(set);
  const char* home = std::getenv("HOME");
  return fs::path(home != nullptr && *home != '\0' ? home : "/") / rule.underHome;
}

fs::path programFolder(UserFolder kind) { return userFolder(kind) / "sorabel"; }

}  // namespace sorabel
