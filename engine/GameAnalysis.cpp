#include "engine/GameAnalysis.h"

#include "common/Ticks.h"
#include "engine/EngineException.h"
#include "engine/UciInfo.h"

namespace {

constexpr int kSilenceMs = 30000;

} // namespace

bool AnalysePosition(CUciEngine& engine, const CEnginePosition& position,
                     const CAnalysisBudget& budget, const std::atomic<bool>* cancel,
                     CPositionAnalysis& result) {
    const auto keepGoing = [cancel] {
        return cancel == nullptr || !cancel->load(std::memory_order_relaxed);
    };
    const int answerMs = engine.Limits().answerMs;
    result = CPositionAnalysis{};
    const std::string command = position.Command();
    const CPosition searched = position.Final();
    engine.Go(command, budget.GoLimit());
    const int silence = budget.moveTimeMs > 0 ? budget.moveTimeMs + answerMs : kSilenceMs;
    std::uint32_t lastHeard = TickCount();
    std::uint32_t stopSentAt = 0;
    bool stopped = false;
    std::string text;
    for (;;) {
        if (!stopped && !keepGoing()) {
            engine.Stop();
            stopped = true;
            stopSentAt = TickCount();
        }
        const bool heard = engine.ReadLine(text, 20);
        if (stopped && static_cast<int>(TickCount() - stopSentAt) > answerMs) {
            throw CEngineException("CUciEngine::Go(): The engine " + engine.Path() +
                                   " did not end its search within " + engine.LimitText(answerMs) +
                                   " of stop and was stopped.");
        }
        if (!heard) {
            if (static_cast<int>(TickCount() - lastHeard) > silence) {
                throw CEngineException("CUciEngine::Go(): The engine " + engine.Path() +
                                       " said nothing for " + engine.LimitText(silence) +
                                       " during a search and was stopped.");
            }
            continue;
        }
        lastHeard = TickCount();
        CMove best;
        bool hasMove = false;
        if (ParseBestMove(text, searched, best, hasMove)) {
            if (hasMove && result.bestLine.empty()) {
                result.bestLine.push_back(best);
            }
            return !stopped;
        }
        CEngineLine line;
        if (ParseInfoLine(text, searched, line) == EInfoLine::Line && line.multiPv == 1) {
            result.score = line.score;
            result.depth = line.depth;
            result.nodes = line.nodes;
            result.engineTimeMs = line.timeMs;
            if (!line.pv.empty()) {
                result.bestLine = std::move(line.pv);
            }
        }
    }
}

std::string CAnalysisBudget::GoLimit() const {
    return moveTimeMs > 0 ? "movetime " + std::to_string(moveTimeMs)
                          : "nodes " + std::to_string(nodes);
}

std::vector<CPositionAnalysis> AnalysePositions(
    CUciEngine& engine, const CEnginePosition& game, const CAnalysisBudget& budget,
    const std::atomic<bool>* cancel,
    const std::function<void(std::size_t, std::size_t, const CPositionAnalysis&)>& progress) {
    std::vector<CPositionAnalysis> analysed;
    const std::size_t total = game.moves.size() + 1;
    analysed.reserve(total);
    CEnginePosition position{game.start, {}};
    position.moves.reserve(game.moves.size());
    for (std::size_t k = 0; k < total; ++k) {
        if (k > 0) {
            position.moves.push_back(game.moves[k - 1]);
        }
        CPositionAnalysis result;
        if (!AnalysePosition(engine, position, budget, cancel, result)) {
            break;
        }
        analysed.push_back(std::move(result));
        if (progress) {
            progress(k + 1, total, analysed.back());
        }
    }
    return analysed;
}

CGameAnalysisJob::CGameAnalysisJob(IChildProcessFactory& factory, const CEngineSettings& settings,
                                   const CAnalysisBudget& budget, CEnginePosition game,
                                   CCallbacks callbacks, CEngineLimits limits)
    : engine(factory, limits), callbacks(std::move(callbacks)),
      thread([this, settings, budget, game = std::move(game)]() mutable {
          Run(settings, budget, std::move(game));
      }) {
}

CGameAnalysisJob::~CGameAnalysisJob() {
    Cancel();
    thread.join();
}

void CGameAnalysisJob::Run(CEngineSettings settings, CAnalysisBudget budget, CEnginePosition game) {
    CGameAnalysisResult result;
    try {
        settings = settings.Clamped();
        settings.lines = 1;
        engine.Start(settings);
        engine.NewGame();
        result.positions = AnalysePositions(engine, game, budget, &cancelled, callbacks.progress);
    } catch (const CEngineException& e) {
        result.error = e.GetMessage();
    }
    engine.Quit();
    result.cancelled = cancelled.load(std::memory_order_relaxed);
    result.moves = JudgeMoves(game.start, game.moves, result.positions);
    result.sides = Summarise(result.moves);
    if (callbacks.finished) {
        callbacks.finished(result);
    }
}
