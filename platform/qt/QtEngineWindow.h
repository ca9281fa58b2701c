#pragma once

#include "QtChildProcess.h"
#include "platform/EngineWindow.h"

#include <memory>

class CQtMainWindow;
class QProgressDialog;

// The engine's parts of the Qt main window: the bar beside the view, the lines and the graph
// in the notation panel, the dialogs, the analysis's progress and the status bar.
class CQtEngineWindow final : public IEngineWindow {
public:
    explicit CQtEngineWindow(CQtMainWindow& window);
    ~CQtEngineWindow() override;

    IChildProcessFactory& ChildProcesses() override { return processes; }
    void ShowEvalBar(bool shown) override;
    void SetEvalBar(double whiteShare, const std::string& text) override;
    void ShowEngineLines(bool shown) override;
    void SetEngineLines(const CNotationText& text) override;
    void SetEvalGraph(const CEvalGraph& graph) override;
    void SetEvalGraphCurrent(int ply) override;
    bool ChooseEngineSettings(CEngineChoice& choice) override;
    bool ChooseGameAnalysis(CGameAnalysisChoice& choice) override;
    void ShowAnalysisProgress(bool shown) override;
    void SetAnalysisProgress(int percent) override;
    void ShowStatus(const std::string& text) override;

private:
    CQtMainWindow& window;
    CQtChildProcessFactory processes;
    std::unique_ptr<QProgressDialog> progress;
};
