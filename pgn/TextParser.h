#pragma once

#include "common/CodePages.h"
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

// Reads the games of a text that arrives a piece at a time, as a compressed file is
// decompressed: each piece is read as ParsePgnText reads a whole text, and the games, counts and
// code-page votes add up over the pieces as if the text had come at once. A piece must end where
// a segment starts (NextSegmentStart) or at the text's end.
class CPgnTextReader {
public:
    // `countParsed`: whether the text's bytes count in progress->parsed (a compressed file's
    // progress counts its own bytes instead).
    CPgnTextReader(std::shared_ptr<CSourceFile> file, unsigned threads, CLoadProgress* progress,
                   bool countParsed = true);
    ~CPgnTextReader();
    CPgnTextReader(const CPgnTextReader&) = delete;
    CPgnTextReader& operator=(const CPgnTextReader&) = delete;

    // Reads `piece`, which starts `offset` bytes into the text. False when the load was
    // cancelled meanwhile (the piece's games are then left out).
    bool Add(std::string_view piece, std::uint64_t offset);
    // Counts one more game text, after those read, as dropped with `message`.
    void DropLast(const std::string& message);
    int GameTexts() const noexcept { return parsed.report.gameTexts; }
    // The games of all pieces; the file gets its code page. Throws as ParsePgnText does when no
    // piece held a game text, unless `mayBeEmpty`.
    CParsedText Finish(bool mayBeEmpty = false);

private:
    std::shared_ptr<CSourceFile> file;
    unsigned threads;
    CLoadProgress* progress;
    bool countParsed;
    CParsedText parsed;
    CCodePageVotes votes;
    std::string firstFailure;
    std::uint64_t linesBefore = 0; // newlines in the pieces read so far
};
