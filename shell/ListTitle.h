#pragma once

#include "pgn/GameBatch.h"

#include <string>

// A game's title as the game list, the window title and the boxes show it: the list's
// "Event: White - Black" in UTF-8, cut at 200 characters with an ellipsis, so that a huge tag
// value neither floods the list nor takes long to show.
std::string ListTitle(const CStoredGame& game);
