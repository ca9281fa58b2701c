#pragma once

#include "pgn/GameList.h"

#include <string>

// The title of game i < games.Size() as the game list, the window title and the boxes show it:
// the list's "Event: White - Black" in UTF-8 (in its file's code page), cut at 200 characters
// with an ellipsis, so that a huge tag value neither floods the list nor takes long to show. A
// game whose players are both unknown (a study's chapter) is titled by its event alone.
std::string ListTitle(const CGameListSnapshot& games, std::size_t i);

// The window's title: "Tavrin - " and game `game`'s list title, or "Tavrin" for none (-1).
std::string WindowTitle(const CGameListSnapshot& games, int game);
