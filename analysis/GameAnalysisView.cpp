#include "analysis/GameAnalysisView.h"

#include "common/GeneralException.h"
#include "messages/FailureMessages.h"
#include "pgn/AnnotatedGame.h"
#include "pgn/FenParser.h"
#include "platform/ShellPlatform.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

namespace {

constexpr double kGraphRange = 8.0;

double GraphPawns(const CEngineScore& score) {
    if (score.kind == CEngineScore::EKind::Mate) {
        return score.whiteMates ? kGraphRange : -kGraphRange;
    }
    return std::clamp(score.value / 100.0, -kGraphRange, kGraphRange);
}

std::vector<CMove> GameMoves(const CChessGameData& game) {
    std::vector<CMove> moves;
    moves.reserve(static_cast<std::size_t>(game.MovesCount()));
    for (int i = 0; i < game.MovesCount(); ++i) {
        moves.push_back(game.GetMove(i));
    }
    return moves;
}

} // namespace

CGameAnalysisView::CGameAnalysisView(IShellPlatform& platform)
    : platform(platform), window(platform.EngineWindow()) {
}

CGameAnalysisView::~CGameAnalysisView() {
    job.reset(); // cancels and waits for the run's thread, which posts into this object
}

void CGameAnalysisView::SetGame(std::shared_ptr<const CChessGameData> shownGame,
                                const CAnnotatedGame* shownTree) {
    const bool changed = shownGame != game || shownTree != tree;
    game = std::move(shownGame);
    tree = shownTree;
    if (changed) {
        ShowGraph();
    }
}

void CGameAnalysisView::SetCurrentPly(int ply) {
    if (ply != currentPly) {
        currentPly = ply;
        window.SetEvalGraphCurrent(ply);
    }
}

void CGameAnalysisView::Start(const CEngineSettings& settings) {
    if (game == nullptr || !window.ChooseGameAnalysis(budget)) {
        return;
    }
    job.reset();
    CEnginePosition positions;
    try {
        positions = CEnginePosition{StartPosition(game->GetStart()), GameMoves(*game)};
    } catch (const CGeneralException& e) {
        window.ShowStatus(e.GetMessage());
        return;
    }
    const std::uint64_t run = ++runs;
    jobGame = game;
    partial.clear();
    window.ShowAnalysisProgress(true);
    std::weak_ptr<bool> token = alive;
    const auto post = [this, token](std::function<void()> task) {
        platform.PostToInterfaceThread([token, task = std::move(task)] {
            if (token.lock()) {
                task();
            }
        });
    };
    CGameAnalysisJob::CCallbacks callbacks;
    callbacks.progress = [this, run, post](std::size_t done, std::size_t total,
                                           const CPositionAnalysis& position) {
        post([this, run, done, total, position] {
            if (run != runs) {
                return;
            }
            partial.push_back(position);
            window.SetAnalysisProgress(
                static_cast<int>(done * 100 / std::max<std::size_t>(1, total)));
            if (jobGame == game) {
                ShowGraph();
            }
        });
    };
    callbacks.finished = [this, run, post](const CGameAnalysisResult& outcome) {
        post([this, run, outcome] { Finish(run, outcome); });
    };
    const CAnalysisBudget engineBudget{budget.nodes, budget.moveTimeMs};
    job = std::make_unique<CGameAnalysisJob>(window.ChildProcesses(), settings, engineBudget,
                                             std::move(positions), std::move(callbacks));
}

void CGameAnalysisView::Cancel() {
    if (job) {
        job->Cancel();
    }
}

void CGameAnalysisView::Finish(std::uint64_t run, const CGameAnalysisResult& outcome) {
    if (run != runs) {
        return;
    }
    job.reset();
    window.ShowAnalysisProgress(false);
    if (!outcome.error.empty()) {
        window.ShowStatus(outcome.error);
    } else if (outcome.cancelled) {
        window.ShowStatus("The game's analysis was cancelled.");
    } else {
        window.ShowStatus("The game is analysed.");
    }
    partial.clear();
    if (!outcome.positions.empty()) {
        result = outcome;
        resultGame = jobGame;
    }
    jobGame.reset();
    ShowGraph();
    if (onMarksChanged) {
        onMarksChanged();
    }
}

const CGameAnalysisResult* CGameAnalysisView::Result() const {
    return game != nullptr && resultGame == game ? &result : nullptr;
}

void CGameAnalysisView::ShowGraph() {
    CEvalGraph graph;
    if (game != nullptr) {
        graph.points.resize(static_cast<std::size_t>(game->MovesCount()) + 1);
    }
    const CGameAnalysisResult* analysed = Result();
    const std::vector<CPositionAnalysis>* positions = analysed != nullptr ? &analysed->positions
                                                      : (jobGame != nullptr && jobGame == game)
                                                          ? &partial
                                                          : nullptr;
    if (positions != nullptr && !positions->empty()) {
        for (std::size_t i = 0; i < positions->size() && i < graph.points.size(); ++i) {
            graph.points[i] = {true, GraphPawns((*positions)[i].score), 0};
        }
    } else if (tree != nullptr) {
        for (const int move : tree->MainLine().moves) {
            const CAnnotatedMove& annotated = tree->Move(move);
            CEngineScore score;
            const auto ply = static_cast<std::size_t>(annotated.ply);
            if (ply < graph.points.size() && ParseEvalText(annotated.eval, score)) {
                graph.points[ply] = {true, GraphPawns(score), 0};
            }
        }
    }
    if (analysed != nullptr) {
        for (std::size_t move = 0; move < analysed->moves.size(); ++move) {
            if (move + 1 < graph.points.size()) {
                graph.points[move + 1].mark = static_cast<int>(analysed->moves[move].mark);
            }
        }
        graph.summary = SummaryText(White, analysed->sides[White]) + "\n" +
                        SummaryText(Black, analysed->sides[Black]);
    }
    if (std::none_of(graph.points.begin(), graph.points.end(),
                     [](const CEvalGraph::CPoint& point) { return point.known; })) {
        graph.points.clear();
    }
    window.SetEvalGraph(graph);
    window.SetEvalGraphCurrent(currentPly);
}

std::vector<std::string> CGameAnalysisView::MarkTexts() const {
    std::vector<std::string> marks;
    if (const CGameAnalysisResult* analysed = Result()) {
        for (const CMoveJudgement& judgement : analysed->moves) {
            marks.emplace_back(MarkText(judgement.mark));
        }
    }
    return marks;
}

std::vector<CMoveNote> CGameAnalysisView::Notes() const {
    std::vector<CMoveNote> notes;
    const CGameAnalysisResult* analysed = Result();
    if (analysed == nullptr) {
        return notes;
    }
    notes.resize(static_cast<std::size_t>(game->MovesCount()));
    for (std::size_t move = 0; move < notes.size(); ++move) {
        if (move + 1 < analysed->positions.size()) {
            notes[move].eval = analysed->positions[move + 1].score.Text(true);
        }
        if (move < analysed->moves.size() && analysed->moves[move].mark != EMoveMark::None) {
            notes[move].glyph = MarkGlyph(analysed->moves[move].mark);
            notes[move].bestLine = analysed->positions[move].bestLine;
        }
    }
    return notes;
}

std::vector<std::optional<SPositionAnalysis>> CGameAnalysisView::PositionsForVideo() const {
    std::vector<std::optional<SPositionAnalysis>> positions;
    if (const CGameAnalysisResult* analysed = Result()) {
        for (const CPositionAnalysis& position : analysed->positions) {
            SPositionAnalysis shown{WinChance(position.score), std::nullopt};
            if (!position.bestLine.empty()) {
                shown.bestMove = position.bestLine.front();
            }
            positions.push_back(shown);
        }
    }
    return positions;
}

bool CGameAnalysisView::Save(const std::string& path, std::string& error) const {
    if (game == nullptr) {
        error = "CGameAnalysisView::Save(): No game is on show.";
        return false;
    }
    const std::vector<CMoveNote> notes = Notes();
    const std::string text = WritePgnGame(*game, tree, notes.empty() ? nullptr : &notes);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    if (!file) {
        error = "CGameAnalysisView::Save(): Cannot write '" + path + "': " + std::strerror(errno);
        return false;
    }
    return true;
}

void CGameAnalysisView::SaveAs() {
    std::string path;
    std::string error;
    if (game != nullptr && platform.ChooseSaveFile({"PGN files (*.pgn)"}, "analysed.pgn", path) &&
        !Save(path, error)) {
        const CPlainMessage message = AnalysisSaveFailureText(path, error);
        platform.ShowDetailedMessageBox(EMessageBoxKind::Error,
                                        std::string(strings::kSaveWithAnalysis), message.text,
                                        message.details);
    }
}
