#pragma once

#include "common/CodePages.h"

#include <string>
#include <vector>

// What one load of a PGN text found: how many game texts, how many became games, and why each
// of the others was dropped.
struct CDroppedGame {
    int ordinal = 0;     // among the text's game texts, from 0
    std::string message; // the message of the exception that dropped it
};

struct CLoadReport {
    int gameTexts = 0;
    int gamesRead = 0;
    std::vector<CDroppedGame> dropped;                        // in file order
    ELegacyCodePage codePage = ELegacyCodePage::kWindows1252; // of the text that is not UTF-8
};
