#include "bench/CompressedCopies.h"

#include <bzlib.h>
#include <cstdio>
#include <fstream>
#include <functional>
#include <zip.h>
#include <zlib.h>
#include <zstd.h>

namespace {

constexpr std::size_t kBlock = std::size_t{4} << 20;

// Feeds the file's blocks to `compress`, which appends to `out` (the last call gets `last`).
bool Stream(
    const std::string& plain, const std::string& path,
    const std::function<void(const std::string& in, bool last, std::string& out)>& compress) {
    std::ifstream in(plain, std::ios::binary);
    std::ofstream out(path, std::ios::binary);
    std::string block(kBlock, '\0');
    std::string packed;
    while (in) {
        in.read(block.data(), static_cast<std::streamsize>(kBlock));
        const auto got = static_cast<std::size_t>(in.gcount());
        packed.clear();
        compress(block.substr(0, got), !in || in.peek() == EOF, packed);
        out.write(packed.data(), static_cast<std::streamsize>(packed.size()));
        if (!in || in.peek() == EOF) {
            break;
        }
    }
    return static_cast<bool>(out);
}

} // namespace

std::vector<CCompressedCopy> WriteCompressedCopies(const std::string& plain,
                                                   const std::string& folder) {
    std::vector<CCompressedCopy> copies;
    const std::string base = folder + "/copy.pgn";

    ZSTD_CCtx* zstd = ZSTD_createCCtx();
    ZSTD_CCtx_setParameter(zstd, ZSTD_c_compressionLevel, 3);
    const auto zstdStream = [zstd](bool frames) {
        return [zstd, frames](const std::string& in, bool last, std::string& out) {
            std::string buffer(ZSTD_CStreamOutSize(), '\0');
            ZSTD_inBuffer input{in.data(), in.size(), 0};
            const ZSTD_EndDirective mode = frames || last ? ZSTD_e_end : ZSTD_e_continue;
            std::size_t left = 0;
            do {
                ZSTD_outBuffer output{buffer.data(), buffer.size(), 0};
                left = ZSTD_compressStream2(zstd, &output, &input, mode);
                out.append(buffer.data(), output.pos);
            } while (mode == ZSTD_e_end ? left != 0 : input.pos < input.size);
        };
    };
    if (Stream(plain, base + ".zst", zstdStream(false))) {
        copies.push_back({"zstd", base + ".zst"});
    }
    if (Stream(plain, base + ".frames.zst", zstdStream(true))) {
        copies.push_back({"zstd 4MB frames", base + ".frames.zst"});
    }
    ZSTD_freeCCtx(zstd);

    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    if (Stream(plain, base + ".gz", [&z](const std::string& in, bool last, std::string& out) {
            std::string buffer(1 << 20, '\0');
            z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
            z.avail_in = static_cast<uInt>(in.size());
            int result = Z_OK;
            do {
                z.next_out = reinterpret_cast<Bytef*>(buffer.data());
                z.avail_out = static_cast<uInt>(buffer.size());
                result = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
                out.append(buffer.data(), buffer.size() - z.avail_out);
            } while (z.avail_out == 0 || (last && result != Z_STREAM_END));
        })) {
        copies.push_back({"gzip", base + ".gz"});
    }
    deflateEnd(&z);

    bz_stream b{};
    BZ2_bzCompressInit(&b, 9, 0, 0);
    if (Stream(plain, base + ".bz2", [&b](const std::string& in, bool last, std::string& out) {
            std::string buffer(1 << 20, '\0');
            b.next_in = const_cast<char*>(in.data());
            b.avail_in = static_cast<unsigned>(in.size());
            int result = BZ_RUN_OK;
            do {
                b.next_out = buffer.data();
                b.avail_out = static_cast<unsigned>(buffer.size());
                result = BZ2_bzCompress(&b, last ? BZ_FINISH : BZ_RUN);
                out.append(buffer.data(), buffer.size() - b.avail_out);
            } while (last ? result != BZ_STREAM_END : b.avail_in > 0);
        })) {
        copies.push_back({"bzip2", base + ".bz2"});
    }
    BZ2_bzCompressEnd(&b);

    int error = 0;
    zip_t* archive = zip_open((base + ".zip").c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive != nullptr) {
        zip_source_t* source = zip_source_file(archive, plain.c_str(), 0, -1);
        if (source != nullptr && zip_file_add(archive, "games.pgn", source, 0) >= 0 &&
            zip_close(archive) == 0) {
            copies.push_back({"zip", base + ".zip"});
        } else {
            zip_discard(archive);
        }
    }
    return copies;
}
