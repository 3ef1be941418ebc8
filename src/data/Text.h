#pragma once
// Table texts are single-byte Latin-1, as the data files hold them; files the program writes for the
// player (the game log, location files) are UTF-8.

#include <string>
#include <string_view>

namespace dorva::data {

std::string Latin1ToUtf8(std::string_view latin1);
// A name of the file system (UTF-8) as table text, for the game log: a character beyond Latin-1, or a
// byte that is no UTF-8, becomes "?".
std::string Utf8ToLatin1(std::string_view utf8);

} // namespace dorva::data
