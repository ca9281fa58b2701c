#pragma once

#include "notation/AnnotationQueue.h"
#include "notation/NotationDocument.h"
#include "notation/WholeCommentReader.h"
#include "openings/ListOpenings.h"
#include "shell/ShowNotice.h"

#include <functional>
#include <memory>

class CPGNReader;
class IShellPlatform;

// Connects the notation document to the platform's panel and keeps it with the game on show: a
// new game's notation is laid out once, with its annotations once they are read on a worker; a
// step only moves the highlight, which lays nothing out again. Interface thread only.
class CNotationPanel final : public IShowListener {
public:
    // The games on show are read from `games` (the player's list).
    CNotationPanel(IShellPlatform& platform, const CPGNReader& games);

    void OnShowChanged(const CShowNotice& notice) override;
    // The openings of the listed games, which name the game's opening in the header; the line
    // above the moves names that of the position on show.
    void SetOpenings(std::shared_ptr<const CListOpenings> list) { openings = std::move(list); }
    // Piece letters as figurines (♞f3), or not; the text is laid out again.
    void SetFigurines(bool on);
    // The program's marks of the main line's moves of the game on show (see CNotationGame);
    // the text is laid out again.
    void SetMarks(std::vector<std::string> marks);
    // The panel's own links: "More tags" opens or closes its line; the rest of a comment shown
    // cut is read again on a worker, then shown in a window of its own. False for a position.
    bool OnPanelLink(int link);
    // The annotated tree of the game on show, once read; null before, or when it has none.
    const CAnnotatedGame* Tree() const noexcept;
    // Waits for the annotation read that runs; no further read starts. For shutdown.
    void Shutdown();

    // Called once the annotations of the game on show have been read and laid out.
    std::function<void()> onAnnotations;

private:
    // Takes the read that has ended; the panel shows it when it is of the game on show.
    void FinishRead();
    // Shows the whole comment read, or why it could not be read.
    void FinishComment();
    // Shows the document and highlights the position on show.
    void Lay();

    IShellPlatform& platform;
    const CPGNReader& games;
    bool holdsGame = false; // a game is on show
    CNotationGame document; // of the game on show
    unsigned ticket = 0;    // the annotation request of the game on show
    bool figurines = false;
    bool moreTags = false;
    int current = -1; // the link of the position on show
    std::unique_ptr<CAnnotationQueue> reads;
    std::optional<CGameSource> source;               // of the game on show
    std::shared_ptr<const CChessGameData> shownGame; // the game on show
    std::unique_ptr<CWholeCommentReader> comments;
    std::shared_ptr<const CListOpenings> openings = std::make_shared<const CListOpenings>();
};
