#pragma once

#include <QMainWindow>

class CQtGLWindow;
class QWidget;

// Main window: a strip for the controls along the top, the OpenGL window filling the rest.
class CQtMainWindow final : public QMainWindow {
public:
    static constexpr int kControlStripHeight = 30;

    CQtMainWindow();
    ~CQtMainWindow() override;

    CQtGLWindow& GLWindow() { return *glWindow; }
    QWidget& ControlStrip() { return *controlStrip; }

private:
    QWidget* controlStrip;
    CQtGLWindow* glWindow; // owned by its container widget
};
