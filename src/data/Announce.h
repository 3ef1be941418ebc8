#pragma once
// The result channels beside the screens and the voice: the VASL activation window and the game log.

#include <string>

namespace dorva::data {

// Whether the VASL activation window is visible (asking creates it hidden when it does not exist).
bool ActivationWindowVisible();
// Reads: the VASL activation window's visibility.
void ShowInActivationWindow(const std::string& text);
// A passing word to the player ("Dorva is listening") over the latest result, shown while the window
// is visible. EndNotice puts back what the notice covered, unless another text has been shown since.
void ShowNotice(const std::string& notice);
void EndNotice(const std::string& notice);
// The text with every carriage return replaced by two blanks; line feeds stay.
void ShowActivationText(const std::string& text);

// Appends the cut entry to the game log under the clock's stamp, one file line to each of its lines
// (GameLog.h). A log that cannot be written is reported once per path.
// Returns false when the file could not be written.
// Reads: gLogFileName. Writes: gUnwritableLogReported.
bool WriteLogEntry(std::string entry);

// The entry as it is logged: with two or more carriage returns it is cut just before the
// second-to-last one; otherwise it stays whole.
std::string CutLogEntry(std::string entry);

} // namespace dorva::data
