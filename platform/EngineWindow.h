#pragma once

#include "platform/NotationText.h"

#include <cstdint>
#include <string>
#include <vector>

class IChildProcessFactory;

// The engine's settings as the Engine dialog edits them.
struct CEngineChoice {
    std::string path;
    int threads = 1;
    int hashMb = 64;
    int lines = 1;
};

// The budget of a whole-game analysis as its dialog chooses it: nodes per position, or a time
// per move when `moveTimeMs` is not 0.
struct CGameAnalysisChoice {
    std::int64_t nodes = 1000000;
    int moveTimeMs = 0;
};

// The evaluation graph: one point per position of the main line (its start first), in pawns
// from White's side, clipped to the graph's range; mates stand at its edge.
struct CEvalGraph {
    struct CPoint {
        bool known = false; // analysed, or given by the file
        double pawns = 0.0;
        int mark = 0; // of the move that led here: 0 none, 1 ?!, 2 ?, 3 ??
    };
    std::vector<CPoint> points;
    std::string summary; // a line per side; empty: none

    bool operator==(const CEvalGraph&) const = default;
};

// What the window shows of a chess engine: the evaluation bar beside the 3D view, the engine's
// lines and the evaluation graph under the notation, the dialogs of the engine and of a game's
// analysis, the analysis's progress with its Cancel (the command ids::kCancelGameAnalysis), a
// status line, and the child processes an engine runs in. Interface thread only; texts UTF-8.
class IEngineWindow {
public:
    virtual ~IEngineWindow() = default;

    virtual IChildProcessFactory& ChildProcesses() = 0;

    // The bar: `whiteShare` (0 to 1) of it is White's, `text` reads "+0.45" or "#-3"; an empty
    // text shows an even bar without a number.
    virtual void ShowEvalBar(bool shown) = 0;
    virtual void SetEvalBar(double whiteShare, const std::string& text) = 0;
    // The engine's lines; a click on a move run reports its link through
    // IShellEvents::OnEngineLineLink. Hidden while `shown` is false.
    virtual void ShowEngineLines(bool shown) = 0;
    virtual void SetEngineLines(const CNotationText& text) = 0;
    // The graph (hidden while it has no points); a click reports the ply through
    // IShellEvents::OnEvalGraphClicked. `current` marks the ply on show, -1 none.
    virtual void SetEvalGraph(const CEvalGraph& graph) = 0;
    virtual void SetEvalGraphCurrent(int ply) = 0;

    // Modal dialogs: true with the user's choice, false when cancelled.
    virtual bool ChooseEngineSettings(CEngineChoice& choice) = 0;
    virtual bool ChooseGameAnalysis(CGameAnalysisChoice& choice) = 0;
    virtual void ShowAnalysisProgress(bool shown) = 0;
    virtual void SetAnalysisProgress(int percent) = 0;
    // A message in the status line at the window's bottom, until the next one.
    virtual void ShowStatus(const std::string& text) = 0;
};
