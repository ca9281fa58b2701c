#include "export/VideoOverlays.h"

#include "common/TextDecoding.h"
#include "scene/ViewProjection.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr SColour kWhite{255, 255, 255};
constexpr SColour kBlack{0, 0, 0};
constexpr SColour kArrowColour{40, 170, 60};
constexpr std::size_t kMaxTitleCharacters = 80;
// The board's top face, where the arrow lies, and a square's size.
constexpr double kBoardTop = 7.0;
constexpr double kSquare = 25.0;

// A tag value as shown: decoded, and empty when unknown ("?", "*" or nothing).
std::string Shown(const std::string& tag, ELegacyCodePage page) {
    if (tag.empty() || tag == "?" || tag == "*") {
        return {};
    }
    return DecodeForDisplay(tag, kMaxTitleCharacters, page);
}

std::string ResultText(int result) {
    switch (result) {
    case ResultWhiteWon:
        return "1-0  White won";
    case ResultBlackWon:
        return "0-1  Black won";
    case ResultDraw:
        return "\u00bd-\u00bd  Draw";
    default:
        return {};
    }
}

} // namespace

std::string KnownDate(const std::string& date) {
    std::string known;
    std::size_t start = 0;
    while (start <= date.size()) {
        const std::size_t dot = std::min(date.find('.', start), date.size());
        const std::string part = date.substr(start, dot - start);
        if (part.empty() || part.find('?') != std::string::npos) {
            break;
        }
        known += (known.empty() ? "" : ".") + part;
        start = dot + 1;
    }
    return known;
}

CVideoOverlays::CVideoOverlays(const ITextPainter& painter, int width, int height,
                               const CChessGameData& game, ELegacyCodePage codePage,
                               const std::vector<std::string>& captions)
    : width(width), height(height) {
    const std::string white = Shown(game.GetWhite(), codePage);
    const std::string black = Shown(game.GetBlack(), codePage);
    const int nameSize = std::max(height / 14, 8);
    const int smallSize = std::max(height / 26, 6);
    titleLines.push_back(painter.Paint(white.empty() ? "White" : white, nameSize, true));
    titleLines.push_back(painter.Paint("against", smallSize, false));
    titleLines.push_back(painter.Paint(black.empty() ? "Black" : black, nameSize, true));
    for (const std::string& line : {Shown(game.GetEvent(), codePage), KnownDate(game.GetDate())}) {
        if (!line.empty()) {
            titleLines.push_back(painter.Paint(line, std::max(height / 22, 7), false));
        }
    }
    const int captionSize = std::max(height / 18, 8);
    captionImages.reserve(captions.size());
    for (const std::string& caption : captions) {
        captionImages.push_back(painter.Paint(caption, captionSize, true));
    }
    const std::string result = ResultText(game.GetResult());
    if (!result.empty()) {
        resultImage = painter.Paint(result, captionSize, true);
    }
}

// The lines centred one under another, the block in the middle of the picture, with half a
// line more between the players and what follows.
void CVideoOverlays::DrawTitleCard(SPicture& picture) const {
    Darken(picture, 0.35f);
    const int gap = height / 40;
    int total = 0;
    for (const CTextImage& line : titleLines) {
        total += line.height + gap;
    }
    total += titleLines.size() > 3 ? titleLines[0].height / 2 : 0;
    int y = (height - total) / 2;
    for (std::size_t i = 0; i < titleLines.size(); ++i) {
        const CTextImage& line = titleLines[i];
        DrawText(picture, line, (width - line.width) / 2, y, kWhite);
        y += line.height + gap + (i == 2 ? titleLines[0].height / 2 : 0);
    }
}

void CVideoOverlays::DrawCaption(SPicture& picture, int move) const {
    if (move >= 0 && move < static_cast<int>(captionImages.size())) {
        DrawBanner(picture, captionImages[static_cast<std::size_t>(move)]);
    }
}

void CVideoOverlays::DrawResult(SPicture& picture) const {
    if (resultImage) {
        DrawBanner(picture, *resultImage);
    }
}

// The text on a dark band near the bottom edge.
void CVideoOverlays::DrawBanner(SPicture& picture, const CTextImage& text) const {
    const int padX = text.height / 2;
    const int padY = text.height / 5;
    const int boxWidth = text.width + 2 * padX;
    const int boxHeight = text.height + 2 * padY;
    const int x = (width - boxWidth) / 2;
    const int y = height - boxHeight - height / 20;
    FillRect(picture, x, y, boxWidth, boxHeight, kBlack, 0.6f);
    DrawText(picture, text, x + padX, y + padY, kWhite);
}

// White's share grows from the bottom; a thin line marks the middle.
void CVideoOverlays::DrawEvaluationBar(SPicture& picture, double whiteChance) const {
    const int margin = height / 20;
    const int barWidth = std::max(width / 64, 4);
    const int barHeight = height - 2 * margin;
    const double share = (std::clamp(whiteChance, -1.0, 1.0) + 1.0) / 2.0;
    const int whiteHeight = static_cast<int>(std::lround(share * barHeight));
    FillRect(picture, margin, margin, barWidth, barHeight - whiteHeight, SColour{30, 30, 30}, 0.9f);
    FillRect(picture, margin, margin + barHeight - whiteHeight, barWidth, whiteHeight,
             SColour{235, 235, 235}, 0.9f);
    FillRect(picture, margin, margin + barHeight / 2, barWidth, std::max(height / 360, 1),
             SColour{200, 60, 60}, 1.0f);
}

void CVideoOverlays::DrawArrow(SPicture& picture, const CCamera& camera, const CMove& move) const {
    const CDestination to = move.Destination();
    auto centre = [&](int file, int rank) {
        return ProjectToWindow(camera, width, height, (file + 0.5) * kSquare, kBoardTop,
                               -(rank + 0.5) * kSquare);
    };
    const CWindowPoint from = centre(move.sourceFile, move.sourceRank);
    const CWindowPoint at = centre(to.file, to.rank);
    if (!from.visible || !at.visible) {
        return;
    }
    const double dx = at.x - from.x;
    const double dy = at.y - from.y;
    const double length = std::hypot(dx, dy);
    if (length < 1.0) {
        return;
    }
    // A shaft and a head, their widths a share of the picture's height.
    const double ux = dx / length;
    const double uy = dy / length;
    const double shaft = height / 110.0;
    const double head = height / 40.0;
    const double headLength = std::min(head * 1.6, length * 0.6);
    const double baseX = at.x - ux * headLength;
    const double baseY = at.y - uy * headLength;
    const auto f = [](double value) { return static_cast<float>(value); };
    const std::array<float, 8> body = {f(from.x - uy * shaft), f(from.y + ux * shaft),
                                       f(baseX - uy * shaft),  f(baseY + ux * shaft),
                                       f(baseX + uy * shaft),  f(baseY - ux * shaft),
                                       f(from.x + uy * shaft), f(from.y - ux * shaft)};
    const std::array<float, 6> tip = {f(baseX - uy * head), f(baseY + ux * head), f(at.x), f(at.y),
                                      f(baseX + uy * head), f(baseY - ux * head)};
    FillPolygon(picture, body.data(), 4, kArrowColour, 0.75f);
    FillPolygon(picture, tip.data(), 3, kArrowColour, 0.75f);
}
