#pragma once

#include "platform/NotationText.h"

#include <QDockWidget>
#include <QList>
#include <QTextOption>
#include <unordered_map>
#include <utility>

class IShellEvents;
class QLabel;
class QTextBrowser;
class QVBoxLayout;

// The notation panel: a dock on the right of the view (below it in a narrow window) that shows a
// game's notation as rich text (the engine's lines and the evaluation graph below it), its move
// rows as blocks with tab stops. A click on a move reports its link; the keys of the Game menu
// keep their meaning while the panel has the focus.
class CQtNotationPanel final : public QDockWidget {
public:
    explicit CQtNotationPanel(QWidget* parent);

    void SetEventSink(IShellEvents* events) { eventSink = events; }
    // Shows the text, keeping the view's place; no link is highlighted.
    void SetText(const CNotationText& text);
    // Highlights the runs of `link` (-1: none), drawn over the laid-out text, and scrolls the
    // first into view.
    void SetCurrent(int link);
    // The engine's lines under the notation; a click on a move reports
    // IShellEvents::OnEngineLineLink.
    void ShowEngineLines(bool shown);
    void SetEngineLines(const CNotationText& text);
    // Puts `widget` at the bottom of the panel, under the engine's lines.
    void AddBelow(QWidget* widget);
    // The line above the moves that names the opening of the position on show.
    void SetOpening(const QString& text);
    // The narrowest width at which a move pair fits on one line, each move with its glyphs,
    // clock and evaluation.
    int MinimumPanelWidth() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    // The move columns follow the panel's width.
    void resizeEvent(QResizeEvent* event) override;

private:
    // The tab stops of a move row for the panel's width.
    // The width of a move's cell in a row: the widest move with its clock and evaluation.
    qreal WidestCell() const;
    QList<QTextOption::Tab> RowTabs() const;
    // Sets the move rows' tab stops anew when the width asks for others.
    void FollowWidth();

    QTextBrowser* browser;
    QTextBrowser* engineLines;
    QVBoxLayout* layout = nullptr;
    QLabel* opening;
    qreal blackStart = 0; // where the rows' Black moves start now
    IShellEvents* eventSink = nullptr;
    // Where each link's run stands in the document: its first character and the one past it.
    std::unordered_map<int, std::pair<int, int>> linkRanges;
};
