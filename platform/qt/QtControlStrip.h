#pragma once

#include <QWidget>
#include <functional>
#include <string>

class QComboBox;
class QToolButton;

// The strip along the top of the main window: the stop button (id 1000), the play/pause button
// (1001) and the game list (1002). A button's text is a glyph ("<" stop, "4" play, ";" pause),
// shown as the matching icon of the style; the glyph stays its logical text.
class CQtControlStrip final : public QWidget {
public:
    static constexpr int kHeight = 30;
    static constexpr int kStopId = 1000;
    static constexpr int kPlayPauseId = 1001;
    static constexpr int kGameListId = 1002;

    // `command` receives (id, code): code 0 for a click, 1 when the user chose a game.
    CQtControlStrip(QWidget* parent, std::function<void(int id, int code)> command);

    void SetText(int id, const std::string& glyph);
    std::string Text(int id) const;
    void Enable(int id, bool enabled);
    bool IsEnabled(int id) const;

    QComboBox& GameList() { return *gameList; }
    const QComboBox& GameList() const { return *gameList; }

private:
    QWidget* Control(int id) const;

    QToolButton* stopButton;
    QToolButton* playPauseButton;
    QComboBox* gameList;
};
