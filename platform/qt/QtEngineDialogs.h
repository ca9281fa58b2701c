#pragma once

#include "platform/EngineWindow.h"

class QWidget;

// The modal "Engine" dialog: the engine's path (with a Browse button), threads, hash and lines.
// True with the user's choice.
bool RunEngineDialog(QWidget* parent, CEngineChoice& choice);

// The modal "Analyse game" dialog: nodes per position, or a time per move. True with the choice.
bool RunGameAnalysisDialog(QWidget* parent, CGameAnalysisChoice& choice);
