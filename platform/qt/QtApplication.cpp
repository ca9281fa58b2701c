#include "QtPlatform.h"
#include "resources/AppInfo.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QStringList>
#include <QTimer>

void PrepareQtPlatform() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
}

struct CQtApplication::Impl {
    int argc;
    QApplication application;

    // QApplication keeps a reference to the count, so it lives beside it.
    Impl(int count, char** argv) : argc(count), application(argc, argv) {}
};

CQtApplication::CQtApplication(int argc, char** argv) {
    PrepareQtPlatform();
    QCoreApplication::setApplicationName(QStringLiteral("Tavrin"));
    // Desktops match the window to its desktop entry, and so to its name and icon, by this.
    QGuiApplication::setDesktopFileName(QStringLiteral(TAVRIN_APP_ID));
    // Every OpenGL context shares its objects with the others through Qt's global share
    // context: a video drawn off screen uses the window's buffers and textures.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    impl = std::make_unique<Impl>(argc, argv);
}

CQtApplication::~CQtApplication() = default;

int CQtApplication::Exec() {
    return QApplication::exec();
}

std::vector<std::string> CQtApplication::Arguments() const {
    std::vector<std::string> arguments;
    const QStringList all = QCoreApplication::arguments();
    for (qsizetype i = 1; i < all.size(); ++i) {
        arguments.push_back(QFile::encodeName(all[i]).toStdString());
    }
    return arguments;
}

bool RunEventLoopUntil(const std::function<bool()>& done, int timeoutMs) {
    if (done()) {
        return true;
    }
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) {
            loop.quit();
        }
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    poll.start();
    loop.exec();
    return done();
}
