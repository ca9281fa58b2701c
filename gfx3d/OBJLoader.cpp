#include "gfx3d/OBJLoader.h"

#include "gfx3d/GfxExceptions.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <optional>
#include <string>
#include <string_view>

namespace {

// Shorter lines are ignored; the length excludes the terminator and counts leading spaces.
constexpr std::ptrdiff_t kMinLineLength = 8;

// The element kinds index the count and table arrays; a face is counted alongside them.
enum Kind : int { kPosition, kNormal, kTexture, kFace, kOther };
constexpr int kElementKinds = 3;

// The kinds of a face reference's parts a/b/c, in that order.
constexpr std::array<Kind, 3> kReferenceKinds{kPosition, kTexture, kNormal};

// A line's keyword and where its fields begin.
struct Statement {
    Kind kind;
    const char* fields;
};

// One corner of a face: its position, texture and normal index, each within its table.
using Corner = std::array<int, 3>;

const char* SkipSpaces(const char* p, const char* end) {
    while (p < end && *p == ' ') {
        ++p;
    }
    return p;
}

// Calls visit(line, end) for every line of at least kMinLineLength characters that ends in CR LF,
// a lone LF or a lone CR; text after the last terminator is not a line.
template <class Visit>
void ForEachLine(std::string_view text, Visit visit) {
    const char* const end = text.data() + text.size();
    const char* start = text.data();
    for (const char* p = start; p < end; ++p) {
        // One comparison for the common case: both terminators lie below every printable byte.
        if (static_cast<unsigned char>(*p) > '\r' || (*p != '\n' && *p != '\r')) {
            continue;
        }
        if (p - start >= kMinLineLength) {
            visit(start, p);
        }
        if (*p == '\r' && p + 1 < end && p[1] == '\n') {
            ++p;
        }
        start = p + 1;
    }
}

// The keyword is the first non-space character and the one after it: "v " position, "vn"
// normal, "vt" texture, "f" followed by anything a face. A comment ('#' in the first column) and
// every other statement are kOther.
Statement Classify(const char* line, const char* end) {
    const char* const p = SkipSpaces(line, end);
    if (p == end) {
        return {kOther, end};
    }
    const char next = p + 1 < end ? p[1] : '\n';
    if (*p == 'f') {
        return {kFace, SkipSpaces(std::min(p + 2, end), end)};
    }
    if (*p != 'v') {
        return {kOther, end};
    }
    switch (next) {
    case ' ':
        return {kPosition, SkipSpaces(p + 1, end)};
    case 'n':
        return {kNormal, SkipSpaces(p + 2, end)};
    case 't':
        return {kTexture, SkipSpaces(p + 2, end)};
    default:
        return {kOther, end};
    }
}

bool IsCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

locale_t CLocale() {
    static const locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

static_assert(std::numeric_limits<float>::is_iec559, "out-of-range doubles must round to inf");

// atof on the field [begin, end) as in the C locale, whatever locale the program has set. The
// field is copied so that the conversion cannot run past it: atof on the buffer would let its
// white-space skip run from an empty field into the next line.
float Atof(const char* begin, const char* end, std::string& scratch) {
    if (begin == end) {
        return 0.0f;
    }
    scratch.assign(begin, end);
    const locale_t c = CLocale();
    const double value =
        c ? ::strtod_l(scratch.c_str(), nullptr, c) : std::strtod(scratch.c_str(), nullptr);
    return static_cast<float>(value);
}

// atoi on [begin, end): white space, an optional sign, digits; what follows the digits is
// ignored. Empty when there is no digit. Large values saturate far beyond any valid index.
std::optional<std::int64_t> Atoi(const char* p, const char* end) {
    constexpr std::int64_t kSaturated = std::int64_t{1} << 40;
    while (p < end && IsCSpace(*p)) {
        ++p;
    }
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    if (p == end || !IsDigit(*p)) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (; p < end && IsDigit(*p); ++p) {
        value = std::min(value * 10 + (*p - '0'), kSaturated);
    }
    return negative ? -value : value;
}

// A negative index counts back from the end of the whole file: -1 is the last element.
int Resolve(std::int64_t index, std::int64_t raisedCount) {
    if (index < 0) {
        index += raisedCount;
    }
    if (index < 1 || index >= raisedCount) {
        throw COBJLoaderException("COBJLoader::Load(): Face index out of range!");
    }
    return static_cast<int>(index);
}

// The first three references a/b/c of a face; those after the third are not read.
std::array<Corner, 3> ReadCorners(const char* p, const char* end,
                                  const std::array<std::int64_t, kElementKinds>& raisedCounts) {
    std::array<Corner, 3> corners{};
    for (Corner& corner : corners) {
        if (p == end) {
            throw COBJLoaderException("COBJLoader::Load(): Face with fewer than three corners!");
        }
        const char* const referenceEnd = std::find(p, end, ' ');
        const char* const slash1 = std::find(p, referenceEnd, '/');
        const char* const slash2 =
            slash1 == referenceEnd ? referenceEnd : std::find(slash1 + 1, referenceEnd, '/');
        if (slash2 == referenceEnd) {
            throw COBJLoaderException("COBJLoader::Load(): Face reference not in the form a/b/c!");
        }
        const std::array<const char*, 4> bounds{p, slash1, slash2, referenceEnd};
        for (std::size_t i = 0; i < corner.size(); ++i) {
            const std::optional<std::int64_t> index =
                Atoi(bounds[i] + (i == 0 ? 0 : 1), bounds[i + 1]);
            if (!index) {
                throw COBJLoaderException(
                    "COBJLoader::Load(): Face reference not in the form a/b/c!");
            }
            corner[i] = Resolve(*index, raisedCounts[kReferenceKinds[i]]);
        }
        p = SkipSpaces(referenceEnd, end);
    }
    return corners;
}

} // namespace

void COBJLoader::Load(const std::string& path) {
    Discard();
    try {
        LoadFile(path);
        Parse(std::string_view(buffer.get(), static_cast<std::size_t>(size)));
    } catch (...) {
        ReleaseBuffer();
        throw;
    }
    ReleaseBuffer();
}

void COBJLoader::LoadText(std::string_view text) {
    Discard();
    loaded = true;
    Parse(text);
}

void COBJLoader::Discard() noexcept {
    positions = std::vector<float>();
    normals = std::vector<float>();
    texCoords = std::vector<float>();
    cornerCount = 0;
}

// Three scans: count the elements and faces, fill the element tables, then resolve the faces.
// Faces are resolved once every element is read, so a face may refer to an element that comes
// later in the file, as its negative indices always do.
void COBJLoader::Parse(std::string_view text) {
    std::array<std::int64_t, kOther> counts{};
    ForEachLine(text, [&counts](const char* line, const char* end) {
        const Kind kind = Classify(line, end).kind;
        if (kind != kOther) {
            ++counts[kind];
        }
    });

    // Every array's float count must fit an int: 3 per table slot, 9 per face.
    constexpr std::int64_t kMaxFloats = std::numeric_limits<int>::max();
    std::array<std::int64_t, kElementKinds> raisedCounts{};
    for (int kind = 0; kind < kElementKinds; ++kind) {
        raisedCounts[kind] = counts[kind] + 1;
        if (raisedCounts[kind] * 3 > kMaxFloats) {
            throw COBJLoaderException("COBJLoader::Load(): Model too large!");
        }
    }
    const std::int64_t faces = counts[kFace];
    if (faces == 0) {
        throw COBJLoaderException("COBJLoader::Load(): Model has no faces!");
    }
    if (faces * 9 > kMaxFloats) {
        throw COBJLoaderException("COBJLoader::Load(): Model too large!");
    }

    // One record of three floats per element, indexed from 1; slot 0 stays unused.
    std::array<std::vector<float>, kElementKinds> tables;
    std::array<std::size_t, kElementKinds> nextRecord{};
    for (int kind = 0; kind < kElementKinds; ++kind) {
        tables[kind].resize(static_cast<std::size_t>(raisedCounts[kind]) * 3);
        nextRecord[kind] = 3;
    }
    std::string scratch;
    ForEachLine(text, [&](const char* line, const char* end) {
        const Statement statement = Classify(line, end);
        if (statement.kind >= kElementKinds) {
            return;
        }
        float* const record = tables[statement.kind].data() + nextRecord[statement.kind];
        nextRecord[statement.kind] += 3;
        const char* p = statement.fields;
        for (int i = 0; i < 3; ++i) {
            const char* const fieldEnd = std::find(p, end, ' ');
            record[i] = Atof(p, fieldEnd, scratch);
            p = SkipSpaces(fieldEnd, end);
        }
    });

    const auto floats = static_cast<std::size_t>(faces) * 9;
    std::array<std::vector<float>, kElementKinds> out;
    for (std::vector<float>& array : out) {
        array.resize(floats);
    }
    std::size_t write = 0;
    ForEachLine(text, [&](const char* line, const char* end) {
        const Statement statement = Classify(line, end);
        if (statement.kind != kFace) {
            return;
        }
        for (const Corner& corner : ReadCorners(statement.fields, end, raisedCounts)) {
            for (std::size_t i = 0; i < corner.size(); ++i) {
                const Kind kind = kReferenceKinds[i];
                const float* const record =
                    tables[kind].data() + static_cast<std::size_t>(corner[i]) * 3;
                std::copy(record, record + 3, out[kind].data() + write);
            }
            write += 3;
        }
    });

    positions = std::move(out[kPosition]);
    normals = std::move(out[kNormal]);
    texCoords = std::move(out[kTexture]);
    cornerCount = static_cast<int>(faces * 3);
}

const float* COBJLoader::Vertices() const {
    if (!loaded) {
        throw COBJLoaderException("COBJLoader::Vertices(): There was no file loaded!");
    }
    return positions.data();
}

const float* COBJLoader::Normals() const {
    if (!loaded) {
        throw COBJLoaderException("COBJLoader::Normals(): There was no file loaded!");
    }
    return normals.data();
}

const float* COBJLoader::TexCoords() const {
    if (!loaded) {
        throw COBJLoaderException("COBJLoader::TexCoords(): There was no file loaded!");
    }
    return texCoords.data();
}

int COBJLoader::VertexCount() const {
    if (!loaded) {
        throw COBJLoaderException("COBJLoader::VertexCount(): There was no file loaded!");
    }
    return cornerCount;
}
