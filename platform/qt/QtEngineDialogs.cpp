#include "QtEngineDialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QThread>

namespace {

QSpinBox* SpinBox(QWidget* parent, int low, int high, int value, const QString& suffix = {}) {
    auto* box = new QSpinBox(parent);
    box->setRange(low, high);
    box->setValue(value);
    box->setSuffix(suffix);
    return box;
}

QDialogButtonBox* OkCancel(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

} // namespace

bool RunEngineDialog(QWidget* parent, CEngineChoice& choice) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Engine"));
    auto* form = new QFormLayout(&dialog);
    auto* path = new QLineEdit(QString::fromStdString(choice.path), &dialog);
    path->setMinimumWidth(280);
    auto* browse = new QPushButton(QStringLiteral("Browse..."), &dialog);
    QObject::connect(browse, &QPushButton::clicked, &dialog, [&dialog, path] {
        const QString chosen =
            QFileDialog::getOpenFileName(&dialog, QStringLiteral("Engine"), path->text());
        if (!chosen.isEmpty()) {
            path->setText(chosen);
        }
    });
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path, 1);
    pathRow->addWidget(browse);
    form->addRow(QStringLiteral("Path:"), pathRow);
    const int cores = std::max(1, QThread::idealThreadCount());
    auto* threads = SpinBox(&dialog, 1, std::max(cores, 1024), choice.threads);
    auto* hash = SpinBox(&dialog, 1, 65536, choice.hashMb, QStringLiteral(" MB"));
    auto* lines = SpinBox(&dialog, 1, 5, choice.lines);
    form->addRow(QStringLiteral("Threads:"), threads);
    form->addRow(QStringLiteral("Hash:"), hash);
    form->addRow(QStringLiteral("Lines:"), lines);
    form->addRow(OkCancel(dialog));
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    choice.path = path->text().trimmed().toStdString();
    choice.threads = threads->value();
    choice.hashMb = hash->value();
    choice.lines = lines->value();
    return true;
}

bool RunGameAnalysisDialog(QWidget* parent, CGameAnalysisChoice& choice) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Analyse game"));
    auto* form = new QFormLayout(&dialog);
    auto* byNodes = new QRadioButton(QStringLiteral("Nodes per position:"), &dialog);
    auto* byTime = new QRadioButton(QStringLiteral("Time per move:"), &dialog);
    auto* nodes = SpinBox(&dialog, 1000, 2000000000,
                          static_cast<int>(std::min<std::int64_t>(choice.nodes, 2000000000)));
    nodes->setSingleStep(100000);
    nodes->setGroupSeparatorShown(true);
    auto* time = SpinBox(&dialog, 10, 600000, choice.moveTimeMs > 0 ? choice.moveTimeMs : 1000,
                         QStringLiteral(" ms"));
    time->setSingleStep(100);
    (choice.moveTimeMs > 0 ? byTime : byNodes)->setChecked(true);
    form->addRow(byNodes, nodes);
    form->addRow(byTime, time);
    form->addRow(OkCancel(dialog));
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    choice.nodes = nodes->value();
    choice.moveTimeMs = byTime->isChecked() ? time->value() : 0;
    return true;
}
