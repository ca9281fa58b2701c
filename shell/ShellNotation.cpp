#include "player/GamePlayer.h"
#include "resources/CommandIds.h"
#include "shell/Shell.h"

#include <cstdlib>
#include <string>

namespace {

// The keys of the user's settings, and the panel's width when none is kept.
constexpr const char* kPanelSetting = "view/notationPanel";
constexpr const char* kPanelWidthSetting = "view/notationPanelWidth";
constexpr const char* kFigurinesSetting = "view/figurines";
constexpr int kDefaultPanelWidth = 280;

std::string Flag(bool on) {
    return on ? "1" : "0";
}

} // namespace

void CShell::ApplyViewSettings() {
    panelMark = platform.ReadSetting(kPanelSetting, Flag(true)) == "1";
    figurinesMark = platform.ReadSetting(kFigurinesSetting, Flag(false)) == "1";
    platform.SetMenuItemChecked(ids::kNotationPanel, panelMark);
    platform.SetMenuItemChecked(ids::kFigurines, figurinesMark);
    platform.ShowNotationPanel(panelMark);
    const int width = std::atoi(
        platform.ReadSetting(kPanelWidthSetting, std::to_string(kDefaultPanelWidth)).c_str());
    platform.SetNotationPanelWidth(width > 0 ? width : kDefaultPanelWidth);
    RefreshNotation();
}

bool CShell::HandleViewCommand(int id) {
    switch (id) {
    case ids::kNotationPanel:
        panelMark = !panelMark;
        platform.ShowNotationPanel(panelMark);
        platform.SetMenuItemChecked(ids::kNotationPanel, panelMark);
        platform.WriteSetting(kPanelSetting, Flag(panelMark));
        return true;
    case ids::kFigurines:
        figurinesMark = !figurinesMark;
        platform.SetMenuItemChecked(ids::kFigurines, figurinesMark);
        platform.WriteSetting(kFigurinesSetting, Flag(figurinesMark));
        RefreshNotation();
        return true;
    default:
        return false;
    }
}

void CShell::SaveNotationPanelWidth() {
    if (panelMark) {
        platform.WriteSetting(kPanelWidthSetting, std::to_string(platform.NotationPanelWidth()));
    }
}

void CShell::OnNotationPanelClosed() {
    panelMark = false;
    platform.SetMenuItemChecked(ids::kNotationPanel, false);
    platform.WriteSetting(kPanelSetting, Flag(false));
}

// A click acts as Left, Home and End do: playback is paused first, and the position is shown at
// once, a running animation ended.
void CShell::OnNotationLink(int link) {
    if (listedGames == 0 || link < 0) {
        return;
    }
    PauseForStep();
    player.ShowPosition(static_cast<unsigned>(link));
    RefreshNotation();
}

void CShell::RefreshNotation() {
    if (listedGames == 0) {
        notationGameIndex = -1;
        platform.SetNotation({});
        return;
    }
    const int index = static_cast<int>(player.GameIndex());
    if (index != notationGameIndex) {
        notationGame = NotationOf(player.GetGameData(index));
        notationGameIndex = index;
    }
    platform.SetNotation(BuildNotation(notationGame, player.MoveIndex(), figurinesMark));
}
