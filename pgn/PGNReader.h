#pragma once

#include "chess/ChessGameData.h"
#include "chess/ChessSet.h"
#include "pgn/FileReader.h"
#include "pgn/LoadReport.h"

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

// Reads PGN files into a list of games. Each load appends the games of its file behind those
// already listed; a game that cannot be read is dropped and recorded in the load's report, a
// text that cannot be read at all fails the load and leaves the list as it was.
//
// The list has its own lock: the player thread may read games while the interface thread
// loads a file.
class CPGNReader : public virtual AFileReader {
public:
    // Reads the file and appends its games. Throws CFileReaderException and
    // CPGNReaderException; the list is unchanged then.
    void Load(const std::string& path);
    // Parses a text held in memory exactly as Load parses a file's text (up to its first 0
    // byte), and counts as a successful read for the loaded flag.
    void LoadText(std::string_view text);

    // Both throw CPGNReaderException until a file has been read.
    int GamesCount() const;
    CChessGameData GetGameData(const int& i) const;
    // "Event: White - Black", with "?" for an empty name and no "Event: " for an empty Event.
    std::string PrepareGameTitle(const int& index) const;
    std::vector<std::string> GamesTitles() const;

    // The report of the last load that reached the parsing of games.
    CLoadReport LastLoadReport() const;

    // --- Steps of a load, public so that each can be exercised on its own. ---

    // Parses one game's pre-processed text: tag pairs, then numbered movetext resolved against
    // a working chess set, which starts from the position of the game's FEN tag pair if it has
    // one. Throws any CGeneralException; the caller drops the game.
    static CChessGameData ParseGame(std::string_view text);
    // Splits "[Name"value"]" into name and value, decoding \" and \\ in the value.
    static void ReadTag(std::string_view tagPair, std::string& name, std::string& value);

    // --- SAN resolution: stateless, on the position of the set passed in. ---

    // Resolves one SAN token of the side to move into a move record. Throws
    // CPGNReaderException (and CChessboardStateException for a pawn search off the board).
    static CMove FindMove(std::string_view token, const EPieceColor& colour, const CChessSet& set);
    // "e4" -> (4, 3). Throws CPGNReaderException for anything but a file letter and a rank.
    static void GetFieldCoords(std::string_view s, int& file, int& rank);

private:
    // --- SAN resolution helpers (MoveResolution.cpp) ---

    // The sources a search found, in search order; never more than eight.
    struct CCandidates;
    friend class CMoveResolutionProbe; // exercises the helpers' own refusals in tests

    // Fills the source of a non-capturing pawn move whose destination is already in `move`.
    static void FindPawnSrcField(const CChessSet& set, CMove& move, const EPieceColor& colour);
    // Find the source of a bishop, rook or queen (BRQ) or a knight or king (NK) move; `hints`
    // loses the characters that disambiguation consumes.
    static void FindBRQSrcField(const CChessSet& set, CMove& move, std::string_view& hints,
                                const CPiece& piece);
    static void FindNKSrcField(const CChessSet& set, CMove& move, std::string_view& hints,
                               const CPiece& piece);
    // What both searches share once the piece type is accepted; `noPiece` is the message
    // when no piece of the kind reaches the destination.
    static void FindSource(const CChessboardState& board, CMove& move, std::string_view& hints,
                           const CPiece& piece, const char* noPiece);
    // Narrows two or more candidates for the move's destination to one: by the hints (a rank
    // digit last, then a file letter), then, where they leave several, by dropping the pieces
    // that may not leave their square without exposing their own king.
    static void SolveDisambiguation(CCandidates& candidates, std::string_view& hints,
                                    const CChessboardState& board, const CMove& move);

    // --- end of SAN resolution helpers ---

    void ParseData();
    void PreProcessData();

    mutable std::mutex gamesMutex; // guards games and report
    std::vector<CChessGameData> games;
    CLoadReport report;
    // The file's text while a load runs: the file's own buffer, taken over from the file
    // reader and rewritten in place, so that a load holds the text only once.
    std::unique_ptr<char[]> text;
    std::size_t textLength = 0;
};
