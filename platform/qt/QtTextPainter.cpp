#include "QtTextPainter.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>

CTextImage CQtTextPainter::Paint(const std::string& text, int pixelSize, bool bold) const {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    font.setPixelSize(std::max(pixelSize, 1));
    const QFontMetrics metrics(font);
    const QString line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    CTextImage image;
    // A pixel of room on each side for the antialiased edges.
    image.width = metrics.horizontalAdvance(line) + 2;
    image.height = metrics.height();
    image.baseline = metrics.ascent();
    image.coverage.assign(static_cast<std::size_t>(image.width) * image.height, 0);
    if (line.isEmpty()) {
        return image;
    }
    QImage canvas(image.coverage.data(), image.width, image.height, image.width,
                  QImage::Format_Alpha8);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(font);
        painter.setPen(Qt::black); // only the alpha channel is kept
        painter.drawText(1, image.baseline, line);
    }
    return image;
}
