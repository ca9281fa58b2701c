#pragma once

#include "common/CodePages.h"

#include <cstdint>
#include <string>
#include <vector>

// What one load of a PGN text found: how many game texts, how many became games, and why each
// of the others was dropped.
struct CDroppedGame {
    int ordinal = 0;          // among the text's game texts, from 0
    std::string message;      // the message of the exception that dropped it
    std::uint64_t offset = 0; // where its text starts, in bytes from the text's start
    int line = 0;             // the line of the text it starts on, from 1; 0 when unknown
    std::string white;        // its tag pairs' players as written, empty when not found
    std::string black;
};

// An entry of a zip archive that was not read: what it is called and why ("not a PGN file",
// "encrypted", "compressed with a method that cannot be read (12)").
struct CSkippedEntry {
    std::string name;
    std::string reason;
};

struct CLoadReport {
    int gameTexts = 0;
    int gamesRead = 0;
    std::vector<CDroppedGame> dropped;                        // in file order
    ELegacyCodePage codePage = ELegacyCodePage::kWindows1252; // of the text that is not UTF-8
    std::vector<CSkippedEntry> skipped;                       // in the archive's order
    // Where reading a compressed text stopped early, and why (damaged or cut-short data): the
    // games before that point are read, those after it are missing. One for each text so cut.
    std::vector<std::string> stops;
};
