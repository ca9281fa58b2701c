#include "common/ZipArchive.h"

#include "common/DecompressionException.h"

#include <algorithm>
#include <zip.h>

namespace {

std::string ErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

class CZipEntryStream final : public AByteStream {
public:
    CZipEntryStream(zip_file_t* file, const CZipEntry& entry) : file(file), entry(entry) {}
    ~CZipEntryStream() override { zip_fclose(file); }
    CZipEntryStream(const CZipEntryStream&) = delete;
    CZipEntryStream& operator=(const CZipEntryStream&) = delete;

    std::size_t Read(char* into, std::size_t bytes) override {
        const zip_int64_t got = zip_fread(file, into, bytes);
        if (got < 0) {
            throw CDecompressionException("CZipArchive::Read(): The data of " + entry.name +
                                          " is damaged after byte " + std::to_string(text) +
                                          " of its text (" + zip_file_strerror(file) + ")!");
        }
        text += static_cast<std::uint64_t>(got);
        return static_cast<std::size_t>(got);
    }
    std::uint64_t SourceBytesRead() const noexcept override {
        return entry.size == 0 ? entry.storedSize
                               : static_cast<std::uint64_t>(static_cast<double>(entry.storedSize) *
                                                            static_cast<double>(text) /
                                                            static_cast<double>(entry.size));
    }
    CRestartPoint LastRestart() const noexcept override { return {entry.index, 0}; }

private:
    zip_file_t* file;
    CZipEntry entry;
    std::uint64_t text = 0;
};

} // namespace

CZipArchive::CZipArchive(const std::string& path) {
    int error = 0;
    archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (archive == nullptr) {
        throw CDecompressionException("CZipArchive::CZipArchive(): The archive cannot be read (" +
                                      ErrorText(error) + ")!");
    }
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat) != 0) {
            continue;
        }
        CZipEntry entry;
        entry.index = static_cast<std::uint64_t>(i);
        entry.name = (stat.valid & ZIP_STAT_NAME) != 0 ? stat.name : "";
        entry.size = (stat.valid & ZIP_STAT_SIZE) != 0 ? stat.size : 0;
        entry.storedSize = (stat.valid & ZIP_STAT_COMP_SIZE) != 0 ? stat.comp_size : 0;
        entry.folder = !entry.name.empty() && entry.name.back() == '/';
        entry.encrypted =
            (stat.valid & ZIP_STAT_ENCRYPTION_METHOD) != 0 && stat.encryption_method != ZIP_EM_NONE;
        entry.method = (stat.valid & ZIP_STAT_COMP_METHOD) != 0 ? stat.comp_method : 0;
        entry.methodSupported = zip_compression_method_supported(entry.method, 0) != 0;
        entries.push_back(std::move(entry));
    }
}

CZipArchive::~CZipArchive() {
    zip_discard(archive);
}

std::unique_ptr<AByteStream> CZipArchive::Open(std::uint64_t index) {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [index](const CZipEntry& e) { return e.index == index; });
    if (found == entries.end()) {
        throw CDecompressionException("CZipArchive::Open(): No such entry!");
    }
    const CZipEntry& entry = *found;
    zip_file_t* file = zip_fopen_index(archive, entry.index, 0);
    if (file == nullptr) {
        throw CDecompressionException("CZipArchive::Open(): " + entry.name + " cannot be read (" +
                                      zip_strerror(archive) + ")!");
    }
    return std::make_unique<CZipEntryStream>(file, entry);
}
