#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Makes PGN text of realistic games for the benchmark: the master games replayed with varied
// tag pairs (ratings, rounds, time controls), clock comments, text comments, annotation glyphs,
// move suffixes, variations (some nested) and Black move numbers after comments, in the export
// layout with lines of at most 80 characters. The same seed gives the same text on every run.
// splitmix64: fixed arithmetic, so the text is the same with every standard library.
class CBenchRandom {
public:
    explicit CBenchRandom(std::uint64_t seed) : state(seed) {}

    std::uint64_t Next() {
        state += 0x9E3779B97F4A7C15ULL;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // A number in [0, bound).
    int Below(std::size_t bound) { return static_cast<int>(Next() % bound); }
    bool Chance(int percent) { return Below(100) < percent; }

private:
    std::uint64_t state;
};

class CPgnTextGenerator {
public:
    // `bare`: games with tags and moves only, as most games of real databases are.
    explicit CPgnTextGenerator(std::uint64_t seed, bool bare = false) : random(seed), bare(bare) {}

    // Appends one game followed by an empty line.
    void AppendGame(std::string& out);

    // The index into masterGames of every game made so far, in order.
    const std::vector<int>& MastersMade() const noexcept { return masters; }

private:
    void AppendTags(std::string& out, int master);

    CBenchRandom random;
    bool bare;
    std::vector<int> masters;
};
