#pragma once
// File dialog filters written as "description|pattern|description|pattern", in the form Qt's file
// dialogs take ("description (pattern);;...").

#include <string>
#include <string_view>

namespace dorva::ui {

// "DORVA Log Files (*.txt) | *.txt" gives "DORVA Log Files (*.txt)". A description that does not
// already show its pattern gets it added in parentheses.
std::string QtFileFilter(std::string_view filter);

} // namespace dorva::ui
