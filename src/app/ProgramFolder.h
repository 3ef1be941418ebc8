#pragma once
// Where a program finds the folder that holds its DORVA_Support folder.

#include <filesystem>
#include <string_view>

namespace dorva::app {

// The folder for a program whose executable lies in exeFolder: that folder itself when DORVA_Support
// is beside the program (a build, or a copy of one), else the data folder of an installed copy,
// exeFolder/../installDataDir (installDataDir may also be absolute). When neither holds the support
// folder the executable's folder is kept, so that messages name the file the player has to supply.
std::filesystem::path FindProgramFolder(const std::filesystem::path& exeFolder,
                                        std::string_view installDataDir);

// The file of the speech engines' module.
inline constexpr std::string_view kSpeechModuleName = "dorva-speech.so";

// The speech module of a program whose executable lies in exeFolder: beside it (a build), else in
// exeFolder/../installModuleDir (which may also be absolute). Empty when neither holds it.
std::filesystem::path FindSpeechModule(const std::filesystem::path& exeFolder,
                                       std::string_view installModuleDir);

} // namespace dorva::app
