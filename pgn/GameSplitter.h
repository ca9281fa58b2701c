#pragma once

#include "pgn/TagPairScanner.h"

#include <cstddef>
#include <string_view>
#include <vector>

// Finds where the game texts of a pre-processed PGN text start, front to back, a few at a time,
// so that each game can be parsed while its text is still in the caches. A game starts at each
// unbroken run of tag pairs, whatever tags it holds; within a run, every "[Event"" pair after
// the run's first Event starts another game (a game without movetext keeps its own tag pairs).
// An "[Event"" that is not a tag pair of its own, or that stands inside another pair, starts a
// game where it stands.
class CGameSplitter {
public:
    explicit CGameSplitter(std::string_view text);

    // Appends further starts, in increasing order, until at least one was appended or the text
    // is exhausted. Returns false once the text is exhausted.
    bool FindMore(std::vector<std::size_t>& starts);

private:
    static constexpr std::size_t npos = std::string_view::npos;

    std::string_view text;
    CTagPairScanner scanner;
    std::size_t runEnd = npos; // end of the last pair of the current run of adjacent pairs
    bool runHasEvent = false;
    std::size_t nextEvent; // the next "[Event"" not yet passed
    std::size_t pos = 0;
};
