#include "random/Locations.h"

#include "data/Announce.h"
#include "data/Dice.h"
#include "data/DiceRecord.h"
#include "data/GameLog.h"
#include "data/State.h"
#include "data/Text.h"
#include "platform/Seams.h"
#include "random/Messages.h"
#include "voice/Speak.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dorva::random {
namespace {

// A cell of the 9E table. The table is data supplied with the program; a row or column it lacks
// reads as the dr and a note, so that the player still learns the roll.
std::string LocationText(int row, int column) {
    const std::string& text = data::gTable9E.Cell(row, column);
    return text.empty() ? std::to_string(row) + " (no location in table 9E)" : text;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::string LocationDieRoll(bool show, bool village) {
    int dr = data::RollDice(1, 6, data::kRecord);
    std::string prefix = "dr = ";
    if (village) {
        dr -= 1;
        prefix = "Modified dr = ";
    }
    const std::string shown = prefix + LocationText(dr, 0);
    if (show) {
        const std::string said = LocationText(dr, 1);
        data::ShowInActivationWindow(said);
        voice::SpeakText(said, voice::kSpeakAsync);
        data::LogRoll(kLocationsScreen, shown);
    }
    return shown;
}

bool AppendLocationLine(const std::string& line, const std::string& fileName) {
    // The line goes out in one write, and a write cut short (a full disk, a size limit) is taken back:
    // a line left without its end would have the next append run onto it.
    // A line break inside the text becomes a blank, so that the file keeps one location a line.
    std::string oneLine = line;
    for (char& c : oneLine) {
        c = c == '\r' || c == '\n' ? ' ' : c;
    }
    const std::string whole = data::Latin1ToUtf8(oneLine) + "\r\n";
    const int fd = ::open(fileName.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    struct stat before {};
    bool written = ::fstat(fd, &before) == 0;
    if (written) {
        ssize_t count = 0;
        do {
            count = ::write(fd, whole.data(), whole.size());
        } while (count < 0 && errno == EINTR);
        written = count == static_cast<ssize_t>(whole.size());
        if (!written && count > 0) {
            static_cast<void>(::ftruncate(fd, before.st_size));
        }
    }
    return ::close(fd) == 0 && written;
}

std::optional<double> LocationCount(std::string_view text) {
    std::string_view number = Trimmed(text);
    bool negative = false;
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    // Only digits and a decimal point may begin it: the converter would also take "inf" and "nan".
    if (number.empty() || !((number.front() >= '0' && number.front() <= '9') || number.front() == '.')) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<std::string> SaveLocations(std::string_view countText, bool village) {
    const std::optional<double> count = LocationCount(countText);
    if (!count) {
        ShowNumberedMessage(kCountNotANumber);
        return std::nullopt;
    }
    // A batch above the limit is refused: it is a slip of the keyboard, and would hold the program
    // for hours.
    if (*count > kMostLocations) {
        ShowNumberedMessage(kCountAboveLimit);
        return std::nullopt;
    }
    // The dialog's title says what is being saved.
    std::optional<std::string> fileName = platform::CurrentDialogs().SaveFileName(
        "Save S? Locations", village ? "Village_Suspect_Locations" : "Suspect_Locations", kLocationsFilter);
    if (!fileName) {
        return std::nullopt;
    }
    long long written = 0;
    {
        const data::DiceRecordBatch batch;
        for (double i = 1; i <= *count; ++i) {
            if (!AppendLocationLine(LocationDieRoll(false, village), *fileName)) {
                break;
            }
            ++written;
        }
    }
    data::LogRoll(kLocationsScreen, "Save to File: " + std::to_string(written) +
                                        (written == 1 ? " location to " : " locations to ") +
                                        data::Utf8ToLatin1(*fileName));
    return fileName;
}

} // namespace dorva::random
