#include "QtShellPlatform.h"

#include "QtControlStrip.h"
#include "QtEngineWindow.h"
#include "QtExplorerDock.h"
#include "QtGLWindow.h"
#include "QtGamesTableDock.h"
#include "QtMainWindow.h"
#include "QtNotationPanel.h"
#include "QtOffscreenSurface.h"
#include "QtPlatform.h"
#include "QtTextPainter.h"
#include "QtVideoExportDialog.h"
#include "resources/CommandIds.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QMessageBox>
#include <QMetaObject>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStringList>

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CQtShellPlatform::CQtShellPlatform(CQtMainWindow& window)
    : window(window), textPainter(std::make_unique<CQtTextPainter>()) {
}

CQtShellPlatform::~CQtShellPlatform() = default;

bool CQtShellPlatform::ChooseVideoExport(CVideoExportChoice& choice) {
    if (videoFolder.isEmpty()) {
        videoFolder = QDir::homePath();
    }
    return RunVideoExportDialog(&window, choice, videoFolder);
}

// A window of its own beside the main window, which stays usable; its Cancel is a command.
void CQtShellPlatform::ShowExportProgress(bool shown) {
    if (!shown) {
        exportProgress.reset();
        return;
    }
    if (!exportProgress) {
        exportProgress = std::make_unique<QProgressDialog>(
            QStringLiteral("Exporting the video..."), QStringLiteral("Cancel"), 0, 100, &window);
        exportProgress->setWindowTitle(QStringLiteral("Export video"));
        exportProgress->setWindowModality(Qt::NonModal);
        exportProgress->setAutoClose(false);
        exportProgress->setAutoReset(false);
        exportProgress->setMinimumDuration(0);
        QObject::connect(exportProgress.get(), &QProgressDialog::canceled, exportProgress.get(),
                         [this] { window.Command(ids::kCancelExport, 0); });
    }
    exportProgress->setValue(0);
    exportProgress->show();
}

void CQtShellPlatform::SetExportProgress(int percent) {
    if (exportProgress) {
        exportProgress->setValue(percent);
    }
}

IEngineWindow& CQtShellPlatform::EngineWindow() {
    if (!engineWindow) {
        engineWindow = std::make_unique<CQtEngineWindow>(window);
    }
    return *engineWindow;
}

std::unique_ptr<IGLSurface> CQtShellPlatform::CreateOffscreenSurface(int width, int height) {
    return std::make_unique<CQtOffscreenSurface>(width, height);
}

void CQtShellPlatform::SetEventSink(IShellEvents& events) {
    window.SetEventSink(events);
}

IGLSurface& CQtShellPlatform::GLSurface() {
    return window.GLWindow();
}

void CQtShellPlatform::SetWindowTitle(const std::string& title) {
    window.setWindowTitle(FromUtf8(title));
}

void CQtShellPlatform::ShowMainWindow() {
    window.show();
}

void CQtShellPlatform::FocusMainWindow() {
    window.setFocus(Qt::OtherFocusReason);
}

void CQtShellPlatform::CreateMenuBar(const std::vector<CMenuDescription>& menus) {
    window.Menus().Build(*window.menuBar(), menus, [this](int id) { window.Command(id, 0); });
}

void CQtShellPlatform::CheckMenuRadioItem(int id) {
    window.Menus().CheckRadioItem(id);
}

void CQtShellPlatform::SetMenuItemChecked(int id, bool checked) {
    window.Menus().SetChecked(id, checked);
}

void CQtShellPlatform::SetControlText(int id, const std::string& text) {
    window.ControlStrip().SetText(id, text);
}

void CQtShellPlatform::EnableControl(int id, bool enabled) {
    window.ControlStrip().Enable(id, enabled);
}

void CQtShellPlatform::SetGameListEntries(int count, std::function<std::string(int index)> title) {
    window.ControlStrip().SetGameListEntries(count, std::move(title));
}

void CQtShellPlatform::SetGameListSelection(int index) {
    window.ControlStrip().GameList().setCurrentIndex(index);
}

int CQtShellPlatform::GameListSelection() const {
    return window.ControlStrip().GameList().currentIndex();
}

void CQtShellPlatform::SetGameListDroppedWidth(int pixels) {
    window.ControlStrip().GameList().view()->setMinimumWidth(pixels);
}

void CQtShellPlatform::ShowLoadProgress(bool shown) {
    window.ControlStrip().ShowLoadProgress(shown);
}

void CQtShellPlatform::SetLoadProgress(int percent) {
    window.ControlStrip().SetLoadProgress(percent);
}

void CQtShellPlatform::ShowMessageBox(EMessageBoxKind kind, const std::string& caption,
                                      const std::string& text) {
    ShowDetailedMessageBox(kind, caption, text, {});
}

void CQtShellPlatform::ShowDetailedMessageBox(EMessageBoxKind kind, const std::string& caption,
                                              const std::string& text, const std::string& details) {
    QMessageBox::Icon icon = QMessageBox::Information;
    if (kind == EMessageBoxKind::Warning) {
        icon = QMessageBox::Warning;
    } else if (kind == EMessageBoxKind::Error) {
        icon = QMessageBox::Critical;
    }
    QMessageBox box(icon, FromUtf8(caption), FromUtf8(text), QMessageBox::Ok, &window);
    box.setTextFormat(Qt::PlainText);
    if (!details.empty()) {
        box.setDetailedText(FromUtf8(details));
        for (QAbstractButton* button : box.buttons()) {
            if (box.buttonRole(button) == QMessageBox::ActionRole) {
                button->setText(QStringLiteral("Details"));
            }
        }
    }
    box.exec();
}

void CQtShellPlatform::ShowPlainText(const std::string& title, std::string text) {
    OpenTextViewer(title, std::move(text), &window);
}

void CQtShellPlatform::ShowStatus(const std::string& text, bool offerShow) {
    if (statusText == nullptr) {
        QStatusBar* bar = window.statusBar();
        statusText = new QLabel(bar);
        statusText->setObjectName(QStringLiteral("StatusText"));
        statusShow = new QPushButton(QStringLiteral("Show"), bar);
        statusShow->setObjectName(QStringLiteral("StatusShow"));
        statusShow->setFlat(true);
        statusShow->setFocusPolicy(Qt::NoFocus);
        QObject::connect(statusShow, &QPushButton::clicked, &window,
                         [this] { window.Command(ids::kShowAddedGames, 0); });
        bar->addWidget(statusText);
        bar->addWidget(statusShow);
    }
    statusText->setText(FromUtf8(text));
    statusShow->setVisible(offerShow);
}

std::string CQtShellPlatform::ClipboardText() const {
    return QGuiApplication::clipboard()->text().toStdString();
}

void CQtShellPlatform::SetClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(FromUtf8(text));
}

void CQtShellPlatform::SetRecentFiles(const std::vector<std::string>& names) {
    window.Menus().SetSubmenuItems(ids::kOpenRecent, names, ids::kFirstRecentFile);
}

bool CQtShellPlatform::AskYesNo(const std::string& caption, const std::string& text) {
    return QMessageBox::question(&window, FromUtf8(caption), FromUtf8(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

bool CQtShellPlatform::ChooseOpenFile(const std::vector<std::string>& filters, std::string& path) {
    QStringList filterList;
    for (const std::string& filter : filters) {
        filterList << FromUtf8(filter);
    }
    const QString chosen =
        QFileDialog::getOpenFileName(&window, QString(), QString(), filterList.join(";;"));
    if (chosen.isEmpty()) {
        return false;
    }
    path = QFile::encodeName(chosen).toStdString();
    return true;
}

bool CQtShellPlatform::ChooseSaveFile(const std::vector<std::string>& filters,
                                      const std::string& defaultName, std::string& path) {
    QStringList filterList;
    for (const std::string& filter : filters) {
        filterList << FromUtf8(filter);
    }
    QSettings settings(QStringLiteral("Tavrin"), QStringLiteral("Tavrin"));
    if (saveFolder.isEmpty()) {
        saveFolder = settings.value(QStringLiteral("files/pictureFolder")).toString();
    }
    if (saveFolder.isEmpty() || !QDir(saveFolder).exists()) {
        saveFolder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    }
    if (saveFolder.isEmpty() || !QDir(saveFolder).exists()) {
        saveFolder = QDir::homePath();
    }
    const QString chosen = QFileDialog::getSaveFileName(
        &window, QString(), QDir(saveFolder).filePath(FromUtf8(defaultName)),
        filterList.join(";;"));
    if (chosen.isEmpty()) {
        return false;
    }
    saveFolder = QFileInfo(chosen).absolutePath();
    settings.setValue(QStringLiteral("files/pictureFolder"), saveFolder);
    path = QFile::encodeName(chosen).toStdString();
    return true;
}

bool CQtShellPlatform::SavePng(const std::string& path, const CFrameImage& image,
                               std::string& error) {
    const QImage picture(image.rgba.data(), image.width, image.height, image.width * 4,
                         QImage::Format_RGBA8888);
    // The view has no transparency to keep.
    QImageWriter writer(QFile::decodeName(QByteArray::fromStdString(path)), "png");
    if (!writer.write(picture.convertToFormat(QImage::Format_RGB888))) {
        error = "CQtShellPlatform::SavePng(): Cannot write '" + path +
                "': " + writer.errorString().toStdString();
        return false;
    }
    return true;
}

CScreenPoint CQtShellPlatform::CursorPosition() const {
    const QPoint position = QCursor::pos();
    return {position.x(), position.y()};
}

void CQtShellPlatform::SetCursorPosition(CScreenPoint point) {
    QCursor::setPos(point.x, point.y);
}

bool CQtShellPlatform::CursorInGLWindow() const {
    const CQtGLWindow& glWindow = window.GLWindow();
    const QPoint local = glWindow.mapFromGlobal(QCursor::pos());
    return local.x() >= 0 && local.y() >= 0 && local.x() <= glWindow.width() &&
           local.y() <= glWindow.height();
}

void CQtShellPlatform::HideCursor() {
    window.GLWindow().setCursor(Qt::BlankCursor);
}

void CQtShellPlatform::ShowCursor() {
    window.GLWindow().unsetCursor();
}

void CQtShellPlatform::CaptureMouse() {
    window.GLWindow().SetMouseCaptured(true);
}

void CQtShellPlatform::ReleaseMouse() {
    window.GLWindow().SetMouseCaptured(false);
}

void CQtShellPlatform::SetGamesTableContent(const IGamesTableContent& content) {
    window.GamesTable().SetContent(content);
}

void CQtShellPlatform::DetachGamesTableContent() {
    window.GamesTable().DetachContent();
}

void CQtShellPlatform::ShowGamesTable(bool shown) {
    window.GamesTable().setVisible(shown);
}

void CQtShellPlatform::GamesTableRowsChanged() {
    window.GamesTable().RowsChanged();
}

void CQtShellPlatform::SetGamesTableCount(const std::string& text) {
    window.GamesTable().SetCount(FromUtf8(text));
}

void CQtShellPlatform::SelectGamesTableRow(int row) {
    window.GamesTable().SelectRow(row);
}

void CQtShellPlatform::FocusGamesTable() {
    window.GamesTable().FocusTable();
}

void CQtShellPlatform::PostQuit(int exitCode) {
    QCoreApplication::exit(exitCode);
}

void CQtShellPlatform::PostToInterfaceThread(std::function<void()> task) {
    QMetaObject::invokeMethod(&window, std::move(task), Qt::QueuedConnection);
}

void CQtShellPlatform::SetExplorerContent(const IExplorerContent& content) {
    window.Explorer().SetContent(&content);
}

void CQtShellPlatform::DetachExplorerContent() {
    window.Explorer().SetContent(nullptr);
}

void CQtShellPlatform::ShowExplorer(bool shown) {
    window.Explorer().setVisible(shown);
}

void CQtShellPlatform::ExplorerChanged() {
    window.Explorer().Changed();
}

void CQtShellPlatform::SetNotationOpening(const std::string& text) {
    window.NotationPanel().SetOpening(FromUtf8(text));
}

void CQtShellPlatform::SetNotation(const CNotationText& text) {
    window.NotationPanel().SetText(text);
}

void CQtShellPlatform::SetNotationCurrent(int link) {
    window.NotationPanel().SetCurrent(link);
}

void CQtShellPlatform::ShowNotationPanel(bool shown) {
    window.NotationPanel().setVisible(shown);
    if (shown) {
        window.SetNotationPanelWidth(window.NotationPanelWidth());
    }
}

int CQtShellPlatform::NotationPanelWidth() const {
    return window.NotationPanelWidth();
}

void CQtShellPlatform::SetNotationPanelWidth(int pixels) {
    window.SetNotationPanelWidth(pixels);
}

// Settings live where Qt keeps a user's settings (~/.config/Tavrin/Tavrin.conf on Linux).
std::string CQtShellPlatform::ReadSetting(const std::string& key,
                                          const std::string& fallback) const {
    const QSettings settings(QStringLiteral("Tavrin"), QStringLiteral("Tavrin"));
    const QString value = settings.value(FromUtf8(key), FromUtf8(fallback)).toString();
    // A file edited by hand, or written by Qt on another system, may hold its flags as words.
    if (value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
        return "1";
    }
    if (value.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
        return "0";
    }
    return value.toStdString();
}

void CQtShellPlatform::WriteSetting(const std::string& key, const std::string& value) {
    QSettings settings(QStringLiteral("Tavrin"), QStringLiteral("Tavrin"));
    settings.setValue(FromUtf8(key), FromUtf8(value));
}
