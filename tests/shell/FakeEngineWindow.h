#pragma once

#include "../engine/SpawnedProcess.h"
#include "platform/EngineWindow.h"

#include <deque>
#include <string>

// Records what the shell shows of an engine; real child processes.
class CFakeEngineWindow final : public IEngineWindow {
public:
    IChildProcessFactory& ChildProcesses() override { return processes; }
    void ShowEvalBar(bool shown) override { barShown = shown; }
    void SetEvalBar(double share, const std::string& text) override {
        barShare = share;
        barText = text;
    }
    void ShowEngineLines(bool shown) override { linesShown = shown; }
    void SetEngineLines(const CNotationText& text) override { lines = text; }
    void SetEvalGraph(const CEvalGraph& shownGraph) override { graph = shownGraph; }
    void SetEvalGraphCurrent(int ply) override { graphCurrent = ply; }
    bool ChooseEngineSettings(CEngineChoice& choice) override {
        offered = choice;
        if (!engineAnswer) {
            return false;
        }
        choice = *engineAnswer;
        return true;
    }
    bool ChooseGameAnalysis(CGameAnalysisChoice& choice) override {
        choice = budget;
        return true;
    }
    void ShowAnalysisProgress(bool shown) override { progressShown = shown; }
    void SetAnalysisProgress(int percent) override { progress = percent; }
    void ShowStatus(const std::string& text) override { statuses.push_back(text); }

    CTestProcessFactory processes;
    bool barShown = false;
    double barShare = 0.5;
    std::string barText;
    bool linesShown = false;
    CNotationText lines;
    CEvalGraph graph;
    int graphCurrent = -1;
    CEngineChoice offered;
    std::optional<CEngineChoice> engineAnswer;
    CGameAnalysisChoice budget;
    bool progressShown = false;
    int progress = 0;
    std::deque<std::string> statuses;
};
