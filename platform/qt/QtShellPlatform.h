#pragma once

#include "platform/ShellPlatform.h"

#include <QString>
#include <memory>

class CQtEngineWindow;
class CQtMainWindow;
class QLabel;
class QProgressDialog;
class QPushButton;

// The shell's window system on the Qt main window. Interface thread only, except
// PostToInterfaceThread.
class CQtShellPlatform final : public IShellPlatform {
public:
    explicit CQtShellPlatform(CQtMainWindow& window);
    ~CQtShellPlatform() override;

    void SetEventSink(IShellEvents& events) override;
    IGLSurface& GLSurface() override;

    void SetWindowTitle(const std::string& title) override;
    void ShowMainWindow() override;
    void FocusMainWindow() override;

    void CreateMenuBar(const std::vector<CMenuDescription>& menus) override;
    void CheckMenuRadioItem(int id) override;
    void SetMenuItemChecked(int id, bool checked) override;

    void SetControlText(int id, const std::string& text) override;
    void EnableControl(int id, bool enabled) override;

    void SetGameListEntries(int count, std::function<std::string(int index)> title) override;
    void SetGameListSelection(int index) override;
    int GameListSelection() const override;
    void SetGameListDroppedWidth(int pixels) override;
    void ShowLoadProgress(bool shown) override;
    void SetLoadProgress(int percent) override;

    void ShowMessageBox(EMessageBoxKind kind, const std::string& caption,
                        const std::string& text) override;
    void ShowDetailedMessageBox(EMessageBoxKind kind, const std::string& caption,
                                const std::string& text, const std::string& details) override;
    void ShowStatus(const std::string& text, bool offerShow) override;
    void ShowPlainText(const std::string& title, std::string text) override;
    std::string ClipboardText() const override;
    void SetClipboardText(const std::string& text) override;
    void SetRecentFiles(const std::vector<std::string>& names) override;
    bool AskYesNo(const std::string& caption, const std::string& text) override;
    bool ChooseOpenFile(const std::vector<std::string>& filters, std::string& path) override;
    bool ChooseSaveFile(const std::vector<std::string>& filters, const std::string& defaultName,
                        std::string& path) override;
    bool SavePng(const std::string& path, const CFrameImage& image, std::string& error) override;

    CScreenPoint CursorPosition() const override;
    void SetCursorPosition(CScreenPoint point) override;
    bool CursorInGLWindow() const override;
    void HideCursor() override;
    void ShowCursor() override;
    void CaptureMouse() override;
    void ReleaseMouse() override;

    void SetNotation(const CNotationText& text) override;
    void SetNotationCurrent(int link) override;
    void ShowNotationPanel(bool shown) override;
    int NotationPanelWidth() const override;
    void SetNotationPanelWidth(int pixels) override;
    std::string ReadSetting(const std::string& key, const std::string& fallback) const override;
    void WriteSetting(const std::string& key, const std::string& value) override;
    void SetGamesTableContent(const IGamesTableContent& content) override;
    void DetachGamesTableContent() override;
    void ShowGamesTable(bool shown) override;
    void GamesTableRowsChanged() override;
    void SetGamesTableCount(const std::string& text) override;
    void SelectGamesTableRow(int row) override;
    void FocusGamesTable() override;

    void SetExplorerContent(const IExplorerContent& content) override;
    void DetachExplorerContent() override;
    void ShowExplorer(bool shown) override;
    void ExplorerChanged() override;
    void SetNotationOpening(const std::string& text) override;

    bool ChooseVideoExport(CVideoExportChoice& choice) override;
    void ShowExportProgress(bool shown) override;
    void SetExportProgress(int percent) override;
    std::unique_ptr<IGLSurface> CreateOffscreenSurface(int width, int height) override;
    const ITextPainter& TextPainter() override { return *textPainter; }

    IEngineWindow& EngineWindow() override;

    void PostQuit(int exitCode) override;
    void PostToInterfaceThread(std::function<void()> task) override;

private:
    CQtMainWindow& window;
    QLabel* statusText = nullptr; // owned by the status bar, made when first shown
    QPushButton* statusShow = nullptr;
    QString saveFolder;  // where the last picture went
    QString videoFolder; // where the last video went
    std::unique_ptr<ITextPainter> textPainter;
    std::unique_ptr<QProgressDialog> exportProgress;
    std::unique_ptr<CQtEngineWindow> engineWindow;
};
