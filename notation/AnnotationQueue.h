#pragma once

#include "chess/ChessGameData.h"
#include "common/WorkerJob.h"
#include "notation/NotationAnnotations.h"
#include "pgn/GameAnnotations.h"

#include <functional>
#include <memory>
#include <optional>

// The annotations of the games shown, read again from their files on a worker: a file may stand
// on a slow disk, and an annotated game may be long. One read runs at a time; a game chosen
// while it runs waits, and a later choice replaces the one that waits, which is never read. The
// owner tells its requests apart by a ticket. Lives on one thread (the interface thread).
class CAnnotationQueue {
public:
    // `wake` runs on the worker when a read has ended; the owner then calls Collect.
    explicit CAnnotationQueue(std::function<void()> wake);
    CAnnotationQueue(const CAnnotationQueue&) = delete;
    CAnnotationQueue& operator=(const CAnnotationQueue&) = delete;

    // Asks for the annotations of `game`, whose text `source` locates, under `ticket`.
    void Request(unsigned ticket, CGameSource source, CChessGameData game);
    // Forgets the request that waits; a running read runs on, and its outcome still comes.
    void DropWaiting() noexcept { waiting.reset(); }

    // What a read yields: the ticket it was asked under and its outcome. A failed read's message
    // says why in a line for the panel.
    struct CRead {
        unsigned ticket = 0;
        COutcome<CNotationAnnotations> outcome;
    };
    // After a wake: the read that has ended (none when no read had ended), and the waiting
    // request starts.
    std::optional<CRead> Collect();
    // What the panel shows of a read's outcome: its annotations, or none with a note that says
    // why they are missing.
    static CNotationAnnotations Shown(COutcome<CNotationAnnotations>& outcome);

private:
    struct CRequest {
        unsigned ticket;
        CGameSource source;
        CChessGameData game;
    };
    void Start(CRequest request);

    std::function<void()> wake;
    std::optional<CRequest> waiting;
    unsigned running = 0; // the ticket of the read that runs
    std::unique_ptr<CWorkerJob<CNotationAnnotations>> job;
};
