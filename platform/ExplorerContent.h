#pragma once

#include <string>

// One move of the opening explorer: how often the games played it next and how they went.
struct CExplorerRow {
    std::string san; // UTF-8
    unsigned games = 0;
    unsigned white = 0; // results 1-0, 1/2-1/2 and 0-1 among `games`
    unsigned draw = 0;
    unsigned black = 0;
    int averageElo = 0; // 0: no rating known
    int lastYear = 0;   // 0: no year known
};

// What the opening explorer's dock shows: the moves played next from the position on show,
// most played first, a line of status above them, and the state of its controls. Read on the
// interface thread only, whenever the window is told it changed.
class IExplorerContent {
public:
    virtual ~IExplorerContent() = default;

    virtual int RowCount() const = 0;
    // row < RowCount().
    virtual CExplorerRow Row(int row) const = 0;
    // "indexing…", or the games that reach the position and how they went.
    virtual std::string StatusText() const = 0;
    // "Only games found" is ticked: the counts are of the games table's search results.
    virtual bool OnlyFound() const = 0;
    // "Games with this position" can be asked for now, and whether its filter is in force.
    virtual bool CanFilterByPosition() const = 0;
    virtual bool FilteringByPosition() const = 0;
};
