#pragma once
// The two commands of dorva-datac: build the support files from their sources, and dump a built
// file as the program reads it.

#include <nlohmann/json.hpp>

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>

namespace dorva::datac {

// Compiles srcDir/config.toml, srcDir/nationalities/*.toml and srcDir/commands.toml (those that
// exist) into outDir. Every mistake goes to errors as "file:line: message"; when there is any, nothing
// is written. Returns the exit status.
int BuildSupportFiles(const std::filesystem::path& srcDir, const std::filesystem::path& outDir,
                      std::ostream& errors);

// What the program holds after loading the table file at path: the sixteen tables by code.
nlohmann::ordered_json DumpTableFile(const std::filesystem::path& path);

// What the program holds after reading the nationality file at path for the game date.
nlohmann::ordered_json DumpNationalityFile(const std::filesystem::path& path, std::int32_t gameDate);

} // namespace dorva::datac
