#pragma once
// The game log as a file of lines: each entry under its stamp, one line of the entry to a line of the
// file, and the lines that "Log every roll" adds, each naming the screen it came from.

#include <string>
#include <vector>

namespace dorva::data {

// An entry as the file holds it: "stamp: " and its first line, then each further line indented to the
// entry's first column, every line ended by carriage return and line feed. A carriage return, a line
// feed or the two together break a line; a line with nothing on it is left out.
std::string FormatLogLines(const std::string& stamp, const std::string& entry);

// Appends an entry (table text, written as UTF-8) under the clock's stamp, whole. A log that cannot be
// written is reported once per path. Returns false when the file could not be written.
// Reads: gLogFileName. Writes: gUnwritableLogReported.
bool AppendLogEntry(const std::string& entry);

// Whether the rolls of every screen go to the log: the log is kept and "Log every roll" is on.
// Reads: gKeepLogFile, gLogEveryRoll.
bool LogsEveryRoll();

// With every roll logged, appends "screen: text".
// Reads: gKeepLogFile, gLogEveryRoll, gLogFileName.
void LogRoll(const std::string& screen, const std::string& text);

// The texts that are not empty, joined by separator.
std::string JoinShown(const std::vector<std::string>& shown, const std::string& separator);

} // namespace dorva::data
