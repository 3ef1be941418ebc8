#pragma once
// The nationalities on offer: one per nationality file (*.sdf) in the support folder.

#include <filesystem>
#include <string>
#include <vector>

namespace dorva::setup {

// The names of the nationality files in folder: every regular file whose name ends in ".sdf", sorted
// by file name, each named by the part of its file name before the first dot. A missing folder
// lists nothing.
std::vector<std::string> ListNationalities(const std::filesystem::path& folder);

// The nationality files of the support folder under the program's folder.
std::vector<std::string> ListSupportNationalities();

// The enemy list's entry of a nationality: "vs. " and its name.
std::string NationalityEntry(const std::string& name);

// The nationality an entry names: its text after the first "vs. " (the whole text when it has none).
std::string NationalityOfEntry(const std::string& entry);

} // namespace dorva::setup
