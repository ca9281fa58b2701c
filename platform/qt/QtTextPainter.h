#pragma once

#include "platform/TextPainter.h"

// Text painted by Qt into an 8-bit image: "Arial", or a metric-compatible sans where it is
// missing, as the 3D view's own font.
class CQtTextPainter final : public ITextPainter {
public:
    CTextImage Paint(const std::string& text, int pixelSize, bool bold) const override;
};
