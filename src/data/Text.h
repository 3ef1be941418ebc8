#pragma once
// Table texts are single-byte Latin-1, as the data files hold them; files the program writes for the
// player (the game log, location files) are UTF-8.

#include <string>
#include <string_view>

namespace dorva::data {

std::string Latin1ToUtf8(std::string_view latin1);

} // namespace dorva::data
