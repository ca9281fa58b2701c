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
            if (!chessSet.MoveReady()) {
                continue; // withdrawn meanwhile
            }
            const CMove move = chessSet.LastMove();
            const CMoveFacts facts = ReadMoveFacts(move);
            MarkMove(move); // the tints move with the move as its animation starts
            chessSet.ClearMoveReady();
            AnimateMove(move, facts, lock);
            ++movesAnimated;
            projectionDirty = true;
        } else {
            SleepMs(50);
        }
    }
}

// Polls every 40 ms, taking the lock only for each look: a rebuild of the pieces meanwhile (a
// game chosen during the animation) destroys them, which ends the wait.
bool CScene::WaitUntilStopped(std::initializer_list<const C3DObjPiece*> pieces,
                              std::uint64_t generation) {
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

void CScene::AnimateMove(const CMove& move, const CMoveFacts& facts,
                         std::unique_lock<std::mutex>& lock) {
    auto grid = [this](int file, int rank) -> C3DObjPiece*& {
        return pieceGrid[static_cast<std::size_t>(file)][static_cast<std::size_t>(rank)];
    };
    const CDestination to = move.Destination();
    if (move.sourceFile < 0 || move.sourceFile > 7 || move.sourceRank < 0 || move.sourceRank > 7 ||
        to.file < 0 || to.file > 7 || to.rank < 0 || to.rank > 7) {
        return;
    }
    C3DObjPiece* mover = grid(move.sourceFile, move.sourceRank);
    if (!mover) {
        return;
    }
    // The taken piece leaves pieceGrid and drops into the capturer's newest slot.
    auto capture = [&](C3DObjPiece* taken, EPieceColor capturer) {
        const int n = capturer == White ? facts.capturedByWhite : facts.capturedByBlack;
        const CSquarePosition slot = CapturedSlot(std::max(n, 1), capturer);
        taken->StartAnimation(slot.x, kCapturedPieceY, slot.z, kAnimationFadeAndDrop);
    };

    if (to.promotion != Pawn) {
        const bool white = to.rank == 7;
        const int rank = to.rank;
        const CSquarePosition at = SquarePosition(move.destFile, rank);
        BeginContinuousRedraw();
        C3DObjPiece* taken = grid(move.destFile, rank);
        if (taken) {
            capture(taken, mover->Color());
            grid(move.destFile, rank) = nullptr;
        }
        mover->MoveTo(at.x, 0.0f, at.z);
        grid(move.sourceFile, move.sourceRank) = nullptr;
        const std::uint64_t generation = piecesGeneration;
        lock.unlock();
        const bool stopped = WaitUntilStopped({mover, taken}, generation);
        EndContinuousRedraw();
        lock.lock();
        if (!stopped || piecesGeneration != generation) {
            return; // the pieces were rebuilt from the board meanwhile
        }
        std::unique_ptr<C3DObjPiece> promoted =
            Create3DPiece(to.promotion, at.x, 0.0f, at.z, white ? White : Black);
        promoted->SetAnimationDuration(mover->AnimationDuration());
        grid(move.destFile, rank) = promoted.get();
        shadowedPieces.clear(); // the pawn's entry would outlive it
        frameShadows.clear();
        for (auto& object : objects) {
            if (object.get() == static_cast<A3DObject*>(mover)) {
                object = std::move(promoted);
                break;
            }
        }
        return;
    }

    const CSquarePosition dest = SquarePosition(move.destFile, move.destRank);
    C3DObjPiece* target = grid(move.destFile, move.destRank);
    BeginContinuousRedraw();
    if (!target) {
        // A pawn's diagonal step onto an empty square took the pawn beside it when the chess
        // set no longer has that pawn.
        C3DObjPiece* passed = nullptr;
        if (mover->Kind() == Pawn && move.sourceFile != move.destFile) {
            C3DObjPiece* beside = grid(move.destFile, move.sourceRank);
            if (beside && beside->Kind() == Pawn && beside->Color() != mover->Color() &&
                facts.besideDestinationEmpty) {
                passed = beside;
                capture(passed, mover->Color());
                grid(move.destFile, move.sourceRank) = nullptr;
            }
        }
        mover->MoveTo(dest.x, 0.0f, dest.z);
        grid(move.sourceFile, move.sourceRank) = nullptr;
        grid(move.destFile, move.destRank) = mover;
        const std::uint64_t generation = piecesGeneration;
        lock.unlock();
        WaitUntilStopped({mover, passed}, generation);
    } else if (mover->Kind() == King && target->Kind() == Rook &&
               mover->Color() == target->Color()) {
        const int rank = move.destRank;
        const bool queenside = move.destFile == 0;
        const int kingFile = queenside ? 2 : 6;
        const int rookFile = queenside ? 3 : 5;
        const CSquarePosition kingAt = SquarePosition(kingFile, rank);
        const CSquarePosition rookAt = SquarePosition(rookFile, rank);
        mover->MoveTo(kingAt.x, 0.0f, kingAt.z);
        grid(move.sourceFile, move.sourceRank) = nullptr;
        grid(kingFile, rank) = mover;
        target->StartAnimation(rookAt.x, 0.0f, rookAt.z,
                               target->Color() == White ? kAnimationArcPlusZ : kAnimationArcMinusZ);
        grid(move.destFile, rank) = nullptr;
        grid(rookFile, rank) = target;
        const std::uint64_t generation = piecesGeneration;
        lock.unlock();
        WaitUntilStopped({mover, target}, generation);
    } else {
        capture(target, mover->Color());
        mover->MoveTo(dest.x, 0.0f, dest.z);
        grid(move.sourceFile, move.sourceRank) = nullptr;
        grid(move.destFile, move.destRank) = mover;
        const std::uint64_t generation = piecesGeneration;
        lock.unlock();
        WaitUntilStopped({mover, target}, generation);
    }
    EndContinuousRedraw();
}
