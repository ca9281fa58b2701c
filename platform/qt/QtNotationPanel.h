#pragma once

#include "platform/NotationText.h"

#include <QDockWidget>

class IShellEvents;
class QTextBrowser;

// The notation panel: a dock on the right of the view that shows a game's notation as rich
// text. A click on a move reports its link; the keys of the Game menu keep their meaning while
// the panel has the focus.
class CQtNotationPanel final : public QDockWidget {
public:
    explicit CQtNotationPanel(QWidget* parent);

    void SetEventSink(IShellEvents* events) { eventSink = events; }
    // Shows the text and scrolls its current move into view.
    void SetText(const CNotationText& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QTextBrowser* browser;
    IShellEvents* eventSink = nullptr;
};

// The panel's text as HTML, for a rich-text view. Exposed for checks.
QString NotationHtml(const CNotationText& text);
