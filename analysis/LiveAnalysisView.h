#pragma once

#include "engine/LiveAnalysis.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class IEngineWindow;
class IShellPlatform;
class ISceneView;

// Live analysis as the window shows it: the engine follows the position on show; its lines
// reach the evaluation bar, the panel's lines and the board's arrow only while they are of the
// position on show (each shown position gets a new id, and events of any other are dropped).
// A failure of the engine is told once in the status line and switches analysis off.
// Interface thread only; the engine's events are posted to it.
class CLiveAnalysisView {
public:
    CLiveAnalysisView(IShellPlatform& platform, ISceneView& scene);
    ~CLiveAnalysisView();
    CLiveAnalysisView(const CLiveAnalysisView&) = delete;
    CLiveAnalysisView& operator=(const CLiveAnalysisView&) = delete;

    // Analysis on (the engine starts for the position on show) or off (it quits, the bar, lines
    // and arrow go).
    void SetOn(bool on);
    bool IsOn() const { return on; }
    // The position on show: a game starting from `startFen` (empty: the usual start) and the
    // moves played from it. Shown lines go at once; a new search starts when analysis is on.
    void Show(const std::string& startFen, std::vector<CMove> moves);
    // The settings in the user's settings, and the Engine dialog that changes them.
    CEngineSettings Settings() const { return settings; }
    void ChooseSettings();
    void SetFigurines(bool on);
    // The moves from the game's start to the position after the move of `link` in the lines
    // shown; nullopt for a link that names none.
    std::optional<std::vector<CMove>> MovesToLink(int link) const;

    // Called when analysis switches itself off (the engine failed).
    std::function<void()> onSwitchedOff;

private:
    void OnEvent(const CEngineEvent& event);
    void ShowLines(const std::vector<CEngineLine>& lines);
    void ClearShown();
    // The engine's position of what was told last, and the position it reaches.
    void Prepare();

    IShellPlatform& platform;
    IEngineWindow& window;
    ISceneView& scene;
    CEngineSettings settings;
    bool on = false;
    bool figurines = false;
    std::uint64_t shownId = 0;
    // The position on show as told, and as the engine gets it while analysis is on (null when
    // it cannot be analysed), with the position it reaches.
    bool told = false;
    std::string shownFen;
    std::vector<CMove> shownMoves;
    std::optional<CEnginePosition> shown;
    CPosition shownFinal;
    std::vector<CEngineLine> lines; // of shownId
    // Tasks posted by the engine's thread check it, so that none reaches a view that has gone.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
    std::unique_ptr<CLiveAnalysis> analysis; // last: its thread posts into what is above
};
