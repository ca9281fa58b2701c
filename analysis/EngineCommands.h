#pragma once

class CGameAnalysisView;
class CLiveAnalysisView;
class IShellPlatform;

// Carries out the engine's commands of the menu: "Engine analysis" (its mark follows),
// "Engine...", "Analyse game", the Cancel of its progress and "Save game with analysis...".
// False for any other id.
bool HandleEngineCommand(int id, IShellPlatform& platform, CLiveAnalysisView& live,
                         CGameAnalysisView& game);
