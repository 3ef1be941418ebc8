#pragma once
// The list of what the player can say, read once at start-up for the "What Can I Say?" window.

namespace dorva::voice {

inline constexpr const char* kWhatCanISayFile = "DORVA2_What_Can_I_Say.txt";
inline constexpr const char* kWhatCanISayMissing = "File not found";

// Puts the whole of DORVA_Support/DORVA2_What_Can_I_Say.txt, byte for byte, into gWhatCanISayText;
// "File not found" when the file cannot be read, whatever the reason.
// Writes: gWhatCanISayText.
void ReadWhatCanISayFile();

} // namespace dorva::voice
