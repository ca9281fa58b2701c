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
    const CMenuItemDescription recent =
        CMenuItemDescription::Submenu(ids::kOpenRecent, "Open &Recent", {});
    // Room is left for more file commands between "Export video..." and "Quit".
    menus.push_back({"&File",
                     {{ids::kLoadPgnFile, "&Open...\tCtrl+O", 0, false},
                      recent,
                      {ids::kCloseAllGames, "Close all games", 0, false},
                      {},
                      {ids::kSavePicture, "Save picture...\tCtrl+S", 0, false},
                      {ids::kExportVideo, "Export video...\tCtrl+E", 0, false},
                      {ids::kSaveAnalysedGame, "Save game with analysis...", 0, false},
                      {},
                      {ids::kQuit, "&Quit\tCtrl+Q", 0, false}},
                     0});
    menus.push_back({"&Edit",
                     {{ids::kCopyFen, "Copy position (FEN)\tCtrl+C", 0, false},
                      {ids::kCopyPgn, "Copy game (PGN)\tCtrl+Shift+C", 0, false},
                      {ids::kPaste, "Paste games or position\tCtrl+V", 0, false}},
                     0});
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

    CMenuItemDescription animation = CMenuItemDescription::Submenu(0, "Animation duration", {});
    for (std::size_t i = 0; i < kAnimationLabels.size(); ++i) {
        animation.items.push_back({ids::kFirstAnimationDuration + static_cast<int>(i),
                                   kAnimationLabels[i], kAnimationGroup, false});
    }
    CMenuItemDescription pause = CMenuItemDescription::Submenu(0, "Pause duration", {});
    for (std::size_t i = 0; i < kPauseLabels.size(); ++i) {
        pause.items.push_back(
            {ids::kFirstPauseDuration + static_cast<int>(i), kPauseLabels[i], kPauseGroup, false});
    }
    menus.push_back({"Options",
                     {animation, pause, {ids::kDisplayFps, "Display fps", 0, true},
                      {ids::kEngineSettings, "Engine...", 0, false}},
                     0});
    menus.push_back({"&Help",
                     {{ids::kKeyboardShortcuts, "Keyboard shortcuts\tF1", 0, false},
                      {ids::kAbout, "About Tavrin", 0, false}},
                     0});
    return menus;
}

// A command of the menus, and the title of the menu or submenu that holds it.
struct CMenuCommand {
    const CMenuItemDescription* item;
    std::string menuTitle;
};

inline void AppendCommands(const std::vector<CMenuItemDescription>& items, const std::string& title,
                           std::vector<CMenuCommand>& commands) {
    for (const CMenuItemDescription& item : items) {
        if (item.submenu) {
            AppendCommands(item.items, item.text, commands);
        } else if (item.id != 0) {
            commands.push_back({&item, title});
        }
    }
}

// Every item of `menus` that is a command, submenus' included, in menu order; the pointers are
// into `menus`.
inline std::vector<CMenuCommand> Commands(const std::vector<CMenuDescription>& menus) {
    std::vector<CMenuCommand> commands;
    for (const CMenuDescription& menu : menus) {
        AppendCommands(menu.items, menu.title, commands);
    }
    return commands;
}

// The text of "Help > Keyboard shortcuts": every key of the menus as "Ctrl+O\tOpen..." lines,
// then the mouse's and Esc.
inline std::string ShortcutsText(const std::vector<CMenuDescription>& menus) {
    std::string text;
    for (const CMenuCommand& command : Commands(menus)) {
        const std::string& full = command.item->text;
        const std::size_t tab = full.find('\t');
        if (tab != std::string::npos) {
            std::string name = full.substr(0, tab);
            std::erase(name, '&');
            text += full.substr(tab + 1) + "\t" + name + "\n";
        }
    }
    text += "Esc\tDefault view; in the games table, clear the search\n"
            "Mouse wheel\tZoom in and out\n"
            "Left button drag\tTurn the camera\n"
            "Right button drag\tShift the camera\n"
            "Drop PGN files\tOpen them";
    return text;
}

} // namespace mainmenu
