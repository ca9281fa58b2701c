#pragma once

#include <QWidget>
#include <functional>
#include <string>

class CQtGameListModel;
class QComboBox;
class QProgressBar;
class QToolButton;

// The strip along the top of the main window: the stop button (id 1000), the play/pause button
// (1001), the game list (1002), and while a load runs its progress bar with a Cancel button
// (1003). A button's text is a glyph ("<" stop, "4" play, ";" pause), shown as the matching icon
// of the style; the glyph stays its logical text.
class CQtControlStrip final : public QWidget {
public:
    static constexpr int kHeight = 30;
    static constexpr int kStopId = 1000;
    static constexpr int kPlayPauseId = 1001;
    static constexpr int kGameListId = 1002;
    static constexpr int kCancelLoadId = 1003;

    // `command` receives (id, code): code 0 for a click, 1 when the user chose a game.
    CQtControlStrip(QWidget* parent, std::function<void(int id, int code)> command);

    void SetText(int id, const std::string& glyph);
    std::string Text(int id) const;
    void Enable(int id, bool enabled);
    bool IsEnabled(int id) const;

    QComboBox& GameList() { return *gameList; }
    const QComboBox& GameList() const { return *gameList; }
    void SetGameListEntries(int count, std::function<std::string(int index)> title);

    void ShowLoadProgress(bool shown);
    void SetLoadProgress(int percent);

private:
    QWidget* Control(int id) const;

    QToolButton* stopButton;
    QToolButton* playPauseButton;
    QComboBox* gameList;
    CQtGameListModel* gameListModel;
    QProgressBar* loadProgress;
    QToolButton* cancelLoad;
};
