#include "analysis/EngineCommands.h"

#include "analysis/GameAnalysisView.h"
#include "analysis/LiveAnalysisView.h"
#include "platform/ShellPlatform.h"
#include "resources/CommandIds.h"

bool HandleEngineCommand(int id, IShellPlatform& platform, CLiveAnalysisView& live,
                         CGameAnalysisView& game) {
    switch (id) {
    case ids::kEngineAnalysis:
        live.SetOn(!live.IsOn());
        platform.SetMenuItemChecked(ids::kEngineAnalysis, live.IsOn());
        return true;
    case ids::kEngineSettings:
        live.ChooseSettings();
        return true;
    case ids::kAnalyseGame:
        game.Start(live.Settings());
        return true;
    case ids::kCancelGameAnalysis:
        game.Cancel();
        return true;
    case ids::kSaveAnalysedGame:
        game.SaveAs();
        return true;
    default:
        return false;
    }
}
