#pragma once

#include "FakeEngineWindow.h"
#include "platform/ExplorerContent.h"
#include "platform/GLSurface.h"
#include "platform/GamesTableContent.h"
#include "platform/ShellPlatform.h"

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

// A GL window that is never drawn into: sizes and handlers only.
class CFakeGLSurface final : public IGLSurface {
public:
    bool CreateContext(std::string& error) override {
        error = "no OpenGL in this test";
        return false;
    }
    void SwapBuffers() override {}
    void DestroyContext() override {}
    bool HardwareAccelerated() const override { return hardware; }
    int Width() const override { return 1024; }
    int Height() const override { return 690; }
    int DesktopWidth() const override { return 1280; }
    int DesktopHeight() const override { return 1024; }
    void SetResizeHandler(std::function<void(int, int)>) override {}
    void SetExposeHandler(std::function<void()> handler) override { expose = std::move(handler); }
    std::vector<CGlyphBitmap> RasterizeGlyphs(char32_t, int) override { return {}; }
    void ReportFatalError(const std::string&) override {}

    std::function<void()> expose;
    bool hardware = false;
};

struct CShownBox {
    EMessageBoxKind kind;
    std::string caption;
    std::string text;
    std::string details;
};

// Records what the shell asks of the window system and answers from what the test set up.
class CFakeShellPlatform final : public IShellPlatform {
public:
    void SetEventSink(IShellEvents& events) override { sink = &events; }
    IGLSurface& GLSurface() override { return surface; }

    void SetWindowTitle(const std::string& text) override { title = text; }
    void ShowMainWindow() override { shown = true; }
    void FocusMainWindow() override { ++focusRequests; }

    void CreateMenuBar(const std::vector<CMenuDescription>& bar) override {
        menus = bar;
        for (const CMenuDescription& menu : bar) {
            AddItems(menu.items);
        }
    }
    void AddItems(const std::vector<CMenuItemDescription>& items) {
        for (const CMenuItemDescription& item : items) {
            radioGroupOf[item.id] = item.radioGroup;
            AddItems(item.items);
        }
    }
    void CheckMenuRadioItem(int id) override {
        const int group = radioGroupOf.at(id);
        for (const auto& [other, otherGroup] : radioGroupOf) {
            if (otherGroup == group) {
                checked.erase(other);
            }
        }
        checked.insert(id);
    }
    void SetMenuItemChecked(int id, bool on) override {
        if (on) {
            checked.insert(id);
        } else {
            checked.erase(id);
        }
    }

    void SetControlText(int id, const std::string& text) override { controlText[id] = text; }
    void EnableControl(int id, bool on) override { enabled[id] = on; }

    void SetGameListEntries(int count, std::function<std::string(int)> title) override {
        gameList.clear();
        for (int i = 0; i < count; ++i) {
            gameList.push_back(title(i));
        }
        selection = -1;
    }
    void SetGameListSelection(int index) override { selection = index; }
    int GameListSelection() const override { return selection; }
    void SetGameListDroppedWidth(int pixels) override { droppedWidth = pixels; }
    void ShowLoadProgress(bool shown) override { progressShown = shown; }
    void SetLoadProgress(int percent) override { progress = percent; }

    void ShowMessageBox(EMessageBoxKind kind, const std::string& caption,
                        const std::string& text) override {
        boxes.push_back({kind, caption, text, {}});
    }
    void ShowDetailedMessageBox(EMessageBoxKind kind, const std::string& caption,
                                const std::string& text, const std::string& details) override {
        boxes.push_back({kind, caption, text, details});
    }
    void ShowPlainText(const std::string& title, std::string text) override {
        plainTexts.emplace_back(title, std::move(text));
    }
    void ShowStatus(const std::string& text, bool offer) override {
        status = text, offerShow = offer;
    }
    std::string ClipboardText() const override { return clipboard; }
    void SetClipboardText(const std::string& text) override { clipboard = text; }
    void SetRecentFiles(const std::vector<std::string>& names) override { recentFiles = names; }
    bool AskYesNo(const std::string& caption, const std::string& text) override {
        questions.push_back(caption + ": " + text);
        return answerYes;
    }
    bool ChooseOpenFile(const std::vector<std::string>& filters, std::string& path) override {
        dialogFilters = filters;
        ++dialogsShown;
        if (dialogAnswers.empty()) {
            return false;
        }
        path = dialogAnswers.front();
        dialogAnswers.pop_front();
        return !path.empty();
    }

    bool ChooseSaveFile(const std::vector<std::string>& filters, const std::string& defaultName,
                        std::string& path) override {
        saveFilters = filters;
        proposedNames.push_back(defaultName);
        if (saveAnswer.empty()) {
            return false;
        }
        path = saveAnswer;
        return true;
    }
    bool SavePng(const std::string& path, const CFrameImage& image, std::string& error) override {
        saved.push_back({path, image.width, image.height});
        error = saveError;
        return saveError.empty();
    }

    CScreenPoint CursorPosition() const override { return cursor; }
    void SetCursorPosition(CScreenPoint point) override { cursor = point; }
    bool CursorInGLWindow() const override { return cursorInGLWindow; }
    void HideCursor() override { cursorHidden = true; }
    void ShowCursor() override { cursorHidden = false; }
    void CaptureMouse() override { captured = true; }
    void ReleaseMouse() override { captured = false; }

    // The games table, read through its content as the window reads it.
    void SetGamesTableContent(const IGamesTableContent& content) override { table = &content; }
    void DetachGamesTableContent() override { table = nullptr; }
    void ShowGamesTable(bool shown) override { tableShown = shown; }
    void GamesTableRowsChanged() override { tableRow = -1; }
    void SetGamesTableCount(const std::string& text) override { tableCount = text; }
    void SelectGamesTableRow(int row) override { tableRow = row; }
    void FocusGamesTable() override { tableFocused = true; }
    void SetExplorerContent(const IExplorerContent& content) override { explorer = &content; }
    void DetachExplorerContent() override { explorer = nullptr; }
    void ShowExplorer(bool shown) override { explorerShown = shown; }
    void ExplorerChanged() override { ++explorerChanges; }
    void SetNotationOpening(const std::string& text) override { notationOpening = text; }
    std::vector<std::string> TableColumn(int column) const {
        std::vector<std::string> cells;
        for (int row = 0; row < table->RowCount(); ++row) {
            cells.push_back(table->CellText(row, column));
        }
        return cells;
    }

    void PostQuit(int code) override { quitCode = code; }
    void SetNotation(const CNotationText& text) override {
        notation = text;
        notationCurrent = -1;
    }
    void SetNotationCurrent(int link) override { notationCurrent = link; }
    void ShowNotationPanel(bool shown) override { panelShown = shown; }
    int NotationPanelWidth() const override { return panelWidth; }
    void SetNotationPanelWidth(int pixels) override { panelWidth = pixels; }
    std::string ReadSetting(const std::string& key, const std::string& fallback) const override {
        const auto it = settings.find(key);
        return it == settings.end() ? fallback : it->second;
    }
    void WriteSetting(const std::string& key, const std::string& value) override {
        settings[key] = value;
    }

    // The export dialog answers with `exportAnswer` (false: cancelled) after `exportChoice`
    // has changed what it was given; the surfaces off screen cannot make a context.
    bool ChooseVideoExport(CVideoExportChoice& choice) override {
        exportOffered = choice;
        if (exportChoice) {
            exportChoice(choice);
        }
        return exportAnswer;
    }
    void ShowExportProgress(bool shown) override { exportProgressShown = shown; }
    void SetExportProgress(int) override {}
    std::unique_ptr<IGLSurface> CreateOffscreenSurface(int, int) override {
        return std::make_unique<CFakeGLSurface>();
    }
    const ITextPainter& TextPainter() override { return painter; }
    IEngineWindow& EngineWindow() override { return engine; }

    // Any thread, as the real one.
    void PostToInterfaceThread(std::function<void()> task) override {
        const std::lock_guard lock(postedMutex);
        posted.push_back(std::move(task));
    }
    // Runs the tasks posted so far, as the event loop would.
    void RunPosted() {
        for (;;) {
            std::function<void()> task;
            {
                const std::lock_guard lock(postedMutex);
                if (posted.empty()) {
                    return;
                }
                task = std::move(posted.front());
                posted.pop_front();
            }
            task();
        }
    }

    CFakeGLSurface surface;
    IShellEvents* sink = nullptr;
    std::string title;
    bool shown = false;
    int focusRequests = 0;
    std::vector<CMenuDescription> menus;
    std::map<int, int> radioGroupOf;
    std::set<int> checked;
    std::map<int, std::string> controlText;
    std::map<int, bool> enabled;
    std::vector<std::string> gameList;
    int selection = -1;
    int droppedWidth = 0;
    bool progressShown = false;
    int progress = 0;
    std::vector<CShownBox> boxes;
    std::string status;
    std::vector<std::pair<std::string, std::string>> plainTexts; // title, text
    bool offerShow = false;
    std::string clipboard;
    std::vector<std::string> recentFiles;
    CNotationText notation;
    int notationCurrent = -1;
    bool panelShown = false;
    int panelWidth = 0;
    std::map<std::string, std::string> settings;
    std::vector<std::string> questions; // "caption: text"
    bool answerYes = true;
    std::deque<std::string> dialogAnswers; // an empty answer is a cancelled dialog
    std::vector<std::string> dialogFilters;
    int dialogsShown = 0;
    std::vector<std::string> saveFilters;
    std::vector<std::string> proposedNames;
    std::string saveAnswer; // empty: the save dialog is cancelled
    std::string saveError;  // non-empty: writing the picture fails with this reason
    struct CSaved {
        std::string path;
        int width, height;
    };
    std::vector<CSaved> saved;
    CScreenPoint cursor{500, 400};
    bool cursorInGLWindow = true;
    bool cursorHidden = false;
    bool captured = false;
    int quitCode = -1;
    const IGamesTableContent* table = nullptr;
    const IExplorerContent* explorer = nullptr;
    bool explorerShown = false;
    int explorerChanges = 0;
    std::string notationOpening;
    bool tableShown = false;
    std::string tableCount;
    int tableRow = -1;
    bool tableFocused = false;
    std::mutex postedMutex;
    std::deque<std::function<void()>> posted;
    CVideoExportChoice exportOffered;
    std::function<void(CVideoExportChoice&)> exportChoice;
    bool exportAnswer = false;
    bool exportProgressShown = false;
    struct CBlankPainter final : ITextPainter {
        CTextImage Paint(const std::string&, int, bool) const override { return {}; }
    } painter;
    CFakeEngineWindow engine;
};
