#pragma once

#include "platform/EngineWindow.h"
#include "platform/FrameImage.h"
#include "platform/GLSurface.h"
#include "platform/NotationText.h"
#include "platform/TextPainter.h"
#include "platform/VideoExportChoice.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class IExplorerContent;
class IGamesTableContent;
class IShellEvents;

// One entry of a drop-down menu. Text is UTF-8; '&' marks the mnemonic letter and the part after
// a tab names the shortcut key ("Load PGN file...\tCtrl+O"), which then works in the whole
// window. Items of one non-zero radio group are exclusive; a checkable item toggles its mark.
// An item with `submenu` set opens the drop-down `items` (filled later when empty: "Open
// Recent"); an item without id and text is a separator.
struct CMenuItemDescription {
    CMenuItemDescription(int id = 0, std::string text = {}, int radioGroup = 0,
                         bool checkable = false)
        : id(id), text(std::move(text)), radioGroup(radioGroup), checkable(checkable) {}
    // A submenu item.
    static CMenuItemDescription Submenu(int id, std::string text,
                                        std::vector<CMenuItemDescription> items) {
        CMenuItemDescription item(id, std::move(text));
        item.submenu = true;
        item.items = std::move(items);
        return item;
    }

    int id = 0;
    std::string text;
    int radioGroup = 0;
    bool checkable = false;
    bool submenu = false;
    std::vector<CMenuItemDescription> items;
};

// One entry of the menu bar: a drop-down menu with items, or (no items) a command of its own.
struct CMenuDescription {
    std::string title;
    std::vector<CMenuItemDescription> items;
    int id = 0; // the command of an entry without items
};

enum class EMessageBoxKind { Information, Warning, Error };

// A point on the screen, in pixels.
struct CScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const CScreenPoint&) const = default;
};

// The window system as the shell sees it: a main window with a menu bar, a strip of controls
// addressed by id (two push buttons whose text is a glyph, a drop-down game list, and the
// progress of a load with its Cancel button, id 1003, reported as a command), the GL
// child window below the strip, message boxes, an open-file dialog and the mouse cursor.
// Every call but PostToInterfaceThread must be made on the interface thread. Texts are UTF-8.
class IShellPlatform {
public:
    virtual ~IShellPlatform() = default;

    // Where IShellEvents calls go; set once, before the window is shown.
    virtual void SetEventSink(IShellEvents& events) = 0;
    virtual IGLSurface& GLSurface() = 0;

    virtual void SetWindowTitle(const std::string& title) = 0;
    virtual void ShowMainWindow() = 0;
    virtual void FocusMainWindow() = 0;

    virtual void CreateMenuBar(const std::vector<CMenuDescription>& menus) = 0;
    // Puts the radio mark on `id` and takes it off the other items of its group.
    virtual void CheckMenuRadioItem(int id) = 0;
    virtual void SetMenuItemChecked(int id, bool checked) = 0;

    // Controls of the strip: the buttons take a glyph as their text.
    virtual void SetControlText(int id, const std::string& text) = 0;
    virtual void EnableControl(int id, bool enabled) = 0;

    // The game list holds `count` entries whose texts (UTF-8) `title` gives when they are shown,
    // so that a list of any length is filled at once. `title` stays in use until the next call.
    // No entry is chosen afterwards.
    virtual void SetGameListEntries(int count, std::function<std::string(int index)> title) = 0;
    virtual void SetGameListSelection(int index) = 0;
    // The chosen entry, or -1.
    virtual int GameListSelection() const = 0;
    virtual void SetGameListDroppedWidth(int pixels) = 0;

    // The progress bar of a load, with its Cancel button, in the strip; hidden at start.
    virtual void ShowLoadProgress(bool shown) = 0;
    virtual void SetLoadProgress(int percent) = 0;

    // Modal; returns when the user has closed the box.
    virtual void ShowMessageBox(EMessageBoxKind kind, const std::string& caption,
                                const std::string& text) = 0;
    // As ShowMessageBox, with `details` (the program's technical text) under a "Details"
    // button; as ShowMessageBox when `details` is empty.
    virtual void ShowDetailedMessageBox(EMessageBoxKind kind, const std::string& caption,
                                        const std::string& text, const std::string& details) = 0;
    // A window of its own, read-only, showing `text` (UTF-8, paragraphs broken by '\n') under
    // `title`; returns at once, the text going in while the interface runs on.
    virtual void ShowPlainText(const std::string& title, std::string text) = 0;
    // The status line along the window's bottom: `text` (empty: nothing), with a "Show" button
    // that sends the command ids::kShowAddedGames when `offerShow`.
    virtual void ShowStatus(const std::string& text, bool offerShow) = 0;
    // The system clipboard's text (UTF-8, empty when it holds none), and text put there.
    virtual std::string ClipboardText() const = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    // The items of the submenu ids::kOpenRecent: item i (UTF-8) sends ids::kFirstRecentFile + i.
    virtual void SetRecentFiles(const std::vector<std::string>& names) = 0;
    // A modal question with Yes and No buttons; true for Yes.
    virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;
    // Modal open-file dialog for an existing file. `filters` are "Name (*.ext)" entries, the
    // first chosen at start. Returns false when cancelled; else the path, in the file system's
    // own encoding.
    virtual bool ChooseOpenFile(const std::vector<std::string>& filters, std::string& path) = 0;
    // Modal save dialog that asks before overwriting, starting with `defaultName` (UTF-8) in
    // the last folder used. Returns false when cancelled; else the path, in the file system's
    // own encoding.
    virtual bool ChooseSaveFile(const std::vector<std::string>& filters,
                                const std::string& defaultName, std::string& path) = 0;
    // Writes the picture as a PNG file; false with the reason in `error` when it cannot.
    virtual bool SavePng(const std::string& path, const CFrameImage& image, std::string& error) = 0;

    // The cursor: its screen position, whether it lies over the GL window (edges included), and
    // the capture that keeps mouse input with the GL window during a drag.
    virtual CScreenPoint CursorPosition() const = 0;
    virtual void SetCursorPosition(CScreenPoint point) = 0;
    virtual bool CursorInGLWindow() const = 0;
    virtual void HideCursor() = 0;
    virtual void ShowCursor() = 0;
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;

    // The notation panel, a dock beside the view: its text, the highlighted link, its
    // visibility and its width in pixels. A new text has no link highlighted.
    virtual void SetNotation(const CNotationText& text) = 0;
    // Highlights the runs of `link` (-1: none) and scrolls the first into view, as little as it
    // takes; nothing is laid out again, so that a step through a long game costs next to nothing.
    virtual void SetNotationCurrent(int link) = 0;
    virtual void ShowNotationPanel(bool shown) = 0;
    virtual int NotationPanelWidth() const = 0;
    virtual void SetNotationPanelWidth(int pixels) = 0;

    // The user's settings, kept between runs (the View menu's options, the panel's width).
    virtual std::string ReadSetting(const std::string& key, const std::string& fallback) const = 0;
    virtual void WriteSetting(const std::string& key, const std::string& value) = 0;
    // --- The games table: a dock below the GL window with a search field, the count of the
    // rows shown and the table, whose cells its content gives. Hidden at start. ---
    // `content` stays in use until DetachGamesTableContent; set once, before the table is shown.
    virtual void SetGamesTableContent(const IGamesTableContent& content) = 0;
    // The table holds no rows from here on and reads its content no more: for an owner that
    // goes before the window.
    virtual void DetachGamesTableContent() = 0;
    virtual void ShowGamesTable(bool shown) = 0;
    // The rows, the columns shown or the sort changed: all is read anew; no row stays selected.
    virtual void GamesTableRowsChanged() = 0;
    virtual void SetGamesTableCount(const std::string& text) = 0;
    // Selects row `row` and scrolls it into view; -1 selects none.
    virtual void SelectGamesTableRow(int row) = 0;
    // Gives the table the keyboard focus; it is shown.
    virtual void FocusGamesTable() = 0;
    // --- End of the games table. ---

    // --- The opening explorer: a dock beside the view, hidden at start. ---
    // `content` stays in use until DetachExplorerContent; set once, before the dock is shown.
    virtual void SetExplorerContent(const IExplorerContent& content) = 0;
    virtual void DetachExplorerContent() = 0;
    virtual void ShowExplorer(bool shown) = 0;
    // The rows, the status and the controls' states are read anew.
    virtual void ExplorerChanged() = 0;
    // The line above the notation panel's moves: the opening of the position on show.
    virtual void SetNotationOpening(const std::string& text) = 0;
    // --- End of the opening explorer. ---

    // --- Video export. ---
    // The modal "Export video" dialog, which starts from `choice`; true with the user's choice
    // (a file asked before it is overwritten), false when cancelled.
    virtual bool ChooseVideoExport(CVideoExportChoice& choice) = 0;
    // The export's progress, with a Cancel button that sends the command ids::kCancelExport;
    // the window stays usable beside it. Hidden at start.
    virtual void ShowExportProgress(bool shown) = 0;
    virtual void SetExportProgress(int percent) = 0;
    // A surface off screen for a video of width x height, whose context shares the 3D view's
    // objects, and the painter of its texts. Make and destroy the surface on this thread.
    virtual std::unique_ptr<IGLSurface> CreateOffscreenSurface(int width, int height) = 0;
    virtual const ITextPainter& TextPainter() = 0;
    // --- End of the video export. ---

    // The engine's parts of the window (platform/EngineWindow.h).
    virtual IEngineWindow& EngineWindow() = 0;

    // Ends the event loop; the program then returns `exitCode`.
    virtual void PostQuit(int exitCode) = 0;
    // Runs `task` on the interface thread once the current event has been handled. Any thread.
    virtual void PostToInterfaceThread(std::function<void()> task) = 0;
};
