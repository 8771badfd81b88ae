#include "render/psd_channels.h"

#include <algorithm>
#include <cstring>

#include <zlib.h>

namespace pindrel::psd {

namespace {

// Inflates exactly size bytes; a stream that gives fewer is an error, more are not read.
bool Inflate(std::span<const uint8_t> data, uint8_t* out, size_t size) {
    // Inputs and channels stay far below zlib's 32-bit counts.
    if (data.size() > UINT32_MAX || size > UINT32_MAX) return false;
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    z.next_in = const_cast<Bytef*>(data.data());
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = out;
    z.avail_out = static_cast<uInt>(size);
    const int status = inflate(&z, Z_FINISH);
    const bool ok =
        z.avail_out == 0 && (status == Z_STREAM_END || status == Z_BUF_ERROR || status == Z_OK);
    inflateEnd(&z);
    return ok;
}

} // namespace

bool DecodePackBitsRows(std::span<const uint8_t> data, std::span<const uint16_t> rowBytes,
                        int32_t width, uint8_t* out) {
    const size_t w = static_cast<size_t>(width);
    size_t at = 0;
    for (const uint16_t count : rowBytes) {
        if (data.size() - at < count) return false;
        const std::span<const uint8_t> row = data.subspan(at, count);
        at += count;
        size_t x = 0, i = 0;
        while (i < row.size() && x < w) {
            const int n = static_cast<int8_t>(row[i++]);
            if (n >= 0) { // n + 1 literal bytes
                const size_t k = std::min<size_t>({size_t(n) + 1, row.size() - i, w - x});
                std::memcpy(out + x, row.data() + i, k);
                i += size_t(n) + 1;
                x += k;
            } else if (n != -128) { // one byte repeated 1 - n times
                if (i >= row.size()) break;
                const size_t k = std::min<size_t>(size_t(1 - n), w - x);
                std::memset(out + x, row[i++], k);
                x += k;
            }
        }
        // A row that stops short keeps zeros, as the editors that read it show.
        std::fill(out + x, out + w, uint8_t{0});
        out += w;
    }
    return true;
}

bool DecodeChannel(std::span<const uint8_t> data, Compression compression, int32_t width,
                   int32_t height, std::vector<uint8_t>& out) {
    const size_t w = static_cast<size_t>(width), h = static_cast<size_t>(height);
    out.assign(w * h, 0);
    switch (compression) {
    case Compression::Raw:
        if (data.size() < w * h) return false;
        std::copy_n(data.begin(), w * h, out.begin());
        return true;
    case Compression::Rle: {
        if (data.size() / 2 < h) return false;
        std::vector<uint16_t> counts(h);
        for (size_t y = 0; y < h; ++y)
            counts[y] = static_cast<uint16_t>((data[2 * y] << 8) | data[2 * y + 1]);
        return DecodePackBitsRows(data.subspan(2 * h), counts, width, out.data());
    }
    case Compression::Zip:
    case Compression::ZipPredicted:
        if (!Inflate(data, out.data(), out.size())) return false;
        if (compression == Compression::ZipPredicted) {
            // Each byte was stored as its difference from the one to its left.
            for (size_t y = 0; y < h; ++y) {
                uint8_t* row = out.data() + y * w;
                for (size_t x = 1; x < w; ++x)
                    row[x] = static_cast<uint8_t>(row[x] + row[x - 1]);
            }
        }
        return true;
    }
    return false;
}

} // namespace pindrel::psd
