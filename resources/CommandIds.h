#pragma once

// Ids of the menu commands and of the controls of the strip.
namespace ids {

inline constexpr int kAbout = 40000;
inline constexpr int kLoadPgnFile = 40001;
inline constexpr int kFirstAnimationDuration = 40002; // 40002 .. 40012
inline constexpr int kLastAnimationDuration = 40012;
inline constexpr int kFirstPauseDuration = 40014; // 40014 .. 40024
inline constexpr int kLastPauseDuration = 40024;
inline constexpr int kDisplayFps = 40025;
inline constexpr int kSavePicture = 40026;
inline constexpr int kNextMove = 40027;
inline constexpr int kPreviousMove = 40028;
inline constexpr int kFirstPosition = 40029;
inline constexpr int kLastPosition = 40030;
inline constexpr int kPlayPause = 40031;
inline constexpr int kPreviousGame = 40032;
inline constexpr int kNextGame = 40033;
inline constexpr int kCloseAllGames = 40034;
inline constexpr int kSmoothEdges = 40040;
inline constexpr int kNotationPanel = 40041;
inline constexpr int kFigurines = 40042;
inline constexpr int kFlipBoard = 40043;
inline constexpr int kLastMoveTint = 40044;
inline constexpr int kCheckTint = 40045;
inline constexpr int kCoordinates = 40046;
// The games table: shown or hidden, and the keyboard focus on it.
inline constexpr int kGamesTable = 40047;
inline constexpr int kFocusGamesTable = 40048;
// The camera's viewpoints, in the order of EViewpoint: default, high, player's.
inline constexpr int kDefaultView = 40049;
inline constexpr int kHighView = 40050;
inline constexpr int kPlayerView = 40051;
// "Export video..." and the Cancel of its progress.
inline constexpr int kExportVideo = 40060;
inline constexpr int kCancelExport = 40061;
// The engine: live analysis, its dialog, a game's analysis, its Cancel, the save with it.
inline constexpr int kEngineAnalysis = 40070;
inline constexpr int kEngineSettings = 40071;
inline constexpr int kAnalyseGame = 40072;
inline constexpr int kCancelGameAnalysis = 40073;
inline constexpr int kSaveAnalysedGame = 40074;
// The opening explorer: the dock shown or hidden, "Only games found" toggled, and the games
// table filtered to the games reaching the position on show (or shown whole again).
inline constexpr int kOpeningExplorer = 40080;
inline constexpr int kExplorerOnlyFound = 40081;
inline constexpr int kGamesWithPosition = 40082;
// "File > Open Recent" (a submenu) and its ten files, "Quit", "Help > Keyboard shortcuts".
inline constexpr int kOpenRecent = 40100;
inline constexpr int kFirstRecentFile = 40101; // 40101 .. 40110
inline constexpr int kLastRecentFile = 40110;
inline constexpr int kQuit = 40111;
inline constexpr int kKeyboardShortcuts = 40112;
// The status line's "Show": the first game the last load added.
inline constexpr int kShowAddedGames = 40113;
// The clipboard: the position on show as FEN, the game on show as PGN, and pasted games.
inline constexpr int kCopyFen = 40114;
inline constexpr int kCopyPgn = 40115;
inline constexpr int kPaste = 40116;

inline constexpr int kStopButton = 1000;
inline constexpr int kPlayPauseButton = 1001;
inline constexpr int kGameList = 1002;
inline constexpr int kCancelLoad = 1003;

// Notification codes of the game list.
inline constexpr int kSelectionChanged = 1;
inline constexpr int kSelectionEndedOk = 9;
inline constexpr int kSelectionEndedCancel = 10;

} // namespace ids

// Glyphs of the two buttons: stop, play and pause.
namespace glyphs {
inline constexpr const char* kStop = "<";
inline constexpr const char* kPlay = "4";
inline constexpr const char* kPause = ";";
} // namespace glyphs
