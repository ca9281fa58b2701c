#include "notation/WholeCommentReader.h"

#include "notation/NotationException.h"

bool CWholeCommentReader::Request(CGameSource source, CChessGameData game, CCommentPlace place) {
    if (job != nullptr) {
        return false;
    }
    job = std::make_unique<CWorkerJob<std::string>>(
        [source = std::move(source), game = std::move(game), place](const std::atomic<bool>&)
            -> COutcome<std::string> { return ReadWholeComment(source, game, place); },
        wake);
    return true;
}

std::optional<COutcome<std::string>> CWholeCommentReader::Collect() {
    if (job == nullptr) {
        return std::nullopt;
    }
    COutcome<std::string> outcome = std::move(job->Wait());
    job.reset();
    return outcome;
}

std::string ReadWholeComment(const CGameSource& source, const CChessGameData& game,
                             const CCommentPlace& place) {
    CGameAnnotations read = ReadGameAnnotations(source, game);
    std::string text = WholeComment(read, place);
    if (text.empty()) {
        throw CNotationException("ReadWholeComment(): The comment is no longer in the text" +
                                 (read.note.empty() ? std::string(".") : " (" + read.note + ")."));
    }
    read = {}; // the rest of the tree goes before the text is shown
    BreakIntoParagraphs(text);
    return text;
}
