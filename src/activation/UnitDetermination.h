#pragma once
// The units a suspect counter turns out to be: the A1 roll, its unit codes and the lookups on the
// nationality's unit tables.

#include "data/Tables.h"

#include <string>

namespace dorva::activation {

// The whole activation text, one line per unit, each line ended by a carriage return and the text
// closed by one more. Also sets a1Text and shows the A1 line.
// Reads: the scenario tables and parameters, gTableA1, specialForceClass. Writes: a1Text, gEliteSquad,
// gGreenSquadsOnly, gDRStats.
std::string DisplayActivatedUnits();

// One squad (squadSize 1, first text column) or half-squad (squadSize 2, second column) line.
// Reads: gSquadTable, gSquadModifierPeriods, gGameDate, gSeeRolls. Writes: gEliteSquad, gGreenSquadsOnly.
std::string ShowSquads(int squadSize);
// The squad DR modifier of the scenario date (the last matching period wins; none gives 0).
// Reads: gSquadModifierPeriods, gGameDate.
int DetermineSquadModifiers();
// A squad DR (two dice, before modifiers) whose row obeys the unit-class restriction in force; the
// 100th attempt is taken untested.
// Reads: gSquadTable, specialForceClass.
int EnforceClassRestrictions(int dieModifiers);
// Notes the class of the squad in row squadRow + 1 in gEliteSquad and gGreenSquadsOnly.
// Reads: gSquadTable. Writes: gEliteSquad, gGreenSquadsOnly.
void NoteSquadClass(int squadRow);
// The gun-inside and gun-outside lines of one DR, joined by a carriage return and line feed.
// Reads: gGunsInsideTable, gGunsOutsideTable, gSeeRolls.
std::string GunType(int theDieRoll);
// The self-propelled gun line of one DR ("NOTE1" in the SPG table refers to the AFV table).
// Reads: gSPGTable, gAFVTable, gSeeRolls.
std::string SPGType(int theDieRoll);
// Entry index of a nationality table, or defaultText when the table was not loaded.
std::string PickTableEntry(const data::ListTable& table, int index, const std::string& defaultText);
// One of the alternatives "a[2] b[4] c[6]" of a table text, by a die.
std::string PickOne(const std::string& myString);
// The A1 line as the screen shows it: hidden while the player asked to see the roll alone.
// Reads: gShowActivation.
std::string ShowA1DieRoll(const std::string& theCaption);

// Whether unit lines carry the dice that chose them.
// Reads: gSeeRolls.
bool SeeRolls();
// A number written with the format "#0".
std::string Number(int value);

} // namespace dorva::activation
