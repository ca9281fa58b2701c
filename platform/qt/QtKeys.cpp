#include "QtKeys.h"

#include "platform/ShellEvents.h"

#include <QKeyEvent>

int VirtualKey(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Escape:
        return keys::kEscape;
    default:
        return 0;
    }
}
