#include "support/bmp_writer.h"

#include <initializer_list>

namespace pindrel::test {

namespace {

// push_back rather than insert: GCC 12 warns falsely about inserting initializer lists.
void AppendBytes(std::vector<uint8_t>& out, std::initializer_list<uint8_t> bytes) {
    for (uint8_t b : bytes)
        out.push_back(b);
}

void AppendU16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void AppendU32(std::vector<uint8_t>& out, uint32_t v) {
    AppendU16(out, v & 0xFFFF);
    AppendU16(out, v >> 16);
}

// Length of the run of equal values starting at i, at most 255.
int32_t RunAt(std::span<const uint32_t> row, int32_t i) {
    int32_t n = 1;
    const auto w = static_cast<int32_t>(row.size());
    while (i + n < w && n < 255 && row[i + n] == row[i])
        ++n;
    return n;
}

// Length of the stretch from i on that holds no repeat, at most 255.
int32_t LiteralAt(std::span<const uint32_t> row, int32_t i) {
    int32_t n = 1;
    const auto w = static_cast<int32_t>(row.size());
    while (i + n < w && n < 255 && !(i + n + 1 < w && row[i + n] == row[i + n + 1]))
        ++n;
    return n;
}

template <typename EmitRun, typename EmitAbsolute>
std::vector<uint8_t> EncodeRle(int32_t width, std::span<const uint32_t> indices, EmitRun emitRun,
                               EmitAbsolute emitAbsolute) {
    std::vector<uint8_t> out;
    for (size_t start = 0; start + static_cast<size_t>(width) <= indices.size(); start += width) {
        const auto row = indices.subspan(start, static_cast<size_t>(width));
        for (int32_t i = 0; i < width;) {
            const int32_t run = RunAt(row, i);
            if (run >= 2) {
                emitRun(out, run, row[i]);
                i += run;
                continue;
            }
            const int32_t n = LiteralAt(row, i);
            if (n >= 3) {
                out.push_back(0);
                out.push_back(static_cast<uint8_t>(n));
                emitAbsolute(out, row.subspan(i, n));
            } else {
                for (int32_t k = 0; k < n; ++k)
                    emitRun(out, 1, row[i + k]);
            }
            i += n;
        }
        AppendBytes(out, {0, 0});
    }
    AppendBytes(out, {0, 1});
    return out;
}

} // namespace

std::vector<uint8_t> WriteBmp(const BmpFile& f) {
    const uint32_t headerSize = f.coreHeader ? 12 : f.infoSize;
    const bool masksInside = !f.coreHeader && f.infoSize > 40;
    const uint32_t tableBytes = static_cast<uint32_t>(f.palette.size()) * (f.coreHeader ? 3 : 4) +
                                (masksInside ? 0 : static_cast<uint32_t>(f.masks.size()) * 4);
    const uint32_t offset = f.pixelOffset.value_or(14 + headerSize + tableBytes);

    std::vector<uint8_t> out;
    AppendBytes(out, {'B', 'M'});
    AppendU32(out, offset + static_cast<uint32_t>(f.pixels.size()));
    AppendU32(out, 0);
    AppendU32(out, offset);
    AppendU32(out, headerSize);
    if (f.coreHeader) {
        AppendU16(out, static_cast<uint32_t>(f.width));
        AppendU16(out, static_cast<uint32_t>(f.height));
        AppendU16(out, 1);
        AppendU16(out, f.bitCount);
    } else {
        AppendU32(out, static_cast<uint32_t>(f.width));
        AppendU32(out, static_cast<uint32_t>(f.height));
        AppendU16(out, 1);
        AppendU16(out, f.bitCount);
        AppendU32(out, f.compression);
        AppendU32(out, static_cast<uint32_t>(f.pixels.size()));
        AppendU32(out, 2835); // 72 dpi
        AppendU32(out, 2835);
        AppendU32(out, f.colorsUsed.value_or(static_cast<uint32_t>(f.palette.size())));
        AppendU32(out, 0);
    }
    if (masksInside) {
        constexpr size_t kHeaderStart = 14;
        for (size_t i = 0; i < f.masks.size() && i < 4; ++i)
            AppendU32(out, f.masks[i]);
        if (headerSize >= 108) {
            out.resize(kHeaderStart + 56, 0);
            AppendU32(out, 0x73524742); // colour space "sRGB"
        }
        out.resize(kHeaderStart + headerSize, 0);
    } else {
        for (uint32_t m : f.masks)
            AppendU32(out, m);
    }
    for (Color c : f.palette) {
        AppendBytes(out, {c.B(), c.G(), c.R()});
        if (!f.coreHeader) out.push_back(0);
    }
    out.resize(offset, 0); // an offset inside the headers overlaps them, as a hostile file may
    out.insert(out.end(), f.pixels.begin(), f.pixels.end());
    return out;
}

std::vector<uint8_t> PackRows(uint16_t bitCount, int32_t width, std::span<const uint32_t> values) {
    const size_t stride = ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
    const size_t rows = width > 0 ? values.size() / static_cast<size_t>(width) : 0;
    std::vector<uint8_t> out(stride * rows, 0);
    for (size_t y = 0; y < rows; ++y) {
        uint8_t* row = out.data() + y * stride;
        for (size_t x = 0; x < static_cast<size_t>(width); ++x) {
            const uint32_t v = values[y * static_cast<size_t>(width) + x];
            switch (bitCount) {
            case 1:
            case 2:
            case 4:
            case 8: {
                const size_t bit = x * bitCount;
                const auto shift = static_cast<unsigned>(8 - bitCount - bit % 8);
                row[bit / 8] |= static_cast<uint8_t>((v & ((1u << bitCount) - 1)) << shift);
                break;
            }
            case 16:
                row[2 * x] = static_cast<uint8_t>(v);
                row[2 * x + 1] = static_cast<uint8_t>(v >> 8);
                break;
            case 24:
                row[3 * x] = static_cast<uint8_t>(v);
                row[3 * x + 1] = static_cast<uint8_t>(v >> 8);
                row[3 * x + 2] = static_cast<uint8_t>(v >> 16);
                break;
            case 32:
                for (size_t k = 0; k < 4; ++k)
                    row[4 * x + k] = static_cast<uint8_t>(v >> (8 * k));
                break;
            default:
                break;
            }
        }
    }
    return out;
}

std::vector<uint8_t> EncodeRle8(int32_t width, std::span<const uint32_t> indices) {
    return EncodeRle(
        width, indices,
        [](std::vector<uint8_t>& out, int32_t n, uint32_t v) {
            out.push_back(static_cast<uint8_t>(n));
            out.push_back(static_cast<uint8_t>(v));
        },
        [](std::vector<uint8_t>& out, std::span<const uint32_t> run) {
            for (uint32_t v : run)
                out.push_back(static_cast<uint8_t>(v));
            if (run.size() % 2) out.push_back(0);
        });
}

std::vector<uint8_t> EncodeRle4(int32_t width, std::span<const uint32_t> indices) {
    return EncodeRle(
        width, indices,
        [](std::vector<uint8_t>& out, int32_t n, uint32_t v) {
            out.push_back(static_cast<uint8_t>(n));
            out.push_back(static_cast<uint8_t>(((v & 15) << 4) | (v & 15)));
        },
        [](std::vector<uint8_t>& out, std::span<const uint32_t> run) {
            const size_t bytes = (run.size() + 1) / 2;
            for (size_t b = 0; b < bytes; ++b) {
                const uint32_t hi = run[2 * b] & 15;
                const uint32_t lo = 2 * b + 1 < run.size() ? run[2 * b + 1] & 15 : 0;
                out.push_back(static_cast<uint8_t>((hi << 4) | lo));
            }
            if (bytes % 2) out.push_back(0);
        });
}

void PutU16(std::vector<uint8_t>& bytes, size_t offset, uint16_t value) {
    bytes.at(offset) = static_cast<uint8_t>(value);
    bytes.at(offset + 1) = static_cast<uint8_t>(value >> 8);
}

void PutU32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    PutU16(bytes, offset, static_cast<uint16_t>(value));
    PutU16(bytes, offset + 2, static_cast<uint16_t>(value >> 16));
}

} // namespace pindrel::test
