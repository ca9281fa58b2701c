#pragma once

#include "chess/ChessGameData.h"
#include "export/GameExport.h"
#include "platform/VideoExportChoice.h"

class IShellPlatform;

// What the export dialog opens with: the choices last kept in the user's settings, each held
// within its range (a setting spoilt by hand gives way to its default), for `game`'s full moves.
// `path` is left to the caller; the view's size and the window's move timings are the defaults.
CVideoExportChoice ReadVideoExportChoice(const IShellPlatform& platform, const CChessGameData& game,
                                         int viewWidth, int viewHeight, int animationMs,
                                         int pauseMs);

// Keeps the user's choices for the next export.
void KeepVideoExportChoice(IShellPlatform& platform, const CVideoExportChoice& choice);

// The request for `game` as the user chose it: its file, video settings, moves and timings.
// Throws CExportException when the chosen moves are none or the settings cannot be encoded.
SExportRequest VideoExportRequest(const CVideoExportChoice& choice, const CChessGameData& game,
                                  ELegacyCodePage page);
