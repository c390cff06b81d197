#pragma once
// Where the program finds its files. A build run or a portable copy keeps
// everything beside the program file. An installed program, the one whose
// data folder (help file, translations) is there, reached from the
// program's folder by a relative path fixed at build time
// (bin/../share/sorabel), keeps the profile in the user's configuration
// folder only: the program's folder belongs to whoever installed it, and a
// profile there (one made by root, say) would override every user's and
// could not be written by them.

#include <filesystem>
#include <string>

namespace sorabel {

// The facts the profile's place is chosen from.
struct ProfilePlaceFacts {
  std::filesystem::path besideProgram;  // the profile path beside the program file
  bool installed = false;               // the program's installed data folder is there
  bool besideExists = false;            // a profile is there already
  bool folderWritable = false;          // the program's folder can be written
  std::string xdgConfigHome;            // $XDG_CONFIG_HOME (empty: unset)
  std::string home;                     // $HOME
};

// <config>/sorabel/<profile name> for an installed program, where <config>
// is $XDG_CONFIG_HOME when it is an absolute path and ~/.config otherwise.
// Any other copy keeps it beside the program when a profile is there or
// could be written there, else in <config> as well.
std::filesystem::path chooseProfilePath(const ProfilePlaceFacts& facts);

// chooseProfilePath with the facts of this machine and session.
std::filesystem::path profileLocation(const std::filesystem::path& besideProgram, bool installed);

// True when the program file's installed data folder exists: the program
// was installed, not built or copied somewhere.
bool isInstalledProgram(const std::filesystem::path& programFile, const std::filesystem::path& dataFromProgram);

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
