#include "render/bmp_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "support/bmp_writer.h"
#include "support/temp_dir.h"

namespace pindrel {
namespace {

using test::BmpFile;
using test::WriteBmp;

std::vector<uint8_t> Cut(std::vector<uint8_t> bytes, size_t size) {
    bytes.resize(size);
    return bytes;
}

BmpResult Decode(const std::vector<uint8_t>& bytes) {
    return LoadBmp(std::span<const uint8_t>(bytes));
}

// The picture's pixels, top row first.
std::vector<Color> TopDown(const DibImage& image) {
    std::vector<Color> out;
    const ConstPixelView v = image.View();
    for (int32_t y = 0; y < v.height; ++y)
        for (int32_t x = 0; x < v.width; ++x)
            out.push_back(v.Pixel(x, y));
    return out;
}

bool PaddingIsZero(const DibImage& image) {
    for (int32_t k = 0; k < image.Height(); ++k)
        for (int32_t b = 3 * image.Width(); b < image.Stride(); ++b)
            if (image.MemoryRow(k)[b] != 0) return false;
    return true;
}

// Decodes bytes that must succeed and returns the pixels, top row first.
std::vector<Color> DecodePixels(const std::vector<uint8_t>& bytes, int32_t width, int32_t height) {
    BmpResult r = Decode(bytes);
    EXPECT_EQ(r.status, BmpStatus::Ok) << r.reason;
    if (!r.image) return {};
    EXPECT_EQ(r.image->Width(), width);
    EXPECT_EQ(r.image->Height(), height);
    EXPECT_TRUE(PaddingIsZero(*r.image));
    return TopDown(*r.image);
}

std::vector<Color> RandomPalette(size_t n, std::mt19937& rng) {
    std::vector<Color> p;
    for (size_t i = 0; i < n; ++i)
        p.push_back(Color(rng() & 0xFFFFFF));
    return p;
}

uint8_t Widen5(uint32_t v) {
    return static_cast<uint8_t>((v << 3) | (v >> 2));
}
uint8_t Widen6(uint32_t v) {
    return static_cast<uint8_t>((v << 2) | (v >> 4));
}

// Every layout, at widths that end rows on every bit and byte boundary. Values are random; the
// expected colour of each comes from the format's definition, rows top to bottom.
TEST(LoadBmp, DecodesEveryLayoutAtAwkwardWidths) {
    enum class Kind { Indexed, Rle8, Rle4, Rgb555, Rgb565, Bgr, Bgrx, TopDownBgr, CoreIndexed };
    struct Case {
        const char* name;
        Kind kind;
        uint16_t bits;
    };
    const Case kCases[] = {
        {"1 bit", Kind::Indexed, 1},
        {"2 bits", Kind::Indexed, 2},
        {"4 bits", Kind::Indexed, 4},
        {"8 bits", Kind::Indexed, 8},
        {"8 bits core", Kind::CoreIndexed, 8},
        {"1 bit core", Kind::CoreIndexed, 1},
        {"RLE8", Kind::Rle8, 8},
        {"RLE4", Kind::Rle4, 4},
        {"16 bits 555", Kind::Rgb555, 16},
        {"16 bits 565 fields", Kind::Rgb565, 16},
        {"24 bits", Kind::Bgr, 24},
        {"32 bits", Kind::Bgrx, 32},
        {"24 bits top-down", Kind::TopDownBgr, 24},
    };
    const int32_t kWidths[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 31, 32, 33};
    constexpr int32_t kHeight = 3;
    std::mt19937 rng(7);
    for (const Case& c : kCases) {
        for (int32_t w : kWidths) {
            SCOPED_TRACE(std::string(c.name) + ", width " + std::to_string(w));
            const bool indexed = c.kind == Kind::Indexed || c.kind == Kind::CoreIndexed ||
                                 c.kind == Kind::Rle8 || c.kind == Kind::Rle4;
            BmpFile f = BmpFile().Size(w, kHeight).Bits(c.bits);
            if (indexed) f.palette = RandomPalette(size_t{1} << c.bits, rng);
            // Few distinct values, so the run-length encoders make runs as well as literals.
            const uint32_t largest = indexed ? (1u << c.bits) - 1 : 0xFFFFFFFFu;
            const uint32_t range = rng() % 2 ? std::min(largest, 2u) : largest;
            std::vector<uint32_t> values(static_cast<size_t>(w * kHeight)); // file order
            for (auto& v : values)
                v = static_cast<uint32_t>(rng() % (uint64_t{range} + 1));
            std::vector<Color> want(values.size());
            for (size_t i = 0; i < values.size(); ++i) {
                const uint32_t v = values[i];
                // File row r is picture row height - 1 - r, except for top-down data.
                const size_t r = i / static_cast<size_t>(w);
                const size_t top = c.kind == Kind::TopDownBgr ? r : kHeight - 1 - r;
                Color& out = want[top * static_cast<size_t>(w) + i % static_cast<size_t>(w)];
                switch (c.kind) {
                case Kind::Rgb555:
                    out = Color::FromRgb(Widen5((v >> 10) & 31), Widen5((v >> 5) & 31),
                                         Widen5(v & 31));
                    break;
                case Kind::Rgb565:
                    out = Color::FromRgb(Widen5((v >> 11) & 31), Widen6((v >> 5) & 63),
                                         Widen5(v & 31));
                    break;
                case Kind::Bgr:
                case Kind::Bgrx:
                case Kind::TopDownBgr:
                    out = Color::FromRgb(static_cast<uint8_t>(v >> 16),
                                         static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v));
                    break;
                default:
                    out = f.palette[v];
                }
            }
            switch (c.kind) {
            case Kind::Rle8:
                f.compression = 1;
                f.pixels = test::EncodeRle8(w, values);
                break;
            case Kind::Rle4:
                f.compression = 2;
                f.pixels = test::EncodeRle4(w, values);
                break;
            case Kind::Rgb565:
                f.compression = 3;
                f.masks = {0xF800, 0x07E0, 0x001F};
                f.pixels = test::PackRows(c.bits, w, values);
                break;
            default:
                f.coreHeader = c.kind == Kind::CoreIndexed;
                f.height = c.kind == Kind::TopDownBgr ? -kHeight : kHeight;
                f.pixels = test::PackRows(c.bits, w, values);
            }
            EXPECT_EQ(DecodePixels(WriteBmp(f), w, kHeight), want);
        }
    }
}

TEST(LoadBmp, WidensSixteenBitWords) {
    struct Case {
        const char* name;
        uint16_t word;
        Color want;
    };
    const Case kCases[] = {
        {"white", 0x7FFF, Color::FromRgb(255, 255, 255)},
        {"full blue", 0x001F, Color::FromRgb(0, 0, 255)},
        {"lowest blue", 0x0001, Color::FromRgb(0, 0, 8)},
        {"top bit ignored", 0x8000, kBlack},
        {"full red", 0x7C00, Color::FromRgb(255, 0, 0)},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const uint32_t v = c.word;
        const auto f = BmpFile().Bits(16).Data(test::PackRows(16, 1, {&v, 1}));
        EXPECT_EQ(DecodePixels(WriteBmp(f), 1, 1), std::vector<Color>{c.want});
    }
}

// Masks of every shape: the field is scaled to 8 bits by keeping its top bits or repeating its
// bit pattern.
TEST(LoadBmp, AppliesBitFieldMasks) {
    struct Case {
        const char* name;
        uint16_t bits;
        std::vector<uint32_t> masks; // red, green, blue
        uint32_t pixel;
        Color want;
    };
    const Case kCases[] = {
        {"565 white", 16, {0xF800, 0x07E0, 0x001F}, 0xFFFF, Color::FromRgb(255, 255, 255)},
        {"565 lowest green", 16, {0xF800, 0x07E0, 0x001F}, 0x0020, Color::FromRgb(0, 4, 0)},
        {"565 mid", 16, {0xF800, 0x07E0, 0x001F}, 0x8410, Color::FromRgb(132, 130, 132)},
        {"one-bit fields", 16, {0x4, 0x2, 0x1}, 0x5, Color::FromRgb(255, 0, 255)},
        {"three-bit red", 16, {0x7, 0, 0}, 0x5, Color::FromRgb(0xB6, 0, 0)},
        {"empty masks", 16, {0, 0, 0}, 0xFFFF, kBlack},
        {"32 bits BGRX",
         32,
         {0xFF0000, 0xFF00, 0xFF},
         0xAA123456,
         Color::FromRgb(0x12, 0x34, 0x56)},
        {"32 bits RGBX",
         32,
         {0xFF, 0xFF00, 0xFF0000},
         0x00123456,
         Color::FromRgb(0x56, 0x34, 0x12)},
        {"10-bit fields keep the top 8",
         32,
         {0x3FF00000, 0xFFC00, 0x3FF},
         (0x3FFu << 20) | (0x201u << 10) | 0x0FF,
         Color::FromRgb(255, 0x80, 0x3F)},
        {"mask with a hole", 32, {0x0F0F0000, 0, 0}, 0x0F000000, Color::FromRgb(0xF0, 0, 0)},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const auto f =
            BmpFile().Bits(c.bits, 3).Masks(c.masks).Data(test::PackRows(c.bits, 1, {&c.pixel, 1}));
        EXPECT_EQ(DecodePixels(WriteBmp(f), 1, 1), std::vector<Color>{c.want});
    }
}

TEST(LoadBmp, CoreAndInfoHeadersDecodeAlike) {
    const std::vector<uint32_t> indices = {0, 1, 2, 3, 3, 2, 1, 0, 1, 1, 2, 2, 0, 3, 0, 3};
    BmpFile f = BmpFile().Size(4, 4).Bits(8).Data(test::PackRows(8, 4, indices));
    f.palette = {Color(0x0000FF), Color(0x00FF00), Color(0xFF0000), Color(0x123456)};
    f.palette.resize(256); // a core header has no colours-used field: the table is whole
    const auto info = DecodePixels(WriteBmp(f), 4, 4);
    f.coreHeader = true;
    EXPECT_EQ(DecodePixels(WriteBmp(f), 4, 4), info);
    EXPECT_EQ(info[0], Color(0x0000FF)); // top-left is the last file row's first pixel
}

TEST(LoadBmp, ColoursUsedShortensTheTable) {
    // Five entries; the pixel offset leaves a gap after them that must not be read as colours.
    const std::vector<uint32_t> indices = {4, 5, 0, 255};
    BmpFile f = BmpFile().Size(4, 1).Bits(8).ColorsUsed(5).Data(test::PackRows(8, 4, indices));
    for (uint32_t i = 0; i < 5; ++i)
        f.palette.push_back(Color(0x010101 * (i + 1)));
    f.pixelOffset = 14 + 40 + 5 * 4 + 16;
    auto bytes = WriteBmp(f);
    std::fill(bytes.begin() + 14 + 40 + 20, bytes.begin() + 14 + 40 + 36, 0x77);
    EXPECT_EQ(DecodePixels(bytes, 4, 1),
              (std::vector<Color>{Color(0x050505), kBlack, Color(0x010101), kBlack}));
}

TEST(LoadBmp, MissingUncompressedBytesReadAsZero) {
    // Index 0 is not black, so zero bytes show as that colour rather than as nothing.
    BmpFile f = BmpFile().Size(2, 3).Bits(8).Colors({Color(0x112233), Color(0x445566)});
    const std::vector<uint32_t> indices = {1, 1, 1, 1, 1, 1};
    f.pixels = test::PackRows(8, 2, indices);
    f.pixels.resize(5); // first row whole, second row one pixel, third missing
    const Color z(0x112233), one(0x445566);
    EXPECT_EQ(DecodePixels(WriteBmp(f), 2, 3), (std::vector<Color>{z, z, one, z, one, one}));

    auto bytes = WriteBmp(f);
    test::PutU32(bytes, 10, 0xFFFFFFFF); // pixel data beyond the end of the file
    EXPECT_EQ(DecodePixels(bytes, 2, 3), std::vector<Color>(6, z));
}

// Run-length streams written by hand, checked against the pixels they must give.
TEST(LoadBmp, DecodesRunLengthStreams) {
    const Color c0(0x000001), c1(0x000002), c2(0x000003), c3(0x000004), c7(0x000008);
    const std::vector<Color> pal = {c0, c1, c2, c3, Color(5), Color(6), Color(7), c7};
    struct Case {
        const char* name;
        uint16_t bits;
        int32_t width, height;
        std::vector<uint8_t> stream;
        std::vector<Color> want; // bottom row first, as stored
    };
    const Color k = kBlack;
    const Case kCases[] = {
        {"RLE8 absolute run of 3 skips one pad byte",
         8,
         4,
         1,
         {0, 3, 1, 2, 3, 0x99, 1, 7, 0, 1},
         {c1, c2, c3, c7}},
        {"RLE4 absolute run of 3 has no pad",
         4,
         4,
         1,
         {0, 3, 0x12, 0x30, 1, 0x77, 0, 1},
         {c1, c2, c3, c7}},
        {"RLE4 absolute run of 5 skips one pad byte",
         4,
         6,
         1,
         {0, 5, 0x12, 0x31, 0x20, 0x99, 1, 0x77, 0, 1},
         {c1, c2, c3, c1, c2, c7}},
        {"RLE4 encoded run alternates nibbles", 4, 5, 1, {5, 0x12, 0, 1}, {c1, c2, c1, c2, c1}},
        {"delta moves right and up",
         8,
         6,
         2,
         {3, 1, 0, 2, 2, 1, 1, 2, 0, 1},
         {c1, c1, c1, k, k, k, /* row 1 */ k, k, k, k, k, c2}},
        {"end of line starts the next row",
         8,
         3,
         2,
         {1, 1, 0, 0, 2, 2, 0, 1},
         {c1, k, k, c2, c2, k}},
        {"runs past the right edge are clipped",
         8,
         3,
         2,
         {200, 1, 0, 0, 1, 2, 0, 1},
         {c1, c1, c1, c2, k, k}},
        {"absolute run past the edge", 8, 2, 1, {0, 4, 1, 2, 3, 3, 0, 1}, {c1, c2}},
        {"deltas outside the picture store nothing",
         8,
         2,
         2,
         {0, 2, 200, 200, 5, 1, 0, 2, 0, 255, 5, 1, 0, 1},
         {k, k, k, k}},
        {"data that ends mid-run stops decoding",
         8,
         4,
         2,
         {2, 1, 0, 5, 2, 3},
         {c1, c1, c2, c3, k, k, k, k}},
        {"index beyond the table is black", 8, 2, 1, {2, 200, 0, 1}, {k, k}},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const auto f = BmpFile()
                           .Size(c.width, c.height)
                           .Bits(c.bits, c.bits == 8 ? 1 : 2)
                           .Colors(pal)
                           .Data(c.stream);
        BmpResult r = Decode(WriteBmp(f));
        ASSERT_EQ(r.status, BmpStatus::Ok);
        std::vector<Color> stored;
        for (int32_t y = 0; y < c.height; ++y)
            for (int32_t x = 0; x < c.width; ++x) {
                const uint8_t* p = r.image->MemoryRow(y) + 3 * x;
                stored.push_back(Color::FromRgb(p[2], p[1], p[0]));
            }
        EXPECT_EQ(stored, c.want);
        EXPECT_TRUE(PaddingIsZero(*r.image));
    }
}

TEST(LoadBmp, RefusesWhatItCannotDecode) {
    const auto good = BmpFile().Size(2, 2).Data(std::vector<uint8_t>(16, 0));
    const auto base = WriteBmp(good);
    auto patched = [&](size_t offset, uint32_t v, int bytes = 4) {
        auto b = base;
        if (bytes == 2)
            test::PutU16(b, offset, static_cast<uint16_t>(v));
        else
            test::PutU32(b, offset, v);
        return b;
    };
    auto withSize = [](int32_t w, int32_t h, uint16_t bits = 24, uint32_t compression = 0) {
        return WriteBmp(BmpFile().Size(w, h).Bits(bits, compression));
    };
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        BmpStatus want;
    };
    const Case kCases[] = {
        {"empty", {}, BmpStatus::NotABitmap},
        {"magic BA", patched(0, 0x4142, 2), BmpStatus::NotABitmap},
        {"file header cut short", {base.begin(), base.begin() + 10}, BmpStatus::NotABitmap},
        {"no header size", {base.begin(), base.begin() + 16}, BmpStatus::NotABitmap},
        {"header size 108", patched(14, 108), BmpStatus::NotABitmap},
        {"40-byte header cut short", {base.begin(), base.begin() + 50}, BmpStatus::NotABitmap},
        {"12-byte header cut short", Cut(WriteBmp(BmpFile().Core()), 25), BmpStatus::NotABitmap},
        {"bit count 3", withSize(2, 2, 3), BmpStatus::NotABitmap},
        {"bit count 0", withSize(2, 2, 0), BmpStatus::NotABitmap},
        {"compression 4", withSize(2, 2, 24, 4), BmpStatus::NotABitmap},
        {"compression 0xFFFFFFFF", withSize(2, 2, 24, 0xFFFFFFFF), BmpStatus::NotABitmap},
        {"RLE8 top-down", withSize(2, -2, 8, 1), BmpStatus::NotABitmap},
        {"RLE4 height 0", withSize(2, 0, 4, 2), BmpStatus::NotABitmap},
        {"24 bits without pixel data", Cut(base, 54), BmpStatus::Ok},
        {"width 0", withSize(0, 2), BmpStatus::OutOfResources},
        {"width -5", withSize(-5, 2), BmpStatus::OutOfResources},
        {"height 0", withSize(2, 0), BmpStatus::OutOfResources},
        {"width 65536", withSize(65536, 1), BmpStatus::OutOfResources},
        {"height -65536", withSize(1, -65536), BmpStatus::OutOfResources},
        {"height INT32_MIN", withSize(1, INT32_MIN), BmpStatus::OutOfResources},
        {"40000 x 40000", withSize(40000, 40000), BmpStatus::OutOfResources},
        {"widest allowed", withSize(65535, 1), BmpStatus::Ok},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const BmpResult r = Decode(c.bytes);
        EXPECT_EQ(r.status, c.want);
        EXPECT_EQ(r.image.has_value(), c.want == BmpStatus::Ok);
        EXPECT_EQ(r.reason.empty(), c.want == BmpStatus::Ok);
    }

    // Colour tables and masks that the file does not hold in full.
    auto indexed = WriteBmp(BmpFile().Bits(8).Colors(std::vector<Color>(256)).Data({0, 0, 0, 0}));
    indexed.resize(14 + 40 + 1023);
    EXPECT_EQ(Decode(indexed).status, BmpStatus::NotABitmap);
    auto core = WriteBmp(BmpFile().Bits(4).Core().Colors(std::vector<Color>(16)));
    core.resize(14 + 12 + 47);
    EXPECT_EQ(Decode(core).status, BmpStatus::NotABitmap);
    auto fields = WriteBmp(BmpFile().Bits(16, 3).Masks({1, 2, 4}));
    fields.resize(14 + 40 + 11);
    EXPECT_EQ(Decode(fields).status, BmpStatus::NotABitmap);
}

TEST(LoadBmp, ReportsFilesItCannotRead) {
    const test::TempDir dir;
    const auto f = BmpFile().Size(2, 1).Data({1, 2, 3, 4, 5, 6, 0, 0});
    const std::string good = dir.Write("good.bmp", WriteBmp(f));
    const BmpResult ok = LoadBmp(good);
    ASSERT_EQ(ok.status, BmpStatus::Ok);
    EXPECT_EQ(TopDown(*ok.image), (std::vector<Color>{Color(0x010203), Color(0x040506)}));

    const std::string fifo = (dir.Path() / "fifo.bmp").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string kPaths[] = {(dir.Path() / "missing.bmp").string(), dir.Path().string(), fifo,
                                  ""};
    for (const std::string& p : kPaths) {
        SCOPED_TRACE(p);
        const BmpResult r = LoadBmp(p);
        EXPECT_EQ(r.status, BmpStatus::CannotOpen);
        EXPECT_FALSE(r.image);
        EXPECT_FALSE(r.reason.empty());
    }
    EXPECT_EQ(LoadBmp(dir.Write("text.bmp", std::string_view("hello"))).status,
              BmpStatus::NotABitmap);
}

} // namespace
} // namespace pindrel
