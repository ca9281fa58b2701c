#pragma once

#include "chess/ChessGameData.h"
#include "engine/UciEngine.h"

#include <cstdint>
#include <memory>
#include <string>

// The fields of tavrin-pgn's --fens and --analyse.

// ,"fens":[…]: the FEN of the game's start, then of the position after each move, as the engine
// is given it. A move that cannot be played ends the list.
void AppendFens(std::string& out, const CChessGameData& game);

// ,"evals":[…] for each of those positions: the engine's last score before bestmove at a fixed
// number of nodes, from White's side, as centipawns or "#n" / "#-n" for mates; null for a
// position no engine can take. One engine process serves the whole run with one thread, a
// 64 MB hash and one line, and each game begins with ucinewgame, so that the output is the
// same from run to run.
class CEvalsWriter {
public:
    CEvalsWriter(std::string enginePath, std::int64_t nodes);
    ~CEvalsWriter();
    // Throws CEngineException when the engine cannot be started or fails.
    void Append(std::string& out, const CChessGameData& game);

private:
    std::unique_ptr<IChildProcessFactory> factory;
    std::unique_ptr<CUciEngine> engine;
    std::string path;
    std::int64_t nodes;
};

// The engine of the user's settings, else /usr/games/stockfish.
std::string DefaultEnginePath();
