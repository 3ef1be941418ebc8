#pragma once
// Sequential reading of a support file's bytes, as the readers of config.sco and the nationality
// files do it. Every read is bounded by the end of the bytes: a read past the end gives fewer bytes
// (or none), never touches memory outside the view, so any file, however broken, can be read.

#include <cstdint>
#include <string>
#include <string_view>

namespace dorva::data {

inline constexpr char kSectionMarker = 31;
inline constexpr char kFieldTerminator = 30;
inline constexpr char kVariantMarker = 29;

class ByteCursor {
public:
    // position counts from 1 at the first byte. A position before the first byte or past the last
    // one leaves nothing to read.
    ByteCursor(std::string_view bytes, std::int64_t position) : bytes_(bytes) {
        next_ = position >= 1 && position <= static_cast<std::int64_t>(bytes.size())
                    ? static_cast<std::size_t>(position - 1)
                    : bytes.size();
    }

    bool AtEnd() const { return next_ >= bytes_.size(); }
    // The position (from 1) of the next byte to read.
    std::int32_t Position() const { return static_cast<std::int32_t>(next_ + 1); }

    // The next byte, or -1 at the end.
    int Byte() {
        if (AtEnd()) {
            return -1;
        }
        return static_cast<unsigned char>(bytes_[next_++]);
    }

    // Passes over the bytes up to and including the next marker byte; false, at the end, when none
    // follows. A search for a section jumps from marker to marker rather than reading byte by byte.
    bool SkipPast(char marker) {
        const std::size_t at = bytes_.find(marker, next_);
        next_ = at == std::string_view::npos ? bytes_.size() : at + 1;
        return at != std::string_view::npos;
    }

    // The next count bytes, fewer when the file ends first.
    std::string_view Take(std::size_t count) {
        const std::size_t available = bytes_.size() - next_;
        const std::size_t n = count < available ? count : available;
        std::string_view taken = bytes_.substr(next_, n);
        next_ += n;
        return taken;
    }

    // The run of bytes up to the field terminator, which is passed over and belongs to no field. A
    // field whose terminator is missing ends at the end of the file.
    std::string Field() {
        const std::size_t end = bytes_.find(kFieldTerminator, next_);
        std::string field;
        if (end == std::string_view::npos) {
            field.assign(bytes_.substr(next_));
            next_ = bytes_.size();
        } else {
            field.assign(bytes_.substr(next_, end - next_));
            next_ = end + 1;
        }
        return field;
    }

private:
    std::string_view bytes_;
    std::size_t next_ = 0;
};

// The leading decimal number of a count, date or modifier: blanks first are skipped, a sign is
// allowed, and the digits that follow make the number; anything that is not a number reads as 0
// ("07", " 7" and "7x" give 7; "ab", "-" and "" give 0).
inline std::int32_t LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        // The fields read as numbers are at most 6 characters; the cap only keeps longer digit runs
        // from overflowing.
        if (value < 100'000'000) {
            value = value * 10 + (text[i] - '0');
        }
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

} // namespace dorva::data
