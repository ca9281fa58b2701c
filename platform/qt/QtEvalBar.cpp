#include "QtEvalBar.h"

#include <QPainter>
#include <algorithm>

CQtEvalBar::CQtEvalBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("EvalBar"));
    setFixedWidth(30);
    QFont small = font();
    small.setPointSize(7);
    setFont(small);
}

void CQtEvalBar::Set(double whiteShare, const QString& newText) {
    whiteShare = std::clamp(whiteShare, 0.0, 1.0);
    if (whiteShare == share && newText == text) {
        return;
    }
    share = whiteShare;
    text = newText;
    update();
}

void CQtEvalBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int h = height();
    const int white = static_cast<int>(h * share + 0.5);
    painter.fillRect(0, 0, width(), h - white, QColor(0x30, 0x30, 0x30));
    painter.fillRect(0, h - white, width(), white, QColor(0xf2, 0xf2, 0xf2));
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawLine(0, h / 2, width(), h / 2);
    if (text.isEmpty()) {
        return;
    }
    // The number stands at the end of the side ahead, in the other side's colour.
    const bool whiteAhead = share >= 0.5;
    painter.setPen(whiteAhead ? QColor(0x20, 0x20, 0x20) : QColor(0xf0, 0xf0, 0xf0));
    const QRect box = whiteAhead ? QRect(0, h - 18, width(), 16) : QRect(0, 2, width(), 16);
    painter.drawText(box, Qt::AlignCenter, text);
}
