#include "data/DiceRecord.h"

#include "data/Messages.h"
#include "data/State.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

namespace dorva::data {
namespace {

constexpr const char* kFirstLine = "DORVA II dice record";
int gBatchDepth = 0;

std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// "key=n n n" with exactly count counts, none negative.
bool ReadCounts(const std::string& line, const std::string& key, std::size_t count, std::int32_t* into) {
    if (line.rfind(key + "=", 0) != 0) {
        return false;
    }
    const char* p = line.data() + key.size() + 1;
    const char* end = line.data() + line.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) {
            if (p == end || *p != ' ') {
                return false;
            }
            ++p;
        }
        const auto [next, error] = std::from_chars(p, end, into[i]);
        if (error != std::errc() || into[i] < 0) {
            return false;
        }
        p = next;
    }
    return p == end;
}

} // namespace

std::string DiceRecordText(const DiceRecord& record) {
    std::string text = std::string(kFirstLine) + "\r\ngame=" + record.game + "\r\ndr=";
    for (std::size_t i = 1; i <= 17; ++i) {
        text += std::to_string(record.stats[i]) + (i == 6 ? "\r\nDR=" : i == 17 ? "\r\n" : " ");
    }
    return text;
}

std::optional<DiceRecord> ParseDiceRecord(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    DiceRecord record;
    if (lines.size() != 4 || lines[0] != kFirstLine || lines[1].rfind("game=", 0) != 0 ||
        !ReadCounts(lines[2], "dr", 6, &record.stats[1]) ||
        !ReadCounts(lines[3], "DR", 11, &record.stats[7])) {
        return std::nullopt;
    }
    record.game = lines[1].substr(5);
    return record;
}

void LoadDiceRecord() {
    if (gDiceRecordFile.empty()) {
        return;
    }
    std::error_code error;
    if (!std::filesystem::exists(gDiceRecordFile, error)) {
        return;
    }
    if (const std::optional<DiceRecord> record = ParseDiceRecord(ReadWholeFile(gDiceRecordFile))) {
        gDRStats = record->stats;
        gDiceGame = record->game;
        return;
    }
    // The damaged file stays for whoever wants to look at it; the game goes on with a fresh record.
    std::filesystem::path kept = gDiceRecordFile;
    kept += ".damaged";
    std::filesystem::rename(gDiceRecordFile, kept, error);
    gDRStats.fill(0);
    gDiceGame.clear();
    ShowMessage("The dice statistics in " + gDiceRecordFile.string() +
                    " are damaged; they start afresh. The damaged file is kept as " + kept.string() + ".",
                false);
    SaveDiceRecord();
}

void SaveDiceRecord() {
    if (gDiceRecordFile.empty() || gBatchDepth > 0) {
        return;
    }
    std::error_code error;
    std::filesystem::create_directories(gDiceRecordFile.parent_path(), error);
    // Written beside the record and renamed over it, so that a program stopped mid-write leaves the
    // last whole record rather than a damaged one.
    std::filesystem::path fresh = gDiceRecordFile;
    fresh += ".new";
    bool written = false;
    {
        std::ofstream out(fresh, std::ios::binary | std::ios::trunc);
        out << DiceRecordText({gDiceGame, gDRStats});
        out.close();
        written = static_cast<bool>(out);
    }
    if (written) {
        std::filesystem::rename(fresh, gDiceRecordFile, error);
        written = !error;
    }
    if (!written && !gDiceRecordUnwritableReported) {
        gDiceRecordUnwritableReported = true;
        ShowMessage("The dice statistics cannot be kept in " + gDiceRecordFile.string() +
                        "; they count on for this run only.",
                    false);
    }
}

void BeginGame(const std::string& game) {
    if (game == gDiceGame) {
        return;
    }
    if (!gDiceGame.empty()) {
        gDRStats.fill(0);
    }
    // Rolls made before the first game was chosen (spoken while the set-up screen was up) belong to
    // the game that follows.
    gDiceGame = game;
    SaveDiceRecord();
}

void StartNewDiceRecord() {
    gDRStats.fill(0);
    gDiceGame.clear();
    SaveDiceRecord();
}

DiceRecordBatch::DiceRecordBatch() {
    ++gBatchDepth;
}

DiceRecordBatch::~DiceRecordBatch() {
    if (--gBatchDepth == 0) {
        SaveDiceRecord();
    }
}

} // namespace dorva::data
