#include "GlyphRasterizer.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>

namespace {

// Room around the pen position for overhangs, accents and descenders of a 15-pixel font.
constexpr int kCanvasSize = 64;
constexpr int kPenX = 16;
constexpr int kInkThreshold = 128;

QFont MakeFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(15);
    // Drawn for one bit a pixel: monochrome hinting gives cleaner strokes than a cut-off
    // antialiased image.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

bool HasGlyph(const QFontMetrics& metrics, char32_t codePoint) {
    switch (QChar::category(codePoint)) {
    case QChar::Other_Control:
    case QChar::Other_Surrogate:
    case QChar::Other_NotAssigned:
        return false;
    default:
        return metrics.inFontUcs4(codePoint);
    }
}

// Cuts the ink of `image` to its bounding box and packs it bottom row first, most significant
// bit leftmost. The pen stood at (kPenX, baseline); the row just above the baseline is the
// one the raster position lands on.
void PackInk(const QImage& image, int baseline, CGlyphBitmap& glyph) {
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] >= kInkThreshold) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0) {
        return;
    }
    glyph.width = right - left + 1;
    glyph.height = bottom - top + 1;
    glyph.xOrigin = static_cast<float>(kPenX - left);
    glyph.yOrigin = static_cast<float>(bottom - baseline + 1);
    const int rowBytes = (glyph.width + 7) / 8;
    glyph.rows.assign(static_cast<std::size_t>(rowBytes) * glyph.height, 0);
    for (int row = 0; row < glyph.height; ++row) {
        const uchar* line = image.constScanLine(bottom - row);
        std::uint8_t* out = glyph.rows.data() + static_cast<std::size_t>(row) * rowBytes;
        for (int x = 0; x < glyph.width; ++x) {
            if (line[left + x] >= kInkThreshold) {
                out[x / 8] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
            }
        }
    }
}

} // namespace

std::vector<CGlyphBitmap> RasterizeFontGlyphs(char32_t first, int count) {
    std::vector<CGlyphBitmap> glyphs(static_cast<std::size_t>(std::max(count, 0)));
    const QFont font = MakeFont();
    const QFontMetrics metrics(font);
    const int baseline = kPenX + metrics.ascent();
    QImage image(kCanvasSize, kCanvasSize, QImage::Format_Grayscale8);
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const char32_t codePoint = first + static_cast<char32_t>(i);
        if (!HasGlyph(metrics, codePoint)) {
            continue;
        }
        const QString text = QString::fromUcs4(&codePoint, 1);
        glyphs[i].advance = static_cast<float>(metrics.horizontalAdvance(text));
        image.fill(0);
        {
            QPainter painter(&image);
            painter.setFont(font);
            painter.setPen(Qt::white);
            painter.drawText(kPenX, baseline, text);
        }
        PackInk(image, baseline, glyphs[i]);
    }
    return glyphs;
}
