#include "bench/RandomGames.h"

#include "bench/MasterGames.h"
#include "bench/PgnTextGenerator.h"
#include "chess/ChessSet.h"
#include "chess/KingSafety.h"
#include "chess/PieceReach.h"
#include "pgn/PGNReader.h"

#include <array>
#include <atomic>
#include <string>
#include <string_view>
#include <thread>

namespace {

constexpr std::size_t kGamesPerBatch = 100000;

// The moves of each master game.
std::vector<std::vector<CMove>> MasterMoves() {
    std::vector<std::vector<CMove>> all;
    for (const CMasterGame& master : masterGames) {
        std::vector<CMove> moves;
        CChessSet set;
        std::string_view text = master.moves;
        while (!text.empty()) {
            const std::size_t space = text.find(' ');
            std::string_view san = text.substr(0, space);
            if (san.ends_with('#')) {
                san.remove_suffix(1);
            }
            const CMove move = CPGNReader::FindMove(san, moves.size() % 2 ? Black : White, set);
            set.Move(move);
            set.ClearMoveReady();
            moves.push_back(move);
            text.remove_prefix(space == std::string_view::npos ? text.size() : space + 1);
        }
        all.push_back(std::move(moves));
    }
    return all;
}

// A random legal move of `side`, or false when a few dozen tries find none.
bool RandomMove(const CChessboardState& board, EPieceColor side, CBenchRandom& random,
                CMove& move) {
    std::array<std::pair<int, int>, 64> own{};
    int owned = 0;
    for (int f = 0; f < 8; ++f) {
        for (int r = 0; r < 8; ++r) {
            const CField& field = FieldAt(board, f, r);
            if (!field.IsEmpty() && field.Piece().color == side) {
                own[static_cast<std::size_t>(owned++)] = {f, r};
            }
        }
    }
    std::array<std::pair<int, int>, 32> targets{};
    for (int attempt = 0; attempt < 48; ++attempt) {
        const auto [f, r] = own[static_cast<std::size_t>(random.Below(owned))];
        const EPieceType type = FieldAt(board, f, r).Piece().type;
        int count = 0;
        // An empty square, or one of an enemy piece other than the king.
        const auto open = [&](int tf, int tr) {
            const CField& target = FieldAt(board, tf, tr);
            return target.IsEmpty() ||
                   (target.Piece().color != side && target.Piece().type != King);
        };
        if (type == Pawn) {
            const int forward = side == White ? 1 : -1;
            const int next = r + forward;
            if (next >= 0 && next < 8) {
                if (FieldAt(board, f, next).IsEmpty()) {
                    targets[static_cast<std::size_t>(count++)] = {f, next};
                    const int start = side == White ? 1 : 6;
                    if (r == start && FieldAt(board, f, next + forward).IsEmpty()) {
                        targets[static_cast<std::size_t>(count++)] = {f, next + forward};
                    }
                }
                for (const int tf : {f - 1, f + 1}) {
                    if (tf >= 0 && tf < 8 && !FieldAt(board, tf, next).IsEmpty() &&
                        open(tf, next)) {
                        targets[static_cast<std::size_t>(count++)] = {tf, next};
                    }
                }
            }
        } else {
            ForEachSquareReached(board, f, r, type, [&](int tf, int tr) {
                if (open(tf, tr) && count < 32) {
                    targets[static_cast<std::size_t>(count++)] = {tf, tr};
                }
                return false;
            });
        }
        if (count == 0) {
            continue;
        }
        const auto [tf, tr] = targets[static_cast<std::size_t>(random.Below(count))];
        move = {f, r, tf, tr};
        if (type == Pawn && (tr == 7 || tr == 0)) {
            move.destRank = tr == 7 ? 7 + Queen : -Queen;
        }
        if (!LeavesOwnKingAttacked(board, {f, r, tf, tr})) {
            return true;
        }
    }
    return false;
}

std::shared_ptr<const CGameBatch> MakeBatch(std::size_t count, std::uint64_t seed,
                                            const std::vector<std::vector<CMove>>& masters) {
    CBenchRandom random(seed);
    auto batch = std::make_shared<CGameBatch>(std::make_shared<CSourceFile>(), count * 400);
    std::vector<CMove> moves;
    std::string date = "2000.01.01";
    CChessSet set;
    for (std::size_t g = 0; g < count; ++g) {
        const std::vector<CMove>& master =
            masters[static_cast<std::size_t>(random.Below(masters.size()))];
        // Most games leave the master's line early: 4..20 plies, sometimes 0..40.
        const std::size_t follow = std::min(
            master.size(),
            static_cast<std::size_t>(random.Chance(80) ? 4 + random.Below(17) : random.Below(41)));
        const std::size_t length = 40 + static_cast<std::size_t>(random.Below(41));
        set.Reset();
        moves.clear();
        for (std::size_t ply = 0; ply < length; ++ply) {
            CMove move;
            if (ply < follow) {
                move = master[ply];
            } else if (!RandomMove(set.Board(), ply % 2 ? Black : White, random, move)) {
                break;
            }
            set.Move(move);
            set.ClearMoveReady();
            moves.push_back(move);
        }
        const int year = 1950 + random.Below(75);
        date.replace(0, 4, std::to_string(year));
        const auto rating = [&random] {
            return random.Chance(80) ? static_cast<std::uint16_t>(1800 + random.Below(1000))
                                     : std::uint16_t{0};
        };
        CParsedGame game;
        game.tags[kEvent] = "Generated";
        game.tags[kDate] = date;
        game.tags[kWhite] = "White";
        game.tags[kBlack] = "Black";
        const int outcome = random.Below(100);
        game.result = outcome < 38   ? ResultWhiteWon
                      : outcome < 70 ? ResultDraw
                      : outcome < 97 ? ResultBlackWon
                                     : ResultNone;
        game.moves = moves;
        game.whiteElo = rating();
        game.blackElo = rating();
        batch->Add(game);
    }
    return batch;
}

} // namespace

std::vector<std::shared_ptr<const CGameBatch>>
MakeRandomGames(std::size_t count, std::uint64_t seed, unsigned threads) {
    const std::vector<std::vector<CMove>> masters = MasterMoves();
    const std::size_t batches = (count + kGamesPerBatch - 1) / kGamesPerBatch;
    std::vector<std::shared_ptr<const CGameBatch>> made(batches);
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t b = next++; b < batches; b = next++) {
            const std::size_t games = std::min(kGamesPerBatch, count - b * kGamesPerBatch);
            made[b] = MakeBatch(games, seed + b, masters);
        }
    };
    std::vector<std::jthread> helpers;
    for (unsigned t = 1; t < std::max(1u, threads); ++t) {
        helpers.emplace_back(work);
    }
    work();
    return made;
}
