#include "render/scale_bitmap.h"

#include <algorithm>
#include <array>
#include <vector>

namespace pindrel {

namespace {

// Weights are 24.8 fractions: a sample at sx blends columns sx >> 8 and the next one.
constexpr uint32_t kOne = 256;

// Horizontal sampling of one target column: byte offsets of its two source pixels in a row and
// the weight of the right one.
struct ColumnTap {
    size_t left = 0;
    size_t right = 0;
    uint32_t weight = 0;
};

// Source rows blended horizontally (values up to 255 * 256), kept while consecutive target
// rows sample the same source rows, as they do whenever a picture is enlarged.
class BlendedRows {
public:
    BlendedRows(ConstPixelView source, const std::vector<ColumnTap>& taps)
        : source_(source), taps_(taps) {
        for (auto& row : rows_)
            row.resize(taps.size() * 3);
    }

    // The blended source row sy; never evicts the row keep, which the caller still needs.
    const uint16_t* Get(int64_t sy, int64_t keep) {
        for (size_t slot = 0; slot < 2; ++slot)
            if (index_[slot] == sy) return rows_[slot].data();
        const size_t slot = index_[0] == keep ? 1 : 0;
        index_[slot] = sy;
        uint16_t* out = rows_[slot].data();
        const uint8_t* src = source_.Row(static_cast<int32_t>(sy));
        const ColumnTap* taps = taps_.data();
        for (size_t i = 0, n = taps_.size(); i < n; ++i, out += 3) {
            // Read all six bytes before storing: the stores could alias them otherwise.
            const uint8_t* l = src + taps[i].left;
            const uint8_t* r = src + taps[i].right;
            const uint32_t wr = taps[i].weight, wl = kOne - wr;
            const uint32_t b = l[0] * wl + r[0] * wr;
            const uint32_t g = l[1] * wl + r[1] * wr;
            const uint32_t rd = l[2] * wl + r[2] * wr;
            out[0] = static_cast<uint16_t>(b);
            out[1] = static_cast<uint16_t>(g);
            out[2] = static_cast<uint16_t>(rd);
        }
        return rows_[slot].data();
    }

private:
    ConstPixelView source_;
    const std::vector<ColumnTap>& taps_;
    std::array<std::vector<uint16_t>, 2> rows_;
    std::array<int64_t, 2> index_ = {-1, -1};
};

} // namespace

void ScaleBitmap(PixelView target, ConstPixelView source, int32_t x, int32_t y, int32_t cx,
                 int32_t cy) {
    if (target.Empty() || source.Empty() || cx <= 0 || cy <= 0) return;

    // Only target pixels that land on the target picture are computed.
    const int64_t iBegin = std::max<int64_t>(0, -int64_t{x});
    const int64_t iEnd = std::min<int64_t>(cx, int64_t{target.width} - x);
    const int64_t jBegin = std::max<int64_t>(0, -int64_t{y});
    const int64_t jEnd = std::min<int64_t>(cy, int64_t{target.height} - y);
    if (iBegin >= iEnd || jBegin >= jEnd) return;

    // 24.8 steps, floor(256 * source / target); 64 bits so that no size can overflow them.
    const auto sw = static_cast<uint64_t>(source.width);
    const auto sh = static_cast<uint64_t>(source.height);
    const uint64_t stepX = (sw << 16) / (static_cast<uint64_t>(cx) << 8);
    const uint64_t stepY = (sh << 16) / (static_cast<uint64_t>(cy) << 8);

    std::vector<ColumnTap> taps(static_cast<size_t>(iEnd - iBegin));
    for (int64_t i = iBegin; i < iEnd; ++i) {
        const uint64_t sx = static_cast<uint64_t>(i) * stepX;
        const uint64_t x0 = sx >> 8;
        const uint64_t x1 = x0 + 1 < sw ? x0 + 1 : x0; // the right edge repeats the last column
        taps[static_cast<size_t>(i - iBegin)] = {static_cast<size_t>(x0 * 3),
                                                 static_cast<size_t>(x1 * 3),
                                                 static_cast<uint32_t>(sx & 255)};
    }

    BlendedRows rows(source, taps);
    const size_t values = taps.size() * 3;
    for (int64_t j = jBegin; j < jEnd; ++j) {
        const uint64_t sy = static_cast<uint64_t>(j) * stepY;
        const auto y0 = static_cast<int64_t>(sy >> 8);
        const int64_t y1 = static_cast<uint64_t>(y0) + 1 < sh ? y0 + 1 : y0;
        const auto wy = static_cast<uint32_t>(sy & 255);
        uint8_t* out = target.Row(static_cast<int32_t>(y + j)) + (x + iBegin) * 3;
        const uint16_t* top = rows.Get(y0, y1);
        if (wy == 0) {
            // ((top * 256) >> 8 + 0) >> 8: the lower row does not count.
            for (size_t k = 0; k < values; ++k)
                out[k] = static_cast<uint8_t>(top[k] >> 8);
            continue;
        }
        const uint16_t* bottom = rows.Get(y1, y0);
        // Each product is truncated before the sum. With both weights in 1..255 here,
        // (v * w) >> 8 equals (v * (w << 8)) >> 16: the high half of a 16-bit product, which
        // vectorises well.
        const auto wTop = static_cast<uint16_t>((kOne - wy) << 8);
        const auto wBottom = static_cast<uint16_t>(wy << 8);
        for (size_t k = 0; k < values; ++k) {
            const auto t = static_cast<uint16_t>((uint32_t{top[k]} * wTop) >> 16);
            const auto b = static_cast<uint16_t>((uint32_t{bottom[k]} * wBottom) >> 16);
            out[k] = static_cast<uint8_t>((t + b) >> 8);
        }
    }
}

} // namespace pindrel
