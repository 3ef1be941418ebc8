#pragma once
// What the actions and close-combat screens say: one sentence made from what the screen shows, for
// the VASL activation window and the voice.

#include <string>

namespace dorva::actions {

// A result text on one line: its lines (at carriage returns or line feeds, indentation dropped)
// joined by ", ", or by a blank after a line that ends in ":"; a line wholly in parentheses loses them.
std::string OneLine(const std::string& text);

// "heading: text" on one line; the heading alone when the text is empty.
std::string ResultSentence(const std::string& heading, const std::string& text);

// A roll as a screen shows it, in words: "Dir = 4" is "Direction 4", "CC NTC DR = 8" is
// "CC NTC DR 8"; the dice after the total ("(3, 4)") are left out.
std::string RollWords(const std::string& roll);

// The three pending movement DRs, from their buttons' captions.
std::string InfantryMoveSentence(const std::string& holdOdd, const std::string& holdEven,
                                 const std::string& advance);

// The unit-action roll: its DR, the panic, and both attitudes' actions.
std::string UnitActionsSentence(const std::string& actionDR, const std::string& panic,
                                const std::string& hold, const std::string& advance);

// The sentence as the voice says it: the abbreviations of the tables that the voice would misread
// ("dr" is not "doctor", "LOS" is not "loss") spelled out, a slash said as "or".
std::string SpokenWords(const std::string& sentence);

// Shows the sentence in the VASL activation window and speaks it. A button's result is announced
// only while speaking is on; a voice command's always, so that a player who asked by voice sees it
// over VASL even while the voice is off.
// Reads: gVoiceCommandRunning, gSpeak, gVoiceAvailable. Writes: gLastSpokenText.
void AnnounceResult(const std::string& sentence);

} // namespace dorva::actions
