#pragma once

#include <array>

// Complete, legal games between masters, the material the benchmark texts are made of. Moves
// are SAN tokens separated by single spaces, without move numbers or result.
struct CMasterGame {
    const char* event;
    const char* site;
    const char* date;
    const char* round;
    const char* white;
    const char* black;
    const char* result;
    const char* eco;
    const char* moves;
};

extern const std::array<CMasterGame, 21> masterGames;
