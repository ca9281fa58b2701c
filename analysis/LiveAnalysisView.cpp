#include "analysis/LiveAnalysisView.h"

#include "analysis/EngineLinesText.h"
#include "common/GeneralException.h"
#include "engine/EngineScore.h"
#include "pgn/FenParser.h"
#include "platform/ShellPlatform.h"
#include "scene/SceneView.h"

#include <cstdlib>

namespace {

// The squares of `move` on `position` as the board shows them: castling (the king onto its
// rook) ends on the king's square, two files over.
CBoardArrow ArrowOf(const CPosition& position, const CMove& move) {
    const CDestination to = move.Destination();
    CBoardArrow arrow{move.sourceFile, move.sourceRank, to.file, to.rank};
    const CField from = position.board.GetField(move.sourceFile, move.sourceRank);
    const CField target = position.board.GetField(to.file, to.rank);
    if (!from.IsEmpty() && from.Piece().type == King && !target.IsEmpty() &&
        target.Piece().type == Rook && target.Piece().color == from.Piece().color) {
        arrow.toFile = to.file > move.sourceFile ? 6 : 2;
    }
    return arrow;
}

} // namespace

CLiveAnalysisView::CLiveAnalysisView(IShellPlatform& platform, ISceneView& scene)
    : platform(platform), window(platform.EngineWindow()), scene(scene),
      settings(ReadEngineSettings([&platform](const std::string& key, const std::string& value) {
          return platform.ReadSetting(key, value);
      })) {
}

CLiveAnalysisView::~CLiveAnalysisView() {
    analysis.reset(); // ends the engine's thread before the members it posts to go
}

void CLiveAnalysisView::SetOn(bool switchOn) {
    on = switchOn;
    window.ShowEvalBar(on);
    window.ShowEngineLines(on);
    ClearShown();
    if (!on) {
        if (analysis) {
            analysis->SwitchOff();
        }
        return;
    }
    if (!analysis) {
        std::weak_ptr<bool> token = alive;
        analysis = std::make_unique<CLiveAnalysis>(
            window.ChildProcesses(), [this, token](const CEngineEvent& event) {
                platform.PostToInterfaceThread([this, token, event] {
                    if (token.lock()) {
                        OnEvent(event);
                    }
                });
            });
    }
    analysis->SetSettings(settings);
    analysis->SwitchOn();
    Prepare();
    if (shown) {
        analysis->Analyse(++shownId, *shown);
    }
}

void CLiveAnalysisView::Show(const std::string& startFen, std::vector<CMove> moves) {
    if (told && startFen == shownFen && moves == shownMoves) {
        return; // the same position told again (its game's annotations arrived)
    }
    told = true;
    shownFen = startFen;
    shownMoves = std::move(moves);
    ++shownId;
    if (on) {
        ClearShown();
        Prepare();
        if (shown) {
            analysis->Analyse(shownId, *shown);
        }
    }
}

// Only while analysis is on: a step with analysis off plays nothing through.
void CLiveAnalysisView::Prepare() {
    try {
        shown = CEnginePosition{StartPosition(shownFen), shownMoves};
        shownFinal = shown->Final();
    } catch (const CGeneralException&) {
        shown.reset(); // a start the reader refused, a move that cannot be played
    }
}

void CLiveAnalysisView::ChooseSettings() {
    CEngineChoice choice{settings.path, settings.threads, settings.hashMb, settings.lines};
    if (!window.ChooseEngineSettings(choice)) {
        return;
    }
    const CEngineSettings chosen =
        CEngineSettings{choice.path, choice.threads, choice.hashMb, choice.lines}.Clamped();
    if (chosen == settings) {
        return;
    }
    settings = chosen;
    WriteEngineSettings(settings, [this](const std::string& key, const std::string& value) {
        platform.WriteSetting(key, value);
    });
    if (analysis) {
        analysis->SetSettings(settings);
    }
}

void CLiveAnalysisView::SetFigurines(bool figurinesOn) {
    figurines = figurinesOn;
    if (!lines.empty()) {
        ShowLines(lines);
    }
}

std::optional<std::vector<CMove>> CLiveAnalysisView::MovesToLink(int link) const {
    const auto line = static_cast<std::size_t>(link / kLineLinkStride);
    const auto move = static_cast<std::size_t>(link % kLineLinkStride);
    if (link < 0 || !shown || line >= lines.size() || move >= lines[line].pv.size()) {
        return std::nullopt;
    }
    std::vector<CMove> moves = shown->moves;
    moves.insert(moves.end(), lines[line].pv.begin(),
                 lines[line].pv.begin() + static_cast<std::ptrdiff_t>(move) + 1);
    return moves;
}

void CLiveAnalysisView::OnEvent(const CEngineEvent& event) {
    switch (event.kind) {
    case CEngineEvent::EKind::Started:
        window.ShowStatus("Engine: " + event.text);
        break;
    case CEngineEvent::EKind::Lines:
        if (on && event.positionId == shownId && shown) {
            ShowLines(event.lines);
        }
        break;
    case CEngineEvent::EKind::Warning:
        window.ShowStatus(event.text);
        break;
    case CEngineEvent::EKind::Error:
        window.ShowStatus(event.text);
        if (on) {
            SetOn(false);
            if (onSwitchedOff) {
                onSwitchedOff();
            }
        }
        break;
    }
}

void CLiveAnalysisView::ShowLines(const std::vector<CEngineLine>& newLines) {
    lines = newLines;
    const CPosition& position = shownFinal;
    window.SetEngineLines(EngineLinesText(position, lines, figurines));
    if (lines.empty()) {
        return;
    }
    const CEngineScore& score = lines.front().score;
    window.SetEvalBar((WinChance(score) + 1.0) / 2.0, score.Text());
    if (lines.front().pv.empty()) {
        scene.SetBestMoveArrow(std::nullopt);
    } else {
        scene.SetBestMoveArrow(ArrowOf(position, lines.front().pv.front()));
    }
}

void CLiveAnalysisView::ClearShown() {
    lines.clear();
    window.SetEngineLines({});
    window.SetEvalBar(0.5, "");
    scene.SetBestMoveArrow(std::nullopt);
}
