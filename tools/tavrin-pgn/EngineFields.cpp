#include "tools/tavrin-pgn/EngineFields.h"

#include "chess/FenWriter.h"
#include "common/GeneralException.h"
#include "engine/EngineException.h"
#include "engine/EngineSettings.h"
#include "engine/GameAnalysis.h"
#include "pgn/FenParser.h"
#include "platform/qt/QtChildProcess.h"

#include <vector>

namespace {

// The positions of a game that can be played out, its start first.
std::vector<CPosition> GamePositions(const CChessGameData& game) {
    std::vector<CPosition> positions{StartPosition(game.GetStart())};
    positions.reserve(static_cast<std::size_t>(game.MovesCount()) + 1);
    for (int i = 0; i < game.MovesCount(); ++i) {
        CPosition next = positions.back();
        try {
            next.Play(game.GetMove(i));
        } catch (const CGeneralException&) {
            break;
        }
        positions.push_back(next);
    }
    return positions;
}

} // namespace

void AppendFens(std::string& out, const CChessGameData& game) {
    out += ",\"fens\":[";
    bool first = true;
    for (const CPosition& position : GamePositions(game)) {
        out += first ? "\"" : ",\"";
        out += WriteFen(position);
        out += '"';
        first = false;
    }
    out += ']';
}

CEvalsWriter::CEvalsWriter(std::string enginePath, std::int64_t nodes)
    : factory(std::make_unique<CQtChildProcessFactory>()), path(std::move(enginePath)),
      nodes(nodes) {
}

CEvalsWriter::~CEvalsWriter() = default;

void CEvalsWriter::Append(std::string& out, const CChessGameData& game) {
    if (engine == nullptr) {
        engine = std::make_unique<CUciEngine>(*factory);
        CEngineSettings settings;
        settings.path = path;
        settings.threads = 1;
        settings.hashMb = 64;
        settings.lines = 1;
        engine->Start(settings);
    }
    engine->NewGame();
    const std::vector<CPosition> positions = GamePositions(game);
    CEnginePosition played{positions.front(), {}};
    CAnalysisBudget budget;
    budget.nodes = nodes;
    out += ",\"evals\":[";
    for (std::size_t k = 0; k < positions.size(); ++k) {
        if (k > 0) {
            played.moves.push_back(game.GetMove(static_cast<int>(k) - 1));
            out += ',';
        }
        if (!IsPlayablePosition(positions[k])) {
            out += "null";
            continue;
        }
        CPositionAnalysis result;
        AnalysePosition(*engine, played, budget, nullptr, result);
        if (result.score.kind == CEngineScore::EKind::Mate) {
            out += '"' + result.score.Text() + '"';
        } else {
            out += std::to_string(result.score.value);
        }
    }
    out += ']';
}

std::string DefaultEnginePath() {
    const std::string path = ReadUserSetting("engine/path", "");
    return path.empty() ? CEngineSettings::kDefaultPath : path;
}
