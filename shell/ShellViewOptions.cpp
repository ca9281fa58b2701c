#include "analysis/LiveAnalysisView.h"
#include "resources/CommandIds.h"
#include "scene/Camera.h"
#include "scene/SceneView.h"
#include "shell/Shell.h"

#include <cstdlib>
#include <string>

namespace {

// The keys of the user's settings, and the panel's width when none is kept.
constexpr const char* kPanelSetting = "view/notationPanel";
constexpr const char* kPanelWidthSetting = "view/notationPanelWidth";
constexpr const char* kFigurinesSetting = "view/figurines";
constexpr const char* kFlippedSetting = "view/flipped";
constexpr const char* kLastMoveSetting = "view/lastMove";
constexpr const char* kCheckSetting = "view/check";
constexpr const char* kCoordinatesSetting = "view/coordinates";
constexpr const char* kViewpointSetting = "view/viewpoint";
constexpr int kDefaultPanelWidth = 280;

std::string Flag(bool on) {
    return on ? "1" : "0";
}

} // namespace

// Each View option: its menu item, its setting and its default.
const CShell::CViewOption* CShell::FindViewOption(int id) {
    static const CViewOption kOptions[] = {
        {ids::kNotationPanel, kPanelSetting, true, &CShell::panelMark},
        {ids::kFigurines, kFigurinesSetting, false, &CShell::figurinesMark},
        {ids::kFlipBoard, kFlippedSetting, false, &CShell::flippedMark},
        {ids::kLastMoveTint, kLastMoveSetting, true, &CShell::lastMoveMark},
        {ids::kCheckTint, kCheckSetting, true, &CShell::checkMark},
        {ids::kCoordinates, kCoordinatesSetting, true, &CShell::coordinatesMark},
    };
    for (const CViewOption& option : kOptions) {
        if (option.id == id) {
            return &option;
        }
    }
    return nullptr;
}

void CShell::ApplyViewSettings() {
    for (int id : {ids::kNotationPanel, ids::kFigurines, ids::kFlipBoard, ids::kLastMoveTint,
                   ids::kCheckTint, ids::kCoordinates}) {
        const CViewOption& option = *FindViewOption(id);
        this->*option.mark = platform.ReadSetting(option.setting, Flag(option.byDefault)) == "1";
        ApplyViewOption(id);
    }
    const int viewpoint = std::atoi(platform.ReadSetting(kViewpointSetting, "0").c_str());
    const int item =
        ids::kDefaultView + (viewpoint >= 0 && viewpoint < kViewpointCount ? viewpoint : 0);
    scene.Camera().SetViewpoint(static_cast<EViewpoint>(item - ids::kDefaultView));
    platform.CheckMenuRadioItem(item);
    const int width = std::atoi(
        platform.ReadSetting(kPanelWidthSetting, std::to_string(kDefaultPanelWidth)).c_str());
    platform.SetNotationPanelWidth(width > 0 ? width : kDefaultPanelWidth);
}

// The mark is set; the window, the scene and the camera follow it.
void CShell::ApplyViewOption(int id) {
    const bool on = this->*FindViewOption(id)->mark;
    platform.SetMenuItemChecked(id, on);
    switch (id) {
    case ids::kNotationPanel:
        platform.ShowNotationPanel(on);
        break;
    case ids::kFigurines:
        notationPanel.SetFigurines(on);
        if (liveAnalysis) {
            liveAnalysis->SetFigurines(on);
        }
        break;
    case ids::kFlipBoard:
        scene.Camera().SetSideInFront(on ? Black : White);
        break;
    case ids::kLastMoveTint:
        scene.ShowLastMoveTint(on);
        break;
    case ids::kCheckTint:
        scene.ShowCheckTint(on);
        break;
    case ids::kCoordinates:
        scene.ShowCoordinates(on);
        break;
    default:
        break;
    }
}

void CShell::ChooseViewpoint(int id) {
    scene.Camera().SetViewpoint(static_cast<EViewpoint>(id - ids::kDefaultView));
    platform.CheckMenuRadioItem(id);
    platform.WriteSetting(kViewpointSetting, std::to_string(id - ids::kDefaultView));
}

bool CShell::HandleViewCommand(int id) {
    if (id >= ids::kDefaultView && id <= ids::kPlayerView) {
        ChooseViewpoint(id);
        return true;
    }
    const CViewOption* option = FindViewOption(id);
    if (option == nullptr) {
        return false;
    }
    this->*option->mark = !(this->*option->mark);
    ApplyViewOption(id);
    platform.WriteSetting(option->setting, Flag(this->*option->mark));
    return true;
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
