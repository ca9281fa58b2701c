#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The single-byte code pages that text which is not UTF-8 is read in. Windows-1252 is what
// Windows programs write; databases of DOS-era programs write names in code page 437 or 850,
// where the bytes 0x80-0x9F are accented letters ("Lepp\x84l\x84" is "Leppälä").
enum class ELegacyCodePage : std::uint8_t { kWindows1252, kCp437, kCp850 };
inline constexpr std::size_t kLegacyCodePages = 3;

// The code point of a byte 0x80-0xFF in `page`. The five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value.
char32_t LegacyCodePoint(ELegacyCodePage page, unsigned char byte) noexcept;

// Chooses the code page of one file from its bytes. Every byte that is not part of a valid UTF-8
// sequence and stands in a word (an ASCII letter beside it) votes for the pages in which it reads
// as a letter of a Latin script, in a plausible case (no capital straight after a small ASCII
// letter), and against the pages in which it reads as punctuation, a symbol, a box-drawing
// piece or a control. Stretches of a text can be added in any order and by several voters, then
// merged, as long as no UTF-8 sequence is cut between two stretches (cut at line ends).
class CCodePageVotes {
public:
    // Adds the votes of a stretch of text. Linear in its length; ASCII runs are skipped 32 bytes
    // at a time.
    void Add(std::string_view text) noexcept;
    void Merge(const CCodePageVotes& other) noexcept;
    // The page with the most votes; Windows-1252 on a tie with it (and on no votes at all),
    // else 437 on a tie with 850.
    ELegacyCodePage Choice() const noexcept;

private:
    std::array<std::int64_t, kLegacyCodePages> score{};
};
