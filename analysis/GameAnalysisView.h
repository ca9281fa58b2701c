#pragma once

#include "engine/GameAnalysis.h"
#include "export/VideoOverlays.h"
#include "pgn/PgnWriter.h"
#include "platform/EngineWindow.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CAnnotatedGame;
class CChessGameData;
class IShellPlatform;

// The whole-game analysis of the game on show and its evaluation graph: the graph is drawn from
// the file's [%eval] values at once and from the engine's scores once a run ("Analyse game")
// has them; the run works on a thread of its own with progress and Cancel, and its marks,
// summary, notes for saving and the positions' analysis for a video belong to the game it
// was made for. Interface thread only.
class CGameAnalysisView {
public:
    explicit CGameAnalysisView(IShellPlatform& platform);
    ~CGameAnalysisView();
    CGameAnalysisView(const CGameAnalysisView&) = delete;
    CGameAnalysisView& operator=(const CGameAnalysisView&) = delete;

    // The game on show (null: none) and its annotated tree once read (null before or without).
    void SetGame(std::shared_ptr<const CChessGameData> game, const CAnnotatedGame* tree);
    // The ply on show on the main line; -1 off it.
    void SetCurrentPly(int ply);
    // Asks for a budget and analyses the game on show with `settings`; a run under way is
    // cancelled first.
    void Start(const CEngineSettings& settings);
    void Cancel();
    bool Running() const { return job != nullptr; }

    // For the game on show once analysed (else empty): the marks' signs by move (index i for
    // the (i+1)-th move; "" for none), the notes a save writes, the positions as a video shows
    // them.
    std::vector<std::string> MarkTexts() const;
    std::vector<CMoveNote> Notes() const;
    std::vector<std::optional<SPositionAnalysis>> PositionsForVideo() const;
    // Writes the game on show as PGN to `path`: its tags, moves, the file's comments and
    // variations (when its tree is read), and once analysed the evals, marks and best lines at
    // marks. False with the reason in `error`.
    bool Save(const std::string& path, std::string& error) const;
    // "Save game with analysis...": asks for a file, then saves; a failure is told in a box.
    void SaveAs();
    // Tells when the marks of the game on show have changed (a run has ended).
    std::function<void()> onMarksChanged;

private:
    // The result of a run of the game on show, if any.
    const CGameAnalysisResult* Result() const;
    void ShowGraph();
    void Finish(std::uint64_t run, const CGameAnalysisResult& result);

    IShellPlatform& platform;
    IEngineWindow& window;
    std::shared_ptr<const CChessGameData> game;
    const CAnnotatedGame* tree = nullptr;
    CGameAnalysisChoice budget;
    int currentPly = -1;

    // The last run that ended and the game it was made for.
    std::shared_ptr<const CChessGameData> resultGame;
    CGameAnalysisResult result;
    // The run under way, its game, its positions so far, and a count of runs so that a late
    // event of one cancelled is not taken for another's.
    std::unique_ptr<CGameAnalysisJob> job;
    std::shared_ptr<const CChessGameData> jobGame;
    std::vector<CPositionAnalysis> partial;
    std::uint64_t runs = 0;
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};
