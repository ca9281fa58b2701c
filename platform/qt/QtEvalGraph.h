#pragma once

#include "platform/EngineWindow.h"

#include <QWidget>

class IShellEvents;

// The evaluation graph under the notation: White's area above the middle, Black's below,
// clipped at +-8 pawns, the marks of the moves as dots, the ply on show as a line, the
// summary of each side beneath. A click reports its ply.
class CQtEvalGraph final : public QWidget {
public:
    static constexpr double kRangePawns = 8.0;

    explicit CQtEvalGraph(QWidget* parent);

    void SetEventSink(IShellEvents* events) { eventSink = events; }
    void Set(const CEvalGraph& graph);
    void SetCurrent(int ply);
    const CEvalGraph& Graph() const { return graph; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The ply under x, from 0 to the last point.
    int PlyAt(double x) const;
    double XOf(int ply) const;

    CEvalGraph graph;
    int current = -1;
    IShellEvents* eventSink = nullptr;
};
