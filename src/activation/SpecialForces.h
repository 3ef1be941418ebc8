#pragma once
// Special forces, fortifications and the scenario notes of the activation screen.

#include <string>

namespace dorva::activation {

// Sets hasSpecialForces for the current squad table and shows the special-force line.
// Reads: gSquadTable. Writes: hasSpecialForces.
void DetermineSpecialForces();
// Decides the special-force use from the squad of final DR whichSquad, when still undecided.
// Reads: gSquadTable, hasSpecialForces. Writes: specialForceClass.
void DetermineSpecialForceUse(int whichSquad);
// The fortification line: the A5 roll while holding, "Smoke if MPh" while advancing.
// Reads: gAttitude, gEliteSquad, gGreenSquadsOnly, gA5DRM, gTableA5, gSeeRolls. Writes: gDRStats.
std::string FortsSpecial();
// The A5 roll with its modifiers.
// Reads: gEliteSquad, gGreenSquadsOnly, gA5DRM, gTableA5, gSeeRolls. Writes: gDRStats.
std::string DetermineFortification();
// The notes area's text: every note followed by a carriage return.
// Reads: gScenarioNotes.
std::string ScenarioNotesText();

// Whether the screen must refresh for a newly chosen nationality (its tag differs from the tag
// applied last).
// Reads: gSdfTag, gAppliedSdfTag.
bool NeedsNationalityRefresh();
// Records the current nationality as applied and leaves the special-force use undecided.
// Reads: gSdfTag. Writes: gAppliedSdfTag, specialForceClass.
void MarkNationalityApplied();

inline constexpr const char* kNoSpecialForces = "This nationality does not have any special forces.";
inline constexpr const char* kSpecialForcesUsed = "Special Forces are being used.";
inline constexpr const char* kSpecialForcesNotUsed = "Special Forces should not be used.";

} // namespace dorva::activation
