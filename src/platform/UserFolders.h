#pragma once
// The user's own folders of the freedesktop base-directory rules: each is
// $XDG_<KIND>_HOME when that is an absolute path (a relative one is invalid
// and ignored), otherwise its usual place under $HOME.

#include <filesystem>

namespace sorabel {

enum class UserFolder {
  Config,  // ~/.config
  Cache,   // ~/.cache
  Data,    // ~/.local/share
  State,   // ~/.local/state
};

// The folder itself, not yet the program's own folder inside it.
std::filesystem::path userFolder(UserFolder kind);

// The program's folder inside it: <folder>/sorabel.
std::filesystem::path programFolder(UserFolder kind);

}  // namespace sorabel
