#pragma once

#include <string>
#include <vector>

// Mouse buttons the shell distinguishes.
enum class EMouseButton { Left, Right };

// How the main window's size changed: within the frame, minimised, or maximised.
enum class EWindowSizeKind { Restored, Minimized, Maximized };

// Virtual key codes of the keys the shell handles.
namespace keys {
inline constexpr int kEscape = 27;
} // namespace keys

// What the window system reports to the shell. Every call arrives on the interface thread.
// Handlers that return bool say whether they took the event; an event that was not taken gets
// the window system's default handling.
class IShellEvents {
public:
    virtual ~IShellEvents() = default;

    // A menu item, shortcut, button or game-list notification. `code` is the notification code:
    // 0 for menus, shortcuts and button clicks, 1 when the user changed the game list's choice.
    virtual bool OnCommand(int id, int code) = 0;

    // The main window's client area changed size (the GL window below the strip follows it).
    virtual void OnSize(EWindowSizeKind kind) = 0;
    // The main window started moving or being resized by its frame. Reported once per drag.
    virtual void OnMoving() = 0;
    // The move or frame drag has ended (some time after its last step).
    virtual void OnExitSizeMove() = 0;
    // The user asked to close the main window. The window stays until the program ends.
    virtual void OnClose() = 0;

    // Relative mouse motion, in pixels, while the mouse is captured.
    virtual void OnRawMouseMotion(int dx, int dy) = 0;
    // Buttons and the wheel over the GL window. `delta` is in eighths of a degree: one notch of
    // a common wheel is 120.
    virtual bool OnButtonDown(EMouseButton button) = 0;
    virtual bool OnButtonUp(EMouseButton button) = 0;
    virtual bool OnMouseWheel(int delta) = 0;
    virtual bool OnKeyDown(int virtualKey) = 0;

    // Files dropped onto the window, in the file system's encoding, in the order given.
    virtual void OnFilesDropped(const std::vector<std::string>& paths) = 0;

    // A link of the notation panel was clicked.
    virtual void OnNotationLink(int link) = 0;
    // The user closed the notation panel by its own button.
    virtual void OnNotationPanelClosed() = 0;
    // --- The games table (see IShellPlatform). ---
    // A click on the header of `column`, a column of the table's content.
    virtual void OnGamesTableHeaderClicked(int column) = 0;
    // The user changed the search text: typed, erased, or cleared it with Esc.
    virtual void OnGamesTableSearchChanged(const std::string& text) = 0;
    // The user chose a row: a click on it, or Enter in the table or in the search field.
    virtual void OnGamesTableRowChosen(int row) = 0;
    // The user closed the table with the close button of its dock.
    virtual void OnGamesTableClosed() = 0;
    // A move of an engine line was clicked (its link in the lines' text).
    virtual void OnEngineLineLink(int /*link*/) {}
    // The evaluation graph was clicked at `ply` (0: the game's start).
    virtual void OnEvalGraphClicked(int /*ply*/) {}
    // --- End of the games table. ---
    // A click on row `row` of the opening explorer's moves.
    virtual void OnExplorerMoveChosen(int row) = 0;
    // The user closed the opening explorer with the close button of its dock.
    virtual void OnExplorerClosed() = 0;
};
