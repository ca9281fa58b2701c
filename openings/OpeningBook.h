#pragma once

#include "openings/KeyedPosition.h"
#include "openings/PositionKey.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One named line of the opening data.
struct COpeningEntry {
    std::string eco;  // "B90"
    std::string name; // "Sicilian Defense: Najdorf Variation"
    std::string line; // the moves as the data gives them, "1. e4 c5 2. Nf3 d6 ..."
    int plies = 0;    // the number of moves of the line
};

// The opening names by position: each named line's final position gives its entry. Where
// several lines end in one position, the shortest line names it (the first of the data among
// equals), so that a transposition takes the name of the usual order of moves.
//
// Filled once (Load, or AddText then Seal), then read only, from any number of threads.
class COpeningBook {
public:
    using CEntryIndex = std::uint16_t;
    static constexpr CEntryIndex kNone = 0xFFFF;
    // The files of the data, one per ECO volume, in the order their entries are numbered.
    static constexpr std::array<const char*, 5> kFiles = {"a.tsv", "b.tsv", "c.tsv", "d.tsv",
                                                          "e.tsv"};

    // Reads kFiles from `folder`. Throws COpeningsException "COpeningBook::Load(): ..." naming
    // the file (and line) that cannot be read, or a line whose moves cannot be played.
    static COpeningBook Load(const std::string& folder);

    // Adds the rows of one data text: a header row "eco<TAB>name<TAB>pgn", then one row per
    // line. `source` names the text in messages. Throws COpeningsException as Load does; the
    // rows before the faulty one stay added. Seal() must follow before any lookup.
    void AddText(std::string_view text, std::string_view source);
    // Makes the lookups ready after AddText.
    void Seal();

    std::size_t Size() const noexcept { return entries.size(); }
    // Entry i < Size().
    const COpeningEntry& Entry(CEntryIndex i) const noexcept { return entries[i]; }
    // The entry that names the position with `key`, or kNone. A few nanoseconds.
    CEntryIndex Find(CPositionKey key) const noexcept;
    // False once no named position can follow a position with `signature` in any game: the
    // classification of a game stops there.
    bool MayReachNamed(const CReachSignature& signature) const noexcept {
        return signature.irregular || minPieces.empty() ||
               minPieces[signature.HomeBits()] <= signature.pieces;
    }

private:
    std::vector<COpeningEntry> entries;
    std::vector<CPositionKey> finalKeys;          // of each entry
    std::vector<CReachSignature> finalSignatures; // of each entry
    // Open addressing: slot values kNone are free.
    std::vector<CPositionKey> slotKeys;
    std::vector<CEntryIndex> slotEntries;
    // For each pair of home masks, the fewest pieces of a named position whose home pawns are
    // among them; 255 where there is none.
    std::vector<std::uint8_t> minPieces;
};
