#include "QtVideoExportDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

namespace {

const char* const kExtensions[] = {".mp4", ".webm", ".gif"};

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The name with the format's extension in place of a video extension it has.
QString WithExtension(const QString& path, int format) {
    QString base = path;
    for (const char* extension : kExtensions) {
        if (base.endsWith(QLatin1String(extension), Qt::CaseInsensitive)) {
            base.chop(static_cast<qsizetype>(std::char_traits<char>::length(extension)));
        }
    }
    return base + QLatin1String(kExtensions[format]);
}

QSpinBox* Milliseconds(int value, int maximum) {
    auto* box = new QSpinBox;
    box->setRange(0, maximum);
    box->setSingleStep(100);
    box->setSuffix(QStringLiteral(" ms"));
    box->setValue(value);
    return box;
}

} // namespace

bool RunVideoExportDialog(QWidget* parent, CVideoExportChoice& choice, QString& folder) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Export video"));
    auto* form = new QFormLayout(&dialog);

    auto* file = new QLineEdit(FromUtf8(choice.path));
    auto* browse = new QPushButton(QStringLiteral("Browse..."));
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file, 1);
    fileRow->addWidget(browse);
    form->addRow(QStringLiteral("File:"), fileRow);

    auto* format = new QComboBox;
    format->addItems({QStringLiteral("MP4 (H.264)"), QStringLiteral("WebM (VP9)"),
                      QStringLiteral("Animated GIF (short excerpts)")});
    format->setCurrentIndex(choice.format);
    form->addRow(QStringLiteral("Format:"), format);

    auto* size = new QComboBox;
    size->addItems(
        {QStringLiteral("1280 x 720"), QStringLiteral("1920 x 1080"),
         QStringLiteral("As the 3D view: %1 x %2").arg(choice.viewWidth).arg(choice.viewHeight)});
    size->setCurrentIndex(choice.size);
    form->addRow(QStringLiteral("Size:"), size);

    auto* fps = new QComboBox;
    fps->addItems({QStringLiteral("30 frames a second"), QStringLiteral("60 frames a second")});
    fps->setCurrentIndex(choice.fps == 60 ? 1 : 0);
    form->addRow(QStringLiteral("Rate:"), fps);

    auto* whole = new QCheckBox(QStringLiteral("The whole game"));
    whole->setChecked(choice.wholeGame);
    auto* from = new QSpinBox;
    auto* to = new QSpinBox;
    for (QSpinBox* box : {from, to}) {
        box->setRange(choice.firstMove, choice.lastMove);
    }
    from->setValue(choice.fromMove);
    to->setValue(choice.toMove);
    auto* movesRow = new QHBoxLayout;
    movesRow->addWidget(whole);
    movesRow->addWidget(new QLabel(QStringLiteral("or moves")));
    movesRow->addWidget(from);
    movesRow->addWidget(new QLabel(QStringLiteral("to")));
    movesRow->addWidget(to);
    form->addRow(QStringLiteral("Moves:"), movesRow);
    const auto followWhole = [=] {
        from->setEnabled(!whole->isChecked());
        to->setEnabled(!whole->isChecked());
    };
    QObject::connect(whole, &QCheckBox::toggled, &dialog, followWhole);
    followWhole();

    auto* animation = Milliseconds(choice.animationMs, 5000);
    auto* pause = Milliseconds(choice.pauseMs, 30000);
    auto* perMove = new QLabel;
    const auto showPerMove = [=] {
        perMove->setText(QStringLiteral("= %1 s a move")
                             .arg((animation->value() + pause->value()) / 1000.0, 0, 'f', 1));
    };
    QObject::connect(animation, &QSpinBox::valueChanged, &dialog, showPerMove);
    QObject::connect(pause, &QSpinBox::valueChanged, &dialog, showPerMove);
    showPerMove();
    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(new QLabel(QStringLiteral("animation")));
    timeRow->addWidget(animation);
    timeRow->addWidget(new QLabel(QStringLiteral("and pause")));
    timeRow->addWidget(pause);
    timeRow->addWidget(perMove);
    form->addRow(QStringLiteral("Each move:"), timeRow);

    auto* caption = new QCheckBox(QStringLiteral("The move's notation at the bottom"));
    caption->setChecked(choice.caption);
    form->addRow(QStringLiteral("Caption:"), caption);

    auto* orientation = new QComboBox;
    orientation->addItems({QStringLiteral("As shown"), QStringLiteral("White in front"),
                           QStringLiteral("Black in front")});
    orientation->setCurrentIndex(choice.orientation);
    form->addRow(QStringLiteral("Side in front:"), orientation);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    buttons->addButton(QStringLiteral("Export"), QDialogButtonBox::AcceptRole);
    form->addRow(buttons);

    QObject::connect(format, &QComboBox::currentIndexChanged, &dialog,
                     [=](int index) { file->setText(WithExtension(file->text(), index)); });
    QObject::connect(browse, &QPushButton::clicked, &dialog, [&, file, format] {
        const QString start = QFileInfo(file->text()).isAbsolute()
                                  ? file->text()
                                  : QDir(folder).filePath(file->text());
        const QString chosen =
            QFileDialog::getSaveFileName(&dialog, QStringLiteral("Export video"), start,
                                         QStringLiteral("Videos (*.mp4 *.webm *.gif)"), nullptr,
                                         QFileDialog::DontConfirmOverwrite);
        if (!chosen.isEmpty()) {
            file->setText(WithExtension(chosen, format->currentIndex()));
        }
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        QString path = WithExtension(file->text().trimmed(), format->currentIndex());
        if (QFileInfo(path).isRelative()) {
            path = QDir(folder).filePath(path);
        }
        if (QFileInfo::exists(path) &&
            QMessageBox::question(&dialog, QStringLiteral("Export video"),
                                  QStringLiteral("%1 already exists. Replace it?")
                                      .arg(QDir::toNativeSeparators(path))) != QMessageBox::Yes) {
            return;
        }
        file->setText(path);
        dialog.accept();
    });

    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const QString path = file->text();
    folder = QFileInfo(path).absolutePath();
    choice.path = QFile::encodeName(path).toStdString();
    choice.format = format->currentIndex();
    choice.size = size->currentIndex();
    choice.fps = fps->currentIndex() == 1 ? 60 : 30;
    choice.wholeGame = whole->isChecked();
    choice.fromMove = std::min(from->value(), to->value());
    choice.toMove = std::max(from->value(), to->value());
    choice.animationMs = animation->value();
    choice.pauseMs = pause->value();
    choice.caption = caption->isChecked();
    choice.orientation = orientation->currentIndex();
    return true;
}
