#pragma once

#include "QtMenus.h"
#include "platform/ShellEvents.h"

#include <QMainWindow>
#include <QTimer>

class CQtControlStrip;
class CQtEvalBar;
class CQtEvalGraph;
class CQtExplorerDock;
class CQtGamesTableDock;
class CQtGLWindow;
class CQtNotationPanel;

// Main window: the menu bar, the control strip along the top, the OpenGL window filling the
// rest and, when shown, the games table's dock below it. It reports its size, moves, close
// requests, keys and commands to the event sink.
class CQtMainWindow final : public QMainWindow {
public:
    static constexpr int kControlStripHeight = 30;

    CQtMainWindow();
    ~CQtMainWindow() override;

    CQtGLWindow& GLWindow() { return *glWindow; }
    CQtControlStrip& ControlStrip() { return *controlStrip; }
    const CQtControlStrip& ControlStrip() const { return *controlStrip; }
    CQtMenus& Menus() { return menus; }
    CQtNotationPanel& NotationPanel() { return *notationPanel; }
    const CQtNotationPanel& NotationPanel() const { return *notationPanel; }
    CQtGamesTableDock& GamesTable() { return *gamesTable; }
    // The evaluation bar left of the view (hidden at start) and the graph in the panel.
    CQtEvalBar& EvalBar() { return *evalBar; }
    CQtEvalGraph& EvalGraph() { return *evalGraph; }
    CQtExplorerDock& Explorer() { return *explorer; }

    void SetEventSink(IShellEvents& events);
    // The width the user wants for the notation panel beside the view; the panel gets it when
    // the view keeps at least half the window, and the panel's least width in any case.
    void SetNotationPanelWidth(int pixels);
    int NotationPanelWidth() const { return panelPreferred; }
    // Hands a command to the event sink.
    void Command(int id, int code);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Resizes of the OpenGL window count as size steps of this window.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EWindowSizeKind SizeKind() const;
    // Puts the notation panel beside the view at its width, or below the view (tabbed with the
    // games table) when the window is too narrow for both side by side.
    void FitNotationPanel();
    // A move or resize step: the first of a series starts it, a quiet spell ends it.
    void SizeMoveStep();

    CQtControlStrip* controlStrip;
    CQtGLWindow* glWindow; // owned by its container widget
    QWidget* glContainer;
    CQtNotationPanel* notationPanel;
    CQtEvalBar* evalBar = nullptr;
    CQtEvalGraph* evalGraph = nullptr;
    CQtGamesTableDock* gamesTable;
    CQtExplorerDock* explorer;
    CQtMenus menus;
    IShellEvents* eventSink = nullptr;
    QTimer sizeMoveEnd;
    bool sizeMoveRunning = false;
    int panelPreferred = 280;
    int fittedWidth = -1;    // the window's width when the panel was last fitted
    bool fitting = false;    // the panel is being resized by FitNotationPanel
    bool panelBelow = false; // moved below the view by a narrow window
};
