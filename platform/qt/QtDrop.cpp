#include "QtDrop.h"

#include "platform/ShellEvents.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>

std::vector<std::string> DroppedFiles(const QMimeData* data) {
    std::vector<std::string> files;
    if (data == nullptr || !data->hasUrls()) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            files.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
        }
    }
    return files;
}

void AcceptFileDrag(QDropEvent& event, const IShellEvents* sink) {
    if (sink != nullptr && !DroppedFiles(event.mimeData()).empty()) {
        event.acceptProposedAction();
    } else {
        event.ignore();
    }
}

void DeliverDroppedFiles(QDropEvent& event, IShellEvents* sink) {
    const std::vector<std::string> files = DroppedFiles(event.mimeData());
    if (sink == nullptr || files.empty()) {
        event.ignore();
        return;
    }
    event.acceptProposedAction();
    sink->OnFilesDropped(files);
}
