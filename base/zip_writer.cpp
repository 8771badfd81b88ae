#include "base/zip_writer.h"

#include <cstdio>
#include <memory>

#include <zip.h>

namespace pindrel {

namespace {

// 1980-01-01 00:00:00 in MS-DOS form: the date's day 1, month 1, year 0; the time 0.
constexpr uint16_t kDosDate = (1 << 5) | 1;
constexpr uint16_t kDosTime = 0;
constexpr uint32_t kFileMode = 0100644;
constexpr uint32_t kFolderMode = 040755;
constexpr uint32_t kDosDirectory = 0x10;
constexpr uint32_t kBestCompression = 9;

struct SourceFree {
    void operator()(zip_source_t* s) const { zip_source_free(s); }
};
struct ArchiveDiscard {
    void operator()(zip_t* z) const { zip_discard(z); }
};
using SourcePtr = std::unique_ptr<zip_source_t, SourceFree>;
using ArchivePtr = std::unique_ptr<zip_t, ArchiveDiscard>;

ZipResult Fail(std::string why) {
    return {{}, std::move(why)};
}

std::string ArchiveError(zip_t* archive) {
    return zip_strerror(archive);
}

// The bytes libzip wrote into its buffer source.
bool ReadBack(zip_source_t* source, std::vector<uint8_t>& bytes) {
    if (zip_source_open(source) != 0) return false;
    bool ok = zip_source_seek(source, 0, SEEK_END) == 0;
    const zip_int64_t size = ok ? zip_source_tell(source) : -1;
    ok = size >= 0 && zip_source_seek(source, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize(static_cast<size_t>(size));
        ok = zip_source_read(source, bytes.data(), static_cast<zip_uint64_t>(size)) == size;
    }
    zip_source_close(source);
    return ok;
}

bool AddEntry(zip_t* archive, const ZipEntry& entry) {
    const bool folder = !entry.name.empty() && entry.name.back() == '/';
    zip_int64_t index = -1;
    if (folder) {
        index = zip_dir_add(archive, entry.name.c_str(), ZIP_FL_ENC_GUESS);
    } else {
        // The data stays the caller's until the archive is closed.
        zip_source_t* data = zip_source_buffer(archive, entry.data.data(), entry.data.size(), 0);
        if (!data) return false;
        index = zip_file_add(archive, entry.name.c_str(), data, ZIP_FL_ENC_GUESS);
        if (index < 0) {
            zip_source_free(data);
            return false;
        }
    }
    if (index < 0) return false;
    const auto i = static_cast<zip_uint64_t>(index);
    const uint32_t attributes = folder ? (kFolderMode << 16) | kDosDirectory : kFileMode << 16;
    return zip_file_set_dostime(archive, i, kDosTime, kDosDate, 0) == 0 &&
           zip_file_set_external_attributes(archive, i, 0, ZIP_OPSYS_UNIX, attributes) == 0 &&
           (folder || zip_set_file_compression(archive, i, ZIP_CM_DEFLATE, kBestCompression) == 0);
}

} // namespace

ZipResult WriteZip(std::span<const ZipEntry> entries) {
    // libzip removes an archive left empty rather than write one.
    if (entries.empty()) return Fail("nothing to archive");
    zip_error_t error;
    zip_error_init(&error);
    SourcePtr buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!buffer) {
        ZipResult failed = Fail(zip_error_strerror(&error));
        zip_error_fini(&error);
        return failed;
    }
    ArchivePtr archive(zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error));
    if (!archive) {
        ZipResult failed = Fail(zip_error_strerror(&error));
        zip_error_fini(&error);
        return failed;
    }
    zip_error_fini(&error);
    // The archive takes the source's reference; this keeps one for reading the bytes back.
    zip_source_keep(buffer.get());

    for (const ZipEntry& entry : entries) {
        if (entry.name.find('\0') != std::string::npos)
            return Fail("a name holds a NUL byte: " + entry.name.substr(0, entry.name.find('\0')));
        if (!AddEntry(archive.get(), entry))
            return Fail(entry.name + ": " + ArchiveError(archive.get()));
    }
    if (zip_close(archive.get()) != 0) return Fail(ArchiveError(archive.get()));
    archive.release(); // closed, and freed by zip_close
    ZipResult result;
    if (!ReadBack(buffer.get(), result.bytes)) return Fail("cannot read the archive back");
    return result;
}

} // namespace pindrel
