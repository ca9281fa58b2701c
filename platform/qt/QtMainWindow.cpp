#include "QtMainWindow.h"

#include "QtControlStrip.h"
#include "QtDrop.h"
#include "QtEvalBar.h"
#include "QtEvalGraph.h"
#include "QtExplorerDock.h"
#include "QtGLWindow.h"
#include "QtGamesTableDock.h"
#include "QtKeys.h"
#include "QtNotationPanel.h"
#include "platform/ShellEvents.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

namespace {

// The quiet spell after the last move or resize step that ends a drag of the frame.
constexpr int kSizeMoveEndMs = 150;

} // namespace

CQtMainWindow::CQtMainWindow()
    : controlStrip(nullptr), glWindow(new CQtGLWindow), glContainer(nullptr),
      notationPanel(new CQtNotationPanel(this)), gamesTable(new CQtGamesTableDock(this)),
      explorer(new CQtExplorerDock(this)) {
    setWindowTitle(QStringLiteral("Tavrin"));
    QIcon icon;
    for (const char* size : {"32", "48", "256"}) {
        icon.addFile(QStringLiteral(":/tavrin/icon-%1.png").arg(QLatin1String(size)));
    }
    setWindowIcon(icon);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    controlStrip = new CQtControlStrip(central, [this](int id, int code) { Command(id, code); });
    layout->addWidget(controlStrip);

    // The view gets its size from the window system some time after this window's own resize,
    // later still when the interface thread was busy. Its resizes restart the quiet spell, so
    // the end of a size or move always comes after the view's final size is known.
    glWindow->installEventFilter(this);
    glContainer = QWidget::createWindowContainer(glWindow, central);
    glContainer->setFocusPolicy(Qt::NoFocus);
    auto* viewRow = new QHBoxLayout;
    viewRow->setContentsMargins(0, 0, 0, 0);
    viewRow->setSpacing(0);
    evalBar = new CQtEvalBar(central);
    evalBar->hide();
    viewRow->addWidget(evalBar);
    viewRow->addWidget(glContainer, 1);
    layout->addLayout(viewRow, 1);

    setCentralWidget(central);
    evalGraph = new CQtEvalGraph(notationPanel);
    notationPanel->AddBelow(evalGraph);
    addDockWidget(Qt::RightDockWidgetArea, notationPanel);
    notationPanel->hide();
    notationPanel->installEventFilter(this);
    addDockWidget(Qt::BottomDockWidgetArea, gamesTable);
    gamesTable->hide();
    addDockWidget(Qt::RightDockWidgetArea, explorer);
    explorer->hide();
    resize(1024, 768);

    sizeMoveEnd.setSingleShot(true);
    sizeMoveEnd.setInterval(kSizeMoveEndMs);
    connect(&sizeMoveEnd, &QTimer::timeout, this, [this] {
        sizeMoveRunning = false;
        if (eventSink != nullptr) {
            eventSink->OnExitSizeMove();
        }
    });
}

CQtMainWindow::~CQtMainWindow() = default;

void CQtMainWindow::SetEventSink(IShellEvents& events) {
    eventSink = &events;
    glWindow->SetEventSink(&events);
    notationPanel->SetEventSink(&events);
    evalGraph->SetEventSink(&events);
    gamesTable->SetEventSink(&events);
    explorer->SetEventSink(&events);
}

void CQtMainWindow::Command(int id, int code) {
    if (eventSink != nullptr) {
        eventSink->OnCommand(id, code);
    }
}

// The window stays open: the shell ends the event loop and the program destroys the window
// once the render thread has ended.
void CQtMainWindow::closeEvent(QCloseEvent* event) {
    if (eventSink == nullptr) {
        QMainWindow::closeEvent(event);
        return;
    }
    event->ignore();
    eventSink->OnClose();
}

void CQtMainWindow::SetNotationPanelWidth(int pixels) {
    panelPreferred = std::max(pixels, notationPanel->MinimumPanelWidth());
    fittedWidth = -1;
    FitNotationPanel();
}

void CQtMainWindow::FitNotationPanel() {
    const int least = notationPanel->MinimumPanelWidth();
    const Qt::DockWidgetArea area = dockWidgetArea(notationPanel);
    const bool narrow = width() < 2 * least;
    if (narrow != panelBelow && !notationPanel->isFloating() &&
        (area == Qt::BottomDockWidgetArea) == panelBelow) {
        panelBelow = narrow;
        notationPanel->setMinimumWidth(narrow ? 0 : least);
        addDockWidget(narrow ? Qt::BottomDockWidgetArea : Qt::RightDockWidgetArea, notationPanel);
        if (narrow && gamesTable->isVisible()) {
            tabifyDockWidget(gamesTable, notationPanel);
        }
    }
    if (!panelBelow && !notationPanel->isFloating() && notationPanel->isVisible()) {
        const int target = std::clamp(panelPreferred, least, std::max(least, width() / 2));
        if (std::abs(notationPanel->width() - target) > 1) {
            fitting = true;
            resizeDocks({notationPanel}, {target}, Qt::Horizontal);
            fitting = false;
        }
    }
    fittedWidth = width();
}

void CQtMainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The docks have their new sizes once the layout has run.
    QTimer::singleShot(0, this, [this] { FitNotationPanel(); });
    if (eventSink == nullptr) {
        return;
    }
    eventSink->OnSize(SizeKind());
    SizeMoveStep();
}

// Maximising and restoring may reach the window before or after its new size; both report.
void CQtMainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (eventSink != nullptr && event->type() == QEvent::WindowStateChange) {
        eventSink->OnSize(SizeKind());
    }
}

EWindowSizeKind CQtMainWindow::SizeKind() const {
    const Qt::WindowStates state = windowState();
    if (state.testFlag(Qt::WindowMinimized)) {
        return EWindowSizeKind::Minimized;
    }
    if (state.testFlag(Qt::WindowMaximized) || state.testFlag(Qt::WindowFullScreen)) {
        return EWindowSizeKind::Maximized;
    }
    return EWindowSizeKind::Restored;
}

void CQtMainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (eventSink != nullptr) {
        SizeMoveStep();
    }
}

// A change of the panel's width while the window's stays is the user's choice.
bool CQtMainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == notationPanel && event->type() == QEvent::Resize && !fitting && !panelBelow &&
        width() == fittedWidth && notationPanel->isVisible() && !notationPanel->isFloating()) {
        panelPreferred = notationPanel->width();
    }
    if (watched == glWindow && event->type() == QEvent::Resize && eventSink != nullptr) {
        SizeMoveStep();
    }
    return QMainWindow::eventFilter(watched, event);
}

void CQtMainWindow::SizeMoveStep() {
    if (!sizeMoveRunning) {
        sizeMoveRunning = true;
        eventSink->OnMoving();
    }
    sizeMoveEnd.start();
}

void CQtMainWindow::keyPressEvent(QKeyEvent* event) {
    if (eventSink != nullptr && eventSink->OnKeyDown(VirtualKey(*event))) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void CQtMainWindow::dragEnterEvent(QDragEnterEvent* event) {
    AcceptFileDrag(*event, eventSink);
}

void CQtMainWindow::dragMoveEvent(QDragMoveEvent* event) {
    AcceptFileDrag(*event, eventSink);
}

void CQtMainWindow::dropEvent(QDropEvent* event) {
    DeliverDroppedFiles(*event, eventSink);
}
