#include "common/GeneralException.h"
#include "common/Ticks.h"
#include "gfx3d/A3DObject.h"
#include "gfx3d/AnimationCurves.h"
#include "gfx3d/C3DObjPiece.h"
#include "gfx3d/PieceClasses.h"
#include "platform/GLSurface.h"
#include "scene/Scene.h"
#include "scene/ScenePlacement.h"

#include <algorithm>

void CScene::BeginContinuousRedraw() {
    fpsStartTick = TickCount();
    ++continuousRedraw;
    fpsFrames = 0;
}

void CScene::EndContinuousRedraw() {
    std::uint32_t current = continuousRedraw;
    while (current > 0 && !continuousRedraw.compare_exchange_weak(current, current - 1)) {
    }
}

void CScene::ApplyAnimationDuration(std::uint32_t milliseconds) {
    fpsInterval = milliseconds > 500 ? 500 : milliseconds / 2;
    const std::lock_guard lock(objectsMutex);
    for (const auto& object : objects) {
        if (auto* piece = dynamic_cast<C3DObjPiece*>(object.get())) {
            piece->SetAnimationDuration(milliseconds);
        }
    }
}

// Takes the executed moves from the chess set one at a time and shows each; the player hands
// over the next move only after this thread has taken the previous one.
void CScene::AnimationThread() {
    // Nothing may leave the thread: a failure is reported (the program then ends).
    try {
        AnimateWhileRunning();
    } catch (const CGeneralException& e) {
        surface->ReportFatalError("The 3D view failed: " + e.GetMessage());
    } catch (const std::exception& e) {
        surface->ReportFatalError(std::string("The 3D view failed: ") + e.what());
    }
}

void CScene::AnimateWhileRunning() {
    while (renderRunning) {
        if (chessSet.MoveReady()) {
            // What the animation needs from the chess set is read before the flag is cleared:
            // from then on the player may execute the next move. The lock makes taking the
            // move and starting its animation one step for ShowBoardNow.
            std::unique_lock lock(objectsMutex);
            const std::optional<CRunningMove> running = TakeMove(clock());
            if (running) {
                BeginContinuousRedraw();
                const std::uint64_t generation = running->generation;
                lock.unlock();
                const bool stopped = WaitUntilStopped(running->pieces, generation);
                EndContinuousRedraw();
                lock.lock();
                if (stopped && piecesGeneration == generation) {
                    FinishMove(*running);
                }
            }
            ++movesAnimated;
            projectionDirty = true;
        } else {
            SleepMs(50);
        }
    }
}

// With objectsMutex held.
std::optional<CScene::CRunningMove> CScene::TakeMove(std::uint32_t now) {
    if (!chessSet.MoveReady()) {
        return std::nullopt; // withdrawn meanwhile
    }
    const CMove move = chessSet.LastMove();
    const CMoveFacts facts = ReadMoveFacts(move);
    MarkMove(move); // the tints move with the move as its animation starts
    chessSet.ClearMoveReady();
    return StartMove(move, facts, now);
}

// Polls every 40 ms, taking the lock only for each look: a rebuild of the pieces meanwhile (a
// game chosen during the animation) destroys them, which ends the wait.
bool CScene::WaitUntilStopped(const std::array<C3DObjPiece*, 2>& pieces, std::uint64_t generation) {
    for (;;) {
        {
            const std::lock_guard lock(objectsMutex);
            if (piecesGeneration != generation) {
                return false;
            }
            if (std::none_of(pieces.begin(), pieces.end(),
                             [](const C3DObjPiece* p) { return p && p->IsAnimating(); })) {
                return true;
            }
        }
        if (!renderRunning) {
            return false;
        }
        SleepMs(40);
    }
}

// Starts the animations of one executed move and keeps pieceGrid in step with the board:
// a slide (a jump for a knight), a capture (the taken piece fades and drops into its slot
// beside the board), castling (the rook swings outwards past the king), en passant (the pawn
// beside the mover is taken) and promotion (after the slide, the pawn gives way to the new
// piece; a capturing promotion first takes the piece on the promotion square).
CScene::CMoveFacts CScene::ReadMoveFacts(const CMove& move) const {
    CMoveFacts facts;
    facts.capturedByWhite = chessSet.Captured(White).Count();
    facts.capturedByBlack = chessSet.Captured(Black).Count();
    if (move.destFile >= 0 && move.destFile <= 7 && move.sourceRank >= 0 && move.sourceRank <= 7) {
        facts.besideDestinationEmpty =
            chessSet.Board().GetField(move.destFile, move.sourceRank).IsEmpty();
    }
    return facts;
}

std::optional<CScene::CRunningMove> CScene::StartMove(const CMove& move, const CMoveFacts& facts,
                                                      std::uint32_t now) {
    auto grid = [this](int file, int rank) -> C3DObjPiece*& {
        return pieceGrid[static_cast<std::size_t>(file)][static_cast<std::size_t>(rank)];
    };
    const CDestination to = move.Destination();
    if (move.sourceFile < 0 || move.sourceFile > 7 || move.sourceRank < 0 || move.sourceRank > 7 ||
        to.file < 0 || to.file > 7 || to.rank < 0 || to.rank > 7) {
        return std::nullopt;
    }
    C3DObjPiece* mover = grid(move.sourceFile, move.sourceRank);
    if (!mover) {
        return std::nullopt;
    }
    CRunningMove running;
    running.generation = piecesGeneration;
    running.startTick = now;
    running.pieces[0] = mover;
    auto slide = [&](C3DObjPiece* piece, const CSquarePosition& at) {
        piece->StartAnimation(at.x, 0.0f, at.z, PieceMoveAnimation(piece->Kind()), now);
    };
    // The taken piece leaves pieceGrid and drops into the capturer's newest slot.
    auto capture = [&](C3DObjPiece* taken, EPieceColor capturer) {
        const int n = capturer == White ? facts.capturedByWhite : facts.capturedByBlack;
        const CSquarePosition slot = CapturedSlot(std::max(n, 1), capturer);
        taken->StartAnimation(slot.x, kCapturedPieceY, slot.z, kAnimationFadeAndDrop, now);
        running.pieces[1] = taken;
    };

    if (to.promotion != Pawn) {
        const int rank = to.rank;
        const CSquarePosition at = SquarePosition(move.destFile, rank);
        C3DObjPiece* taken = grid(move.destFile, rank);
        if (taken) {
            capture(taken, mover->Color());
            grid(move.destFile, rank) = nullptr;
        }
        slide(mover, at);
        grid(move.sourceFile, move.sourceRank) = nullptr;
        running.promotion = to.promotion;
        running.promotionColor = rank == 7 ? White : Black;
        running.promotionFile = move.destFile;
        running.promotionRank = rank;
        return running;
    }

    const CSquarePosition dest = SquarePosition(move.destFile, move.destRank);
    C3DObjPiece* target = grid(move.destFile, move.destRank);
    if (!target) {
        // A pawn's diagonal step onto an empty square took the pawn beside it when the chess
        // set no longer has that pawn.
        if (mover->Kind() == Pawn && move.sourceFile != move.destFile) {
            C3DObjPiece* beside = grid(move.destFile, move.sourceRank);
            if (beside && beside->Kind() == Pawn && beside->Color() != mover->Color() &&
                facts.besideDestinationEmpty) {
                capture(beside, mover->Color());
                grid(move.destFile, move.sourceRank) = nullptr;
            }
        }
        slide(mover, dest);
        grid(move.sourceFile, move.sourceRank) = nullptr;
        grid(move.destFile, move.destRank) = mover;
    } else if (mover->Kind() == King && target->Kind() == Rook &&
               mover->Color() == target->Color()) {
        const int rank = move.destRank;
        const bool queenside = move.destFile == 0;
        const int kingFile = queenside ? 2 : 6;
        const int rookFile = queenside ? 3 : 5;
        const CSquarePosition rookAt = SquarePosition(rookFile, rank);
        slide(mover, SquarePosition(kingFile, rank));
        grid(move.sourceFile, move.sourceRank) = nullptr;
        grid(kingFile, rank) = mover;
        target->StartAnimation(rookAt.x, 0.0f, rookAt.z,
                               target->Color() == White ? kAnimationArcPlusZ : kAnimationArcMinusZ,
                               now);
        running.pieces[1] = target;
        grid(move.destFile, rank) = nullptr;
        grid(rookFile, rank) = target;
    } else {
        capture(target, mover->Color());
        slide(mover, dest);
        grid(move.sourceFile, move.sourceRank) = nullptr;
        grid(move.destFile, move.destRank) = mover;
    }
    return running;
}

// The pawn, arrived on the last rank, gives way to the piece it becomes.
void CScene::FinishMove(const CRunningMove& running) {
    if (running.promotion == Pawn) {
        return;
    }
    C3DObjPiece* pawn = running.pieces[0];
    const CSquarePosition at = SquarePosition(running.promotionFile, running.promotionRank);
    std::unique_ptr<C3DObjPiece> promoted =
        Create3DPiece(running.promotion, at.x, 0.0f, at.z, running.promotionColor);
    promoted->SetAnimationDuration(pawn->AnimationDuration());
    pieceGrid[static_cast<std::size_t>(running.promotionFile)]
             [static_cast<std::size_t>(running.promotionRank)] = promoted.get();
    shadowedPieces.clear(); // the pawn's entry would outlive it
    frameShadows.clear();
    for (auto& object : objects) {
        if (object.get() == static_cast<A3DObject*>(pawn)) {
            object = std::move(promoted);
            break;
        }
    }
}
