#pragma once

#include "resources/AppInfo.h"

#include <string_view>

// The program's texts, by their table number.
namespace strings {

inline constexpr std::string_view kTitle = "Tavrin"; // 10000
inline constexpr std::string_view kFileFilter =
    "PGN Files (*.pgn *.pgn.zst *.pgn.gz *.pgn.bz2 *.zip)";          // 10001, first pair
inline constexpr std::string_view kAllFilesFilter = "All files (*)"; // 10001, second pair
inline constexpr std::string_view kAboutText =                       // 10002
    "Tavrin\nVersion: " TAVRIN_VERSION
    "\n\nTavrin is a viewer for chess games. It reads games from files in Portable Game "
    "Notation (PGN) and plays them move by move with animated 3D pieces on a wooden board, "
    "beside the game's notation and its annotations.\n\nCamera controls:\n"
    "   [mouse wheel] - zoom in/zoom out\n   [dragging with left mouse button] - rotating\n"
    "   [dragging with right mouse button] - moving\n   [Esc] - restore default view";
inline constexpr std::string_view kAbout = "About";                     // 10003
inline constexpr std::string_view kError = "Error";                     // 10004
inline constexpr std::string_view kPgnNotValid = "PGN file not valid!"; // 10005
inline constexpr std::string_view kLoadingModels = "Loading models";    // 10006
inline constexpr std::string_view kCreatingVbo = "Creating VBO...";     // 10007
inline constexpr std::string_view kGameOver = "Game over";              // 10009
inline constexpr std::string_view kWhiteWon = "white won";              // 10010
inline constexpr std::string_view kBlackWon = "black won";              // 10011
inline constexpr std::string_view kDraw = "draw";                       // 10012

// Caption of the box that lists the games a load left out.
inline constexpr std::string_view kWarning = "Warning";

// A file loaded again while its games are listed.
inline constexpr std::string_view kAlreadyListed = " is already in the list.\nLoad it again?";

// "Save picture...".
inline constexpr std::string_view kPngFilter = "PNG images (*.png)";
inline constexpr std::string_view kPictureNotTaken =
    "The picture could not be taken: the 3D view is not ready.";
inline constexpr std::string_view kPictureNotSaved = "The picture could not be saved.";

// "Export video...".
inline constexpr std::string_view kExportVideo = "Export video";
inline constexpr std::string_view kNoGameToExport = "Choose a game to export first.";
inline constexpr std::string_view kViewNotReady =
    "The video cannot be made yet: the 3D view is not ready.";
inline constexpr std::string_view kExportRunning =
    "A video is being made. Wait for it, or cancel it, before you start another.";
inline constexpr std::string_view kVideoNotMade = "The video could not be made.";
inline constexpr std::string_view kVideoSaved = "The video was saved to ";

// Pasting games or a position, and the hint of an empty notation panel.
inline constexpr std::string_view kNothingToPaste =
    "The clipboard holds no text: copy PGN games or a FEN position first.";
inline constexpr std::string_view kPasteNotRead =
    "The pasted text is neither PGN games nor a FEN position: ";
inline constexpr std::string_view kEmptyPanelHint = "Open a PGN file (Ctrl+O) or drop one here";
inline constexpr std::string_view kKeyboardShortcuts = "Keyboard shortcuts";

// A position of an annotated game's variation that the game's board cannot reach.
inline constexpr std::string_view kPositionNotShown = "The position could not be shown.";

// The whole of a comment the notation panel shows cut.
inline constexpr std::string_view kWholeComment = "Whole comment";
inline constexpr std::string_view kReadingComment = "Reading the whole comment\u2026";
inline constexpr std::string_view kCommentNotShown = "The whole comment could not be shown.";

// "Save game with analysis".
inline constexpr std::string_view kSaveWithAnalysis = "Save game with analysis";
inline constexpr std::string_view kAnalysisNotSaved =
    "The game with its analysis could not be saved.";

} // namespace strings
