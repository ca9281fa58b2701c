#pragma once

#include "chess/ChessGameData.h"
#include "chess/Move.h"
#include "common/CodePages.h"
#include "export/Picture.h"
#include "platform/TextPainter.h"

#include <optional>
#include <string>
#include <vector>

class CCamera;

// The engine's view of one position: White's winning chance from -1 (Black wins) to 1 (White
// wins), and the move it plays there, if any.
struct SPositionAnalysis {
    double whiteChance = 0.0;
    std::optional<CMove> bestMove;
};

// What a video shows over the 3D view, drawn into the picture read back from it: the title
// card (the players, the event and the date over the starting position, dimmed), a caption with
// the move in standard algebraic notation at the bottom, the result under the final position,
// the evaluation bar at the left edge and the engine's best move as an arrow on the board.
// Sizes follow the picture's height. Every text is painted once, when the overlays are made, so
// that drawing a frame allocates nothing.
class CVideoOverlays {
public:
    // `captions` holds one text per move of the video ("12. Nf3", "12... Nf6"); tags that are
    // not UTF-8 read in `codePage`.
    CVideoOverlays(const ITextPainter& painter, int width, int height, const CChessGameData& game,
                   ELegacyCodePage codePage, const std::vector<std::string>& captions);

    void DrawTitleCard(SPicture& picture) const;
    void DrawCaption(SPicture& picture, int move) const;
    // "1-0 White won" (or "0-1 Black won", "½-½ Draw"); nothing for a game without a result.
    void DrawResult(SPicture& picture) const;
    void DrawEvaluationBar(SPicture& picture, double whiteChance) const;
    // An arrow lying on the board from the move's source square to its destination, as the
    // camera sees it in a picture of this size.
    void DrawArrow(SPicture& picture, const CCamera& camera, const CMove& move) const;

private:
    void DrawBanner(SPicture& picture, const CTextImage& text) const;

    int width;
    int height;
    std::vector<CTextImage> titleLines;
    std::vector<CTextImage> captionImages;
    std::optional<CTextImage> resultImage;
};

// A PGN date ("1985.11.09", "1985.??.??") as far as it is known ("1985.11.09", "1985"); empty
// when nothing is.
std::string KnownDate(const std::string& date);
