#include "QtEvalGraph.h"

#include "platform/ShellEvents.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kPlotHeight = 90;
constexpr int kSummaryHeight = 64;

QColor MarkColour(int mark) {
    switch (mark) {
    case 1:
        return QColor(0xe0, 0xa0, 0x00);
    case 2:
        return QColor(0xe0, 0x60, 0x00);
    default:
        return QColor(0xd0, 0x00, 0x30);
    }
}

} // namespace

CQtEvalGraph::CQtEvalGraph(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("EvalGraph"));
    setFixedHeight(kPlotHeight + kSummaryHeight);
    setCursor(Qt::PointingHandCursor);
    hide();
}

void CQtEvalGraph::Set(const CEvalGraph& newGraph) {
    graph = newGraph;
    setVisible(!graph.points.empty());
    update();
}

void CQtEvalGraph::SetCurrent(int ply) {
    if (ply != current) {
        current = ply;
        update();
    }
}

double CQtEvalGraph::XOf(int ply) const {
    const int last = std::max<int>(1, static_cast<int>(graph.points.size()) - 1);
    return 2.0 + (width() - 4.0) * ply / last;
}

int CQtEvalGraph::PlyAt(double x) const {
    const int last = std::max<int>(1, static_cast<int>(graph.points.size()) - 1);
    const int ply = static_cast<int>(std::lround((x - 2.0) * last / std::max(1.0, width() - 4.0)));
    return std::clamp(ply, 0, static_cast<int>(graph.points.size()) - 1);
}

void CQtEvalGraph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double mid = kPlotHeight / 2.0;
    const auto yOf = [mid](double pawns) {
        return mid - std::clamp(pawns, -kRangePawns, kRangePawns) / kRangePawns * (mid - 2.0);
    };
    painter.fillRect(0, 0, width(), kPlotHeight, QColor(0x3a, 0x3a, 0x3a));
    if (graph.points.empty()) {
        return;
    }
    // White's area is what lies above the curve's lower envelope: the plot is black, the
    // area between the curve and the bottom white, so that above the middle white dominates.
    QPainterPath white;
    white.moveTo(XOf(0), kPlotHeight);
    double last = 0.0;
    for (std::size_t ply = 0; ply < graph.points.size(); ++ply) {
        if (graph.points[ply].known) {
            last = graph.points[ply].pawns;
        }
        white.lineTo(XOf(static_cast<int>(ply)), yOf(last));
    }
    white.lineTo(XOf(static_cast<int>(graph.points.size()) - 1), kPlotHeight);
    white.closeSubpath();
    painter.fillPath(white, QColor(0xee, 0xee, 0xee));
    painter.setPen(QColor(0x90, 0x90, 0x90));
    painter.drawLine(QPointF(0, mid), QPointF(width(), mid));
    for (std::size_t ply = 0; ply < graph.points.size(); ++ply) {
        const CEvalGraph::CPoint& point = graph.points[ply];
        if (point.known && point.mark > 0) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(MarkColour(point.mark));
            painter.drawEllipse(QPointF(XOf(static_cast<int>(ply)), yOf(point.pawns)), 3.5, 3.5);
        }
    }
    if (current >= 0 && current < static_cast<int>(graph.points.size())) {
        painter.setPen(QPen(QColor(0x2a, 0x7f, 0xd4), 2));
        painter.drawLine(QPointF(XOf(current), 0), QPointF(XOf(current), kPlotHeight));
    }
    painter.setPen(palette().color(QPalette::WindowText));
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    painter.setFont(small);
    painter.drawText(
        QRect(2, kPlotHeight + 1, width() - 4, kSummaryHeight - 1),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
        QString::fromUtf8(graph.summary.data(), static_cast<qsizetype>(graph.summary.size())));
}

void CQtEvalGraph::mousePressEvent(QMouseEvent* event) {
    if (eventSink != nullptr && !graph.points.empty() && event->position().y() < kPlotHeight) {
        eventSink->OnEvalGraphClicked(PlyAt(event->position().x()));
    }
}
