#include "QtControlStrip.h"

#include "QtGameListModel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QListView>
#include <QProgressBar>
#include <QProxyStyle>
#include <QStyle>
#include <QToolButton>

namespace {

constexpr int kButtonSize = 30;
constexpr int kGameListMargin = 3;
constexpr int kProgressWidth = 160;
const char* const kGlyphProperty = "glyph";

// The game list drops down below itself, as a list: the popup form that some styles prefer
// measures the text of every entry before it opens, which a database of any size cannot afford.
class CListDropDownStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        return hint == SH_ComboBox_Popup ? 0
                                         : QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QToolButton* MakeButton(QWidget* parent, int id,
                        const std::function<void(int id, int code)>& command) {
    auto* button = new QToolButton(parent);
    button->setFixedSize(kButtonSize, kButtonSize);
    button->setAutoRaise(false);
    // Keys stay with the main window after a click.
    button->setFocusPolicy(Qt::NoFocus);
    button->setEnabled(false);
    QObject::connect(button, &QToolButton::clicked, parent, [command, id] { command(id, 0); });
    return button;
}

} // namespace

CQtControlStrip::CQtControlStrip(QWidget* parent, std::function<void(int id, int code)> command)
    : QWidget(parent), stopButton(MakeButton(this, kStopId, command)),
      playPauseButton(MakeButton(this, kPlayPauseId, command)), gameList(new QComboBox(this)),
      gameListModel(new CQtGameListModel(gameList)), loadProgress(new QProgressBar(this)),
      cancelLoad(new QToolButton(this)) {
    setFixedHeight(kHeight);

    // All entries have one height, so the list never measures them all: a database of any
    // size opens at once.
    auto* listView = new QListView(gameList);
    listView->setUniformItemSizes(true);
    gameList->setView(listView);
    gameList->setModel(gameListModel);
    auto* dropDownStyle = new CListDropDownStyle;
    dropDownStyle->setParent(this);
    gameList->setStyle(dropDownStyle);

    QFont listFont(QStringLiteral("Arial"));
    listFont.setPixelSize(15);
    listFont.setBold(true);
    gameList->setFont(listFont);
    gameList->setEditable(false);
    gameList->setEnabled(false);
    gameList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    gameList->setMinimumContentsLength(20);
    gameList->setFocusPolicy(Qt::NoFocus);
    // Only a user's choice is a command; the program's own setCurrentIndex is not.
    connect(gameList, &QComboBox::activated, this, [command] { command(kGameListId, 1); });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, kGameListMargin, 0);
    layout->setSpacing(0);
    layout->addWidget(stopButton);
    layout->addWidget(playPauseButton);
    layout->addSpacing(kGameListMargin);
    layout->addWidget(gameList, 1);

    loadProgress->setRange(0, 100);
    loadProgress->setFixedWidth(kProgressWidth);
    loadProgress->setVisible(false);
    cancelLoad->setText(QStringLiteral("Cancel"));
    cancelLoad->setFocusPolicy(Qt::NoFocus);
    cancelLoad->setVisible(false);
    connect(cancelLoad, &QToolButton::clicked, this, [command] { command(kCancelLoadId, 0); });
    layout->addSpacing(kGameListMargin);
    layout->addWidget(loadProgress);
    layout->addWidget(cancelLoad);
}

void CQtControlStrip::SetGameListEntries(int count, std::function<std::string(int index)> title) {
    gameListModel->Reset(count, std::move(title));
    gameList->setCurrentIndex(-1);
}

void CQtControlStrip::ShowLoadProgress(bool shown) {
    loadProgress->setValue(0);
    loadProgress->setVisible(shown);
    cancelLoad->setVisible(shown);
}

void CQtControlStrip::SetLoadProgress(int percent) {
    loadProgress->setValue(percent);
}

QWidget* CQtControlStrip::Control(int id) const {
    switch (id) {
    case kStopId:
        return stopButton;
    case kPlayPauseId:
        return playPauseButton;
    case kGameListId:
        return gameList;
    default:
        return nullptr;
    }
}

void CQtControlStrip::SetText(int id, const std::string& glyph) {
    auto* button = qobject_cast<QToolButton*>(Control(id));
    if (button == nullptr) {
        return;
    }
    QStyle::StandardPixmap icon = QStyle::SP_MediaPlay;
    QString tip = QStringLiteral("Play");
    if (glyph == "<") {
        icon = QStyle::SP_MediaStop;
        tip = QStringLiteral("Stop");
    } else if (glyph == ";") {
        icon = QStyle::SP_MediaPause;
        tip = QStringLiteral("Pause");
    }
    button->setProperty(kGlyphProperty, QString::fromStdString(glyph));
    button->setIcon(style()->standardIcon(icon));
    button->setToolTip(tip);
    button->setAccessibleName(tip);
}

std::string CQtControlStrip::Text(int id) const {
    const QWidget* control = Control(id);
    return control == nullptr ? std::string()
                              : control->property(kGlyphProperty).toString().toStdString();
}

void CQtControlStrip::Enable(int id, bool enabled) {
    if (QWidget* control = Control(id)) {
        control->setEnabled(enabled);
    }
}

bool CQtControlStrip::IsEnabled(int id) const {
    const QWidget* control = Control(id);
    return control != nullptr && control->isEnabled();
}
