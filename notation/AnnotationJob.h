#pragma once

#include "chess/ChessGameData.h"
#include "notation/NotationAnnotations.h"
#include "pgn/GameAnnotations.h"

#include <functional>
#include <thread>

// A shown game's annotations, read again from its file on a worker thread: the file may stand
// on a slow disk, and an annotated game may be long.
class CAnnotationJob {
public:
    // Starts at once; `done` is called on the worker once Result() is ready.
    CAnnotationJob(CGameSource source, CChessGameData game, std::function<void()> done);
    // Waits for the worker.
    ~CAnnotationJob();
    CAnnotationJob(const CAnnotationJob&) = delete;
    CAnnotationJob& operator=(const CAnnotationJob&) = delete;

    // Waits for the worker; then Result() may be read and taken.
    void Join();
    CNotationAnnotations& Result() noexcept { return result; }

private:
    CGameSource source;
    CChessGameData game;
    CNotationAnnotations result;
    std::thread worker;
};
