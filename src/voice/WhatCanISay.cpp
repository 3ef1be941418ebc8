#include "voice/WhatCanISay.h"

#include "data/SupportFolder.h"
#include "voice/State.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace dorva::voice {

void ReadWhatCanISayFile() {
    std::string text;
    const auto file = data::ResolveSupportPath(data::SupportPath(kWhatCanISayFile));
    std::error_code ec;
    // A folder of that name opens but reads as nothing; it is no list either.
    if (std::filesystem::is_regular_file(file, ec) && data::ReadFileBytes(file, text)) {
        gWhatCanISayText = std::move(text);
    } else {
        gWhatCanISayText = kWhatCanISayMissing;
    }
}

} // namespace dorva::voice
