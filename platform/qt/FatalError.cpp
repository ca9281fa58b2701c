#include "FatalError.h"

#include "QtPlatform.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {

std::atomic<bool> boxSuppressed{false};
std::atomic<bool> reported{false};

bool ShowsBox() {
    return !boxSuppressed.load() && qEnvironmentVariableIsEmpty("TAVRIN_NO_ERROR_BOX");
}

} // namespace

void SetFatalErrorBoxSuppressed(bool suppressed) {
    boxSuppressed.store(suppressed);
}

void PostFatalError(const std::string& text) {
    std::fprintf(stderr, "Error: %s\n", text.c_str());
    if (reported.exchange(true)) {
        return;
    }
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr) {
        std::_Exit(1);
    }
    const QString message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QMetaObject::invokeMethod(
        application,
        [message] {
            if (ShowsBox()) {
                QMessageBox::critical(nullptr, QStringLiteral("Error"), message);
            }
            QCoreApplication::exit(1);
        },
        Qt::QueuedConnection);
}
