#include "QtMainWindow.h"

#include "QtGLWindow.h"

#include <QVBoxLayout>
#include <QWidget>

CQtMainWindow::CQtMainWindow() : controlStrip(nullptr), glWindow(new CQtGLWindow) {
    setWindowTitle(QStringLiteral("Tavrin"));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    controlStrip = new QWidget(central);
    controlStrip->setFixedHeight(kControlStripHeight);
    layout->addWidget(controlStrip);

    QWidget* container = QWidget::createWindowContainer(glWindow, central);
    layout->addWidget(container, 1);

    setCentralWidget(central);
    resize(1024, 768);
}

CQtMainWindow::~CQtMainWindow() = default;
