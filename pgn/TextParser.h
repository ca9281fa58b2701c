#pragma once

#include "pgn/GameBatch.h"
#include "pgn/LoadReport.h"

#include <memory>
#include <string_view>
#include <vector>

struct CLoadProgress;

// The games of one text, read but not yet listed.
struct CParsedText {
    std::vector<std::shared_ptr<const CGameBatch>> batches; // in text order
    CLoadReport report;
    bool cancelled = false; // the load was cancelled; nothing else here counts then
};

// Reads the games of a whole PGN text. The text is cut into segments (see TextSegments.h); each
// is pre-processed, split into games and parsed on its own, so that a segment that cannot be
// pre-processed is dropped as one game with its message, and the rest of the text is still read.
// Runs on `threads` threads (0: as many as the machine has, and one for a small text); the games
// and the report come in text order whatever the number. Each game records the range of its text
// from the text's start; `file` receives the code page that the text's bytes vote for. Throws
// CPGNReaderException when the text holds no game at all: with the pre-processing message when
// a segment failed, else "CPGNReader::ParseData(): Cannot find any "Event" tag pair!".
CParsedText ParsePgnText(std::string_view text, const std::shared_ptr<CSourceFile>& file,
                         unsigned threads, CLoadProgress* progress);
