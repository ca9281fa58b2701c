#pragma once

#include "chess/ChessGameData.h"
#include "chess/ChessSet.h"
#include "common/FileReader.h"
#include "pgn/GameAnnotations.h"
#include "pgn/GameList.h"
#include "pgn/LoadReport.h"
#include "pgn/TextParser.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads PGN files into a list of games. Each load appends the games of its file behind those
// already listed; a game that cannot be read is dropped and recorded in the load's report, a
// text that cannot be read at all fails the load and leaves the list as it was.
//
// A load has two steps: Read parses a file without touching the list (on a worker thread, on
// several threads of its own), Append lists what it read. The list has its own lock and is
// handed to readers as snapshots: the player thread and the views read games while a file loads.
class CPGNReader : public virtual AFileReader {
public:
    CPGNReader() = default;
    CPGNReader(const CPGNReader&) = delete;
    CPGNReader& operator=(const CPGNReader&) = delete;

    // Reads the file and appends its games. Throws CFileReaderException and
    // CPGNReaderException; the list is unchanged then.
    void Load(const std::string& path);
    // Parses a text held in memory exactly as Load parses a file's text, and counts as a
    // successful read for the loaded flag.
    void LoadText(std::string_view text);

    // Reads and parses the file without listing its games; one Read at a time per reader, on
    // any thread. With `progress`, reports its progress there and ends early, with a result
    // marked cancelled, when the load is cancelled. Throws as Load does. A file compressed with
    // zstd, gzip or bzip2, or a zip archive of PGN files, is told by its first bytes and read
    // as it is decompressed (see CompressedRead.h).
    CParsedText Read(const std::string& path, CLoadProgress* progress = nullptr);
    // Appends the games of a Read (nothing for a cancelled one); its report becomes the last,
    // and it counts as a successful read for the loaded flag.
    void Append(CParsedText&& parsed);
    // Empties the list; the loaded flag stays.
    void Clear();
    // The threads a Read parses on; 0 (the default) chooses by the machine and the file.
    void SetParseThreads(unsigned threads) noexcept { parseThreads = threads; }
    // How a compressed text is read (see CStreamSettings): the size of its pieces, 0 for 8 MB,
    // and how far from a restart point text is kept in memory, 0 for the format's choice.
    // Tests cut texts in many places and keep text that would not be kept.
    void SetStreamPieces(std::size_t bytes, std::uint64_t keepReach) noexcept {
        pieceBytes = bytes;
        this->keepReach = keepReach;
    }

    // The list as it stands now. Never null.
    std::shared_ptr<const CGameListSnapshot> Games() const;
    // Where game i's text stands in its file; nothing for an index outside the list.
    std::optional<CGameSource> GameSource(int i) const;

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
    CParsedText ReadPlain(const std::string& path, CLoadProgress* progress);

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

    mutable std::mutex gamesMutex; // guards games and report
    std::shared_ptr<const CGameListSnapshot> games = std::make_shared<const CGameListSnapshot>();
    CLoadReport report;
    std::atomic<unsigned> parseThreads{0};
    std::atomic<std::size_t> pieceBytes{0};
    std::atomic<std::uint64_t> keepReach{0};
};
