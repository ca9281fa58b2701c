#pragma once

#include "platform/ShellPlatform.h"
#include "resources/CommandIds.h"

#include <array>
#include <string>
#include <vector>

// The menu bar of the main window, and the durations its radio groups choose.
namespace mainmenu {

inline constexpr std::array<unsigned, 11> kAnimationDurations = {100,  200,  400,  600,  800, 1000,
                                                                 1250, 1500, 2000, 3000, 5000};
inline constexpr std::array<const char*, 11> kAnimationLabels = {
    "100 ms",   "200 ms",   "400 ms", "600 ms", "800 ms", "1 000 ms",
    "1 250 ms", "1 500 ms", "2 s",    "3 s",    "5 s"};
inline constexpr std::array<unsigned, 11> kPauseDurations = {0,    250,  500,   1000,  2000, 3000,
                                                             5000, 7000, 10000, 15000, 30000};
inline constexpr std::array<const char*, 11> kPauseLabels = {
    "0 ms", "250 ms", "500 ms", "1 s", "2 s", "3 s", "5 s", "7 s", "10 s", "15 s", "30 s"};

inline constexpr int kAnimationGroup = 1;
inline constexpr int kPauseGroup = 2;
inline constexpr int kViewpointGroup = 3;

inline std::vector<CMenuDescription> Build() {
    std::vector<CMenuDescription> menus;
    menus.push_back({"&File",
                     {{ids::kLoadPgnFile, "Load PGN file...\tCtrl+O", 0, false},
                      {ids::kCloseAllGames, "Close all games", 0, false},
                      {ids::kSavePicture, "Save picture...\tCtrl+S", 0, false},
                      {ids::kExportVideo, "Export video...\tCtrl+E", 0, false},
                      {ids::kSaveAnalysedGame, "Save game with analysis...", 0, false}},
                     0});

    CMenuDescription animation{"Animation duration", {}, 0};
    for (std::size_t i = 0; i < kAnimationLabels.size(); ++i) {
        animation.items.push_back({ids::kFirstAnimationDuration + static_cast<int>(i),
                                   kAnimationLabels[i], kAnimationGroup, false});
    }
    menus.push_back(animation);

    CMenuDescription pause{"Pause duration", {}, 0};
    for (std::size_t i = 0; i < kPauseLabels.size(); ++i) {
        pause.items.push_back(
            {ids::kFirstPauseDuration + static_cast<int>(i), kPauseLabels[i], kPauseGroup, false});
    }
    menus.push_back(pause);

    menus.push_back({"Game",
                     {{ids::kNextMove, "Next move\tRight", 0, false},
                      {ids::kPreviousMove, "Previous move\tLeft", 0, false},
                      {ids::kFirstPosition, "First position\tHome", 0, false},
                      {ids::kLastPosition, "Last position\tEnd", 0, false},
                      {ids::kPlayPause, "Play/Pause\tSpace", 0, false},
                      {ids::kPreviousGame, "Previous game\tPgUp", 0, false},
                      {ids::kNextGame, "Next game\tPgDown", 0, false},
                      {ids::kAnalyseGame, "Analyse game\tCtrl+Shift+A", 0, false}},
                     0});
    menus.push_back({"View",
                     {{ids::kNotationPanel, "Notation panel\tCtrl+N", 0, true},
                      {ids::kFigurines, "Figurines", 0, true},
                      {ids::kDefaultView, "Default view\t1", kViewpointGroup, false},
                      {ids::kHighView, "High view\t2", kViewpointGroup, false},
                      {ids::kPlayerView, "Player's view\t3", kViewpointGroup, false},
                      {ids::kFlipBoard, "Flip board\tF", 0, true},
                      {ids::kLastMoveTint, "Last move", 0, true},
                      {ids::kCheckTint, "Check", 0, true},
                      {ids::kCoordinates, "Coordinates", 0, true},
                      {ids::kSmoothEdges, "Smooth edges", 0, true},
                      {ids::kGamesTable, "Games table", 0, true},
                      {ids::kEngineAnalysis, "Engine analysis\tA", 0, true},
                      {ids::kFocusGamesTable, "Find a game\tCtrl+G", 0, false},
                      {ids::kOpeningExplorer, "Opening explorer", 0, true}},
                     0});
    menus.push_back({"Options",
                     {{ids::kDisplayFps, "Display fps", 0, true},
                      {ids::kEngineSettings, "Engine...", 0, false}},
                     0});
    menus.push_back({"&About...", {}, ids::kAbout});
    return menus;
}

} // namespace mainmenu
