#pragma once
// Where the program finds its files. A build run or a portable copy keeps
// everything beside the program file. An installed program finds its data
// (help file, translations) in its data folder, reached from the program's
// folder by a relative path fixed at build time (bin/../share/sorabel), and
// keeps the profile in the user's configuration folder, because users
// cannot write into the program's folder.

#include <filesystem>
#include <string>

namespace sorabel {

// The facts the profile's place is chosen from.
struct ProfilePlaceFacts {
  std::filesystem::path besideProgram;  // the profile path beside the program file
  bool besideExists = false;            // a profile is there already
  bool folderWritable = false;          // the program's folder can be written
  std::string xdgConfigHome;            // $XDG_CONFIG_HOME (empty: unset)
  std::string home;                     // $HOME
};

// Beside the program when a profile is there or could be written there;
// otherwise <config>/sorabel/<profile name>, where <config> is
// $XDG_CONFIG_HOME when it is an absolute path and ~/.config otherwise.
std::filesystem::path chooseProfilePath(const ProfilePlaceFacts& facts);

// chooseProfilePath with the facts of this machine and session.
std::filesystem::path profileLocation(const std::filesystem::path& besideProgram);

// The installed data folder for a program file, from the relative path
// dataFromProgram (e.g. "../share/sorabel"); normalised.
std::filesystem::path installedDataFolder(const std::filesystem::path& programFile,
                                          const std::filesystem::path& dataFromProgram);

// The file of that name in the installed data folder when it is there,
// otherwise the build tree's copy.
std::filesystem::path installedOrBuildFile(const std::filesystem::path& programFile,
                                           const std::filesystem::path& dataFromProgram,
                                           const std::filesystem::path& buildTreeFile);

}  // namespace sorabel
