#pragma once

#include "chess/ChessGameData.h"
#include "common/WorkerJob.h"
#include "notation/NotationAnnotations.h"
#include "pgn/GameAnnotations.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

// The whole of a comment the panel shows cut, read again from its game's text on a worker: a
// comment may hold a hundred megabytes, which the interface thread cannot wait for. One read at
// a time. Lives on one thread (the interface thread).
class CWholeCommentReader {
public:
    // `wake` runs on the worker when a read has ended; the owner then calls Collect.
    explicit CWholeCommentReader(std::function<void()> wake) : wake(std::move(wake)) {}
    CWholeCommentReader(const CWholeCommentReader&) = delete;
    CWholeCommentReader& operator=(const CWholeCommentReader&) = delete;

    // Starts reading the comment at `place` of `game`, whose text `source` locates; false (and
    // nothing starts) while a read runs.
    bool Request(CGameSource source, CChessGameData game, CCommentPlace place);
    // After a wake: the comment in UTF-8, broken into paragraphs (BreakIntoParagraphs), or why
    // it could not be read; none when no read had run.
    std::optional<COutcome<std::string>> Collect();

private:
    std::function<void()> wake;
    std::unique_ptr<CWorkerJob<std::string>> job;
};

// The work of a read, on the calling thread: the whole comment at `place`, broken into
// paragraphs. Throws CNotationException when the text no longer holds it (the file changed or
// is gone).
std::string ReadWholeComment(const CGameSource& source, const CChessGameData& game,
                             const CCommentPlace& place);
