#include "QtEngineWindow.h"

#include "QtEngineDialogs.h"
#include "QtEvalBar.h"
#include "QtEvalGraph.h"
#include "QtMainWindow.h"
#include "QtNotationPanel.h"
#include "resources/CommandIds.h"

#include <QProgressDialog>
#include <QStatusBar>

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CQtEngineWindow::CQtEngineWindow(CQtMainWindow& window) : window(window) {
}

CQtEngineWindow::~CQtEngineWindow() = default;

void CQtEngineWindow::ShowEvalBar(bool shown) {
    window.EvalBar().setVisible(shown);
}

void CQtEngineWindow::SetEvalBar(double whiteShare, const std::string& text) {
    window.EvalBar().Set(whiteShare, FromUtf8(text));
}

void CQtEngineWindow::ShowEngineLines(bool shown) {
    window.NotationPanel().ShowEngineLines(shown);
}

void CQtEngineWindow::SetEngineLines(const CNotationText& text) {
    window.NotationPanel().SetEngineLines(text);
}

void CQtEngineWindow::SetEvalGraph(const CEvalGraph& graph) {
    window.EvalGraph().Set(graph);
}

void CQtEngineWindow::SetEvalGraphCurrent(int ply) {
    window.EvalGraph().SetCurrent(ply);
}

bool CQtEngineWindow::ChooseEngineSettings(CEngineChoice& choice) {
    return RunEngineDialog(&window, choice);
}

bool CQtEngineWindow::ChooseGameAnalysis(CGameAnalysisChoice& choice) {
    return RunGameAnalysisDialog(&window, choice);
}

void CQtEngineWindow::ShowAnalysisProgress(bool shown) {
    if (!shown) {
        progress.reset();
        return;
    }
    if (!progress) {
        progress = std::make_unique<QProgressDialog>(QStringLiteral("Analysing the game..."),
                                                     QStringLiteral("Cancel"), 0, 100, &window);
        progress->setWindowTitle(QStringLiteral("Analyse game"));
        progress->setWindowModality(Qt::NonModal);
        progress->setAutoClose(false);
        progress->setAutoReset(false);
        progress->setMinimumDuration(0);
        QObject::connect(progress.get(), &QProgressDialog::canceled, progress.get(),
                         [this] { window.Command(ids::kCancelGameAnalysis, 0); });
    }
    progress->setValue(0);
    progress->show();
}

void CQtEngineWindow::SetAnalysisProgress(int percent) {
    if (progress) {
        progress->setValue(percent);
    }
}

void CQtEngineWindow::ShowStatus(const std::string& text) {
    window.statusBar()->showMessage(FromUtf8(text));
}
