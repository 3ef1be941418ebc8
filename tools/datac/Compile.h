#pragma once
// The compilers of the support-file sources into the layouts the program reads.

#include "Source.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace dorva::datac {

// config.toml into the bytes of config.sco.
std::string CompileTableFile(const Source& source);

// nationalities/<Name>.toml into the bytes of <Name>.sdf.
std::string CompileNationalityFile(const Source& source);

struct CommandFiles {
    std::string grammar;     // dorva.cfg
    std::string whatCanISay; // DORVA2_What_Can_I_Say.txt
};
// commands.toml into the grammar and the list the player reads. With ifColumns (the column count of
// the IF table that config.toml builds) every firepower's column must lie in the table.
CommandFiles CompileCommands(const Source& source, std::optional<int> ifColumns = std::nullopt);

// The column count of the IF grid of a compiled config.toml source, when it has one.
std::optional<int> IfColumns(const Source& configSource);

} // namespace dorva::datac
