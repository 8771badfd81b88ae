#include "support/zip_reader.h"

#include <zip.h>

namespace pindrel::test {

std::vector<ZipItem> ReadZip(std::span<const uint8_t> bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_t* archive =
        source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr;
    if (!archive) {
        if (source) zip_source_free(source);
        zip_error_fini(&error);
        return {};
    }
    zip_error_fini(&error);
    std::vector<ZipItem> items;
    const zip_int64_t n = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive, index, ZIP_FL_ENC_RAW, &st) != 0) break;
        ZipItem item;
        item.name = st.name;
        item.mtime = st.mtime;
        item.method = st.comp_method;
        zip_uint8_t system = 0;
        zip_uint32_t attributes = 0;
        zip_file_get_external_attributes(archive, index, 0, &system, &attributes);
        item.unixMode = attributes >> 16;
        item.data.resize(st.size);
        zip_file_t* f = zip_fopen_index(archive, index, 0);
        const zip_int64_t read = f ? zip_fread(f, item.data.data(), st.size) : -1;
        if (f) zip_fclose(f);
        item.data.resize(read < 0 ? 0 : static_cast<size_t>(read));
        items.push_back(std::move(item));
    }
    zip_discard(archive);
    return items;
}

} // namespace pindrel::test
