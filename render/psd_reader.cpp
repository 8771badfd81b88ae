// PSD: a header, colour mode data, image resources, the layer and mask section, then the merged
// picture. Every number is big-endian; every length is checked against what is left before it
// is followed, and every picture against the limits before it is allocated.
#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <string_view>

#include "render/byte_reader.h"
#include "render/dib_image.h"
#include "render/layered_image.h"
#include "render/psd_channels.h"

namespace pindrel {

namespace {

using psd::Compression;

// Big-endian reads over ByteReader, with its one truncation rule.
class BeReader {
public:
    explicit BeReader(std::span<const uint8_t> bytes) : r_(bytes) {}
    size_t Position() const { return r_.Position(); }
    size_t Remaining() const { return r_.Remaining(); }
    bool Has(uint64_t n) const { return r_.Has(n); }
    void Seek(uint64_t at) { r_.Seek(at); }
    void Skip(uint64_t n) { r_.Skip(n); }
    std::span<const uint8_t> Take(uint64_t n) { return r_.Take(n); }
    uint8_t U8() { return r_.ReadU8(); }
    uint16_t U16() {
        const uint16_t hi = U8();
        return static_cast<uint16_t>((hi << 8) | U8());
    }
    uint32_t U32() {
        const uint32_t hi = U16();
        return (hi << 16) | U16();
    }
    int16_t I16() { return static_cast<int16_t>(U16()); }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    std::string_view Tag() {
        const auto t = r_.Take(4);
        return {reinterpret_cast<const char*>(t.data()), t.size()};
    }

private:
    ByteReader r_;
};

enum ChannelId : int16_t { Red = 0, Green = 1, Blue = 2, Alpha = -1, Mask = -2 };
enum ColorMode : uint16_t { Bitmap = 0, Grayscale = 1, Indexed = 2, Rgb = 3, Cmyk = 4, Lab = 9 };
enum SectionType : uint32_t { Ordinary = 0, OpenGroup = 1, ClosedGroup = 2, GroupEnd = 3 };
constexpr uint8_t kHiddenFlag = 0x02;
constexpr uint8_t kMaskDisabled = 0x02;
constexpr uint8_t kMaskInverted = 0x04;

struct Box {
    int32_t top = 0, left = 0, bottom = 0, right = 0;
    int64_t Width() const { return int64_t{right} - left; }
    int64_t Height() const { return int64_t{bottom} - top; }
};

struct LayerRecord {
    Box box;
    std::vector<std::pair<int16_t, uint32_t>> channels; // id, bytes
    std::string blend;
    uint8_t opacity = 255;
    bool clipped = false;
    bool hidden = false;
    bool hasMask = false;
    Box maskBox;
    uint8_t maskDefault = 0;
    uint8_t maskFlags = 0;
    std::string name;
    bool unicodeName = false;
    uint32_t section = Ordinary;
    std::string notInPixels;
};

void AppendUtf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// A 'luni' block: a count of UTF-16 units, then the units; unpaired surrogates become U+FFFD
// and a trailing NUL, which some editors write, is dropped.
std::string ReadUnicodeName(BeReader& r) {
    const uint64_t n = std::min<uint64_t>(r.U32(), r.Remaining() / 2);
    std::string out;
    for (uint64_t i = 0; i < n; ++i) {
        uint32_t c = r.U16();
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < n) {
            const uint32_t low = r.U16();
            ++i;
            c = (low >= 0xDC00 && low < 0xE000) ? 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00)
                                                : 0xFFFD;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        if (c == 0 && i + 1 == n) break;
        AppendUtf8(out, c);
    }
    return out;
}

class PsdParser {
public:
    explicit PsdParser(std::span<const uint8_t> bytes) : r_(bytes) {}
    LayeredResult Run();

private:
    BeReader r_;
    LayeredImage image_;
    uint16_t mode_ = Rgb;
    uint16_t channels_ = 0;
    uint64_t budget_ = kMaxLayeredBytes;
    bool layered_ = false;
    std::string reason_;

    bool Fail(std::string reason) {
        if (reason_.empty()) reason_ = std::move(reason);
        return false;
    }
    bool ReadHeader();
    bool ReadLayers(uint64_t end);
    bool ReadRecord(LayerRecord& rec);
    void ReadExtra(LayerRecord& rec, uint64_t end);
    bool ReadPixels(const LayerRecord& rec, Layer& layer);
    bool ReadMerged();
    bool Charge(uint64_t bytes) {
        if (bytes > budget_) return Fail("the layers are too large");
        budget_ -= bytes;
        return true;
    }
    void Build(std::vector<LayerRecord>& records, std::vector<Layer>& layers);
};

bool PsdParser::ReadHeader() {
    if (r_.Tag() != "8BPS") return Fail("not a PSD file");
    const uint16_t version = r_.U16();
    if (version == 2) return Fail("large document format (PSB) is not supported");
    if (version != 1) return Fail("unknown PSD version " + std::to_string(version));
    r_.Skip(6);
    channels_ = r_.U16();
    const uint32_t height = r_.U32(), width = r_.U32();
    const uint16_t depth = r_.U16();
    mode_ = r_.U16();
    if (!r_.Has(0) || channels_ < 1 || channels_ > 56) return Fail("damaged PSD header");
    if (mode_ == Cmyk) return Fail("CMYK documents are not supported; convert it to RGB");
    if (mode_ == Lab) return Fail("Lab documents are not supported; convert it to RGB");
    if (mode_ != Rgb && mode_ != Grayscale)
        return Fail(mode_ == Bitmap    ? "bitmap-mode documents are not supported"
                    : mode_ == Indexed ? "indexed-colour documents are not supported"
                                       : "only RGB and greyscale documents are supported");
    if (depth == 16 || depth == 32)
        return Fail(std::to_string(depth) +
                    "-bit channels are not supported; save it with 8 bits per channel");
    if (depth != 8) return Fail("only 8-bit channels are supported");
    if (width < 1 || height < 1 || width > uint32_t{kMaxLayeredSide} ||
        height > uint32_t{kMaxLayeredSide})
        return Fail("canvas too large");
    if (mode_ == Rgb && channels_ < 3) return Fail("damaged PSD header");
    image_.width = static_cast<int32_t>(width);
    image_.height = static_cast<int32_t>(height);
    return true;
}

void PsdParser::ReadExtra(LayerRecord& rec, uint64_t end) {
    const uint32_t maskLength = r_.U32();
    const uint64_t maskEnd = r_.Position() + uint64_t{maskLength};
    if (maskLength >= 18) {
        rec.maskBox = {r_.I32(), r_.I32(), r_.I32(), r_.I32()};
        rec.maskDefault = r_.U8();
        rec.maskFlags = r_.U8();
        rec.hasMask = true;
    }
    r_.Seek(std::min(maskEnd, end));
    const uint32_t rangesLength = r_.U32(); // blending ranges
    r_.Seek(std::min<uint64_t>(r_.Position() + uint64_t{rangesLength}, end));
    // The name in the system's 8-bit encoding, padded to 4 bytes with its length byte.
    const uint8_t nameLength = r_.U8();
    for (const uint8_t c : r_.Take(nameLength))
        AppendUtf8(rec.name, c);
    r_.Skip((4 - (1 + nameLength) % 4) % 4);
    while (r_.Position() + 12 <= end) {
        const std::string_view signature = r_.Tag();
        if (signature != "8BIM" && signature != "8B64") break;
        const std::string_view key = r_.Tag();
        const uint32_t blockLength = r_.U32();
        const uint64_t blockEnd = std::min<uint64_t>(r_.Position() + uint64_t{blockLength}, end);
        const uint64_t start = r_.Position();
        if (key == "luni") {
            BeReader name(r_.Take(blockEnd - start));
            rec.name = ReadUnicodeName(name);
            rec.unicodeName = true;
        } else if (key == "lsct" || key == "lsdk") {
            rec.section = r_.U32();
            if (blockEnd - start >= 12 && r_.Tag() == "8BIM") rec.blend = std::string(r_.Tag());
        } else if (key == "lrFX" || key == "lfx2" || key == "lmfx" || key == "lfxs") {
            rec.notInPixels = "layer effects";
        } else if ((key == "vmsk" || key == "vsms") && rec.notInPixels.empty()) {
            rec.notInPixels = "a vector mask";
        }
        r_.Seek(blockEnd);
    }
    r_.Seek(end);
}

bool PsdParser::ReadRecord(LayerRecord& rec) {
    rec.box = {r_.I32(), r_.I32(), r_.I32(), r_.I32()};
    const uint16_t count = r_.U16();
    if (count > 56) return Fail("damaged layer record");
    for (uint16_t i = 0; i < count; ++i) {
        const int16_t id = r_.I16();
        rec.channels.emplace_back(id, r_.U32());
    }
    if (r_.Tag() != "8BIM") return Fail("damaged layer record");
    rec.blend = std::string(r_.Tag());
    rec.opacity = r_.U8();
    rec.clipped = r_.U8() != 0;
    rec.hidden = (r_.U8() & kHiddenFlag) != 0;
    r_.Skip(1);
    const uint32_t extra = r_.U32();
    if (!r_.Has(extra)) return Fail("truncated PSD file");
    ReadExtra(rec, r_.Position() + uint64_t{extra});
    if (rec.clipped && rec.notInPixels.empty()) rec.notInPixels = "a clipping mask";
    return true;
}

bool PsdParser::ReadPixels(const LayerRecord& rec, Layer& layer) {
    const uint64_t w = static_cast<uint64_t>(std::max<int64_t>(rec.box.Width(), 0));
    const uint64_t h = static_cast<uint64_t>(std::max<int64_t>(rec.box.Height(), 0));
    const bool empty = w == 0 || h == 0;
    if (!empty && (w > uint64_t{kMaxDibSide} || h > uint64_t{kMaxDibSide}))
        return Fail("layer \"" + rec.name + "\" too large");
    if (!empty && !Charge(w * h * 4)) return false;
    const bool useMask = rec.hasMask && (rec.maskFlags & kMaskDisabled) == 0;
    std::array<std::vector<uint8_t>, 4> planes; // red, green, blue, alpha
    std::vector<uint8_t> mask, plane;
    for (const auto& [id, length] : rec.channels) {
        if (!r_.Has(length)) return Fail("truncated PSD file");
        const std::span<const uint8_t> data = r_.Take(length);
        Box box = id == Mask ? rec.maskBox : rec.box;
        const bool wanted = id == Alpha || (id >= Red && id <= Blue) || (id == Mask && useMask);
        if (!wanted || length < 2 || box.Width() <= 0 || box.Height() <= 0) continue;
        if (box.Width() > kMaxDibSide || box.Height() > kMaxDibSide)
            return Fail("layer \"" + rec.name + "\" too large");
        const auto bw = static_cast<int32_t>(box.Width()), bh = static_cast<int32_t>(box.Height());
        if (id != Mask && empty) continue;
        if (id == Mask && !Charge(uint64_t(bw) * uint64_t(bh))) return false;
        const auto compression = static_cast<Compression>((data[0] << 8) | data[1]);
        if (compression > Compression::ZipPredicted)
            return Fail("unknown channel compression in layer \"" + rec.name + "\"");
        std::vector<uint8_t>& out = id == Mask ? mask : id == Alpha ? planes[3] : planes[id];
        if (!psd::DecodeChannel(data.subspan(2), compression, bw, bh, out))
            return Fail("damaged channel data in layer \"" + rec.name + "\"");
    }
    if (empty) return true;
    RgbaPicture& pic = layer.picture;
    pic.width = static_cast<int32_t>(w);
    pic.height = static_cast<int32_t>(h);
    pic.rgba.assign(w * h * 4, 0);
    const size_t n = w * h;
    for (size_t i = 0; i < n; ++i) {
        uint8_t* p = pic.rgba.data() + i * 4;
        if (mode_ == Grayscale) {
            p[0] = p[1] = p[2] = planes[0].empty() ? 0 : planes[0][i];
        } else {
            for (int c = 0; c < 3; ++c)
                p[c] = planes[c].empty() ? 0 : planes[c][i];
        }
        p[3] = planes[3].empty() ? 255 : planes[3][i];
    }
    if (useMask && !mask.empty()) {
        const Box& m = rec.maskBox;
        const bool inverted = (rec.maskFlags & kMaskInverted) != 0;
        for (uint64_t y = 0; y < h; ++y) {
            const int64_t cy = rec.box.top + static_cast<int64_t>(y);
            for (uint64_t x = 0; x < w; ++x) {
                const int64_t cx = rec.box.left + static_cast<int64_t>(x);
                uint32_t v = rec.maskDefault;
                if (cy >= m.top && cy < m.bottom && cx >= m.left && cx < m.right)
                    v = mask[static_cast<size_t>((cy - m.top) * m.Width() + (cx - m.left))];
                if (inverted) v = 255 - v;
                uint8_t& a = pic.rgba[(y * w + x) * 4 + 3];
                a = static_cast<uint8_t>((a * v + 127) / 255);
            }
        }
    }
    layer.x = rec.box.left;
    layer.y = rec.box.top;
    return true;
}

// Groups are brackets in the bottom-first list: a divider opens one, the group's own record,
// above its layers, closes it. Stray brackets are closed or ignored rather than refused.
void PsdParser::Build(std::vector<LayerRecord>& records, std::vector<Layer>& layers) {
    std::vector<Layer> open;
    auto place = [&](Layer layer) {
        (open.empty() ? image_.layers : open.back().children).push_back(std::move(layer));
    };
    for (size_t i = 0; i < records.size(); ++i) {
        LayerRecord& rec = records[i];
        Layer& layer = layers[i];
        layer.name = std::move(rec.name);
        layer.visible = !rec.hidden;
        layer.opacity = rec.opacity;
        layer.notInPixels = std::move(rec.notInPixels);
        // Keys are four characters, padded with spaces ("mul ", "lum ").
        if (rec.blend != "norm" && rec.blend != "pass")
            layer.blendMode = rec.blend.substr(0, rec.blend.find_last_not_of(' ') + 1);
        if (rec.section == GroupEnd) {
            if (open.size() < kMaxLayerDepth) {
                Layer group;
                group.isGroup = true;
                open.push_back(std::move(group));
            }
            continue;
        }
        if (rec.section == OpenGroup || rec.section == ClosedGroup) {
            Layer group;
            if (!open.empty()) {
                group = std::move(open.back());
                open.pop_back();
            }
            group.isGroup = true;
            group.name = std::move(layer.name);
            group.visible = layer.visible;
            group.opacity = layer.opacity;
            group.blendMode = std::move(layer.blendMode);
            group.notInPixels = std::move(layer.notInPixels);
            place(std::move(group));
            continue;
        }
        place(std::move(layer));
    }
    while (!open.empty()) {
        Layer group = std::move(open.back());
        open.pop_back();
        place(std::move(group));
    }
}

bool PsdParser::ReadLayers(uint64_t end) {
    const uint32_t infoLength = r_.U32();
    if (infoLength == 0) return true;
    const uint64_t infoEnd = r_.Position() + uint64_t{infoLength};
    if (infoEnd > end) return Fail("truncated PSD file");
    const int16_t signedCount = r_.I16();
    const size_t count = static_cast<size_t>(signedCount < 0 ? -int32_t{signedCount} : signedCount);
    if (count > kMaxLayers) return Fail("too many layers");
    layered_ = count > 0;
    // A record takes at least 34 bytes: a count beyond that is a lie.
    if (count * 34 > r_.Remaining()) return Fail("truncated PSD file");
    std::vector<LayerRecord> records(count);
    for (LayerRecord& rec : records) {
        if (!ReadRecord(rec)) return false;
    }
    std::vector<Layer> layers(count);
    for (size_t i = 0; i < count; ++i) {
        if (!ReadPixels(records[i], layers[i])) return false;
    }
    Build(records, layers);
    return true;
}

bool PsdParser::ReadMerged() {
    const auto compression = static_cast<Compression>(r_.U16());
    const int32_t w = image_.width, h = image_.height;
    const int planes = mode_ == Rgb ? 3 : 1;
    if (!Charge(uint64_t(w) * uint64_t(h) * 4)) return false;
    std::array<std::vector<uint8_t>, 3> channels;
    if (compression == Compression::Rle) {
        // The byte counts of every row of every channel come first, then the rows.
        const uint64_t rows = uint64_t{channels_} * uint64_t(h);
        if (!r_.Has(rows * 2)) return Fail("truncated PSD file");
        std::vector<uint16_t> counts(rows);
        for (uint16_t& c : counts)
            c = r_.U16();
        const std::span<const uint8_t> data = r_.Take(r_.Remaining());
        size_t at = 0;
        for (int c = 0; c < planes; ++c) {
            const auto mine = std::span(counts).subspan(size_t(c) * size_t(h), size_t(h));
            channels[c].assign(size_t(w) * size_t(h), 0);
            if (!psd::DecodePackBitsRows(data.subspan(std::min(at, data.size())), mine, w,
                                         channels[c].data()))
                return Fail("damaged picture data");
            for (const uint16_t n : mine)
                at += n;
        }
    } else if (compression == Compression::Raw) {
        for (int c = 0; c < planes; ++c) {
            if (!psd::DecodeChannel(r_.Take(uint64_t(w) * uint64_t(h)), Compression::Raw, w, h,
                                    channels[c]))
                return Fail("truncated PSD file");
        }
    } else {
        return Fail("unsupported compression of the merged picture");
    }
    Layer layer;
    layer.name = "Background";
    layer.picture.width = w;
    layer.picture.height = h;
    layer.picture.rgba.resize(size_t(w) * size_t(h) * 4);
    for (size_t i = 0; i < size_t(w) * size_t(h); ++i) {
        uint8_t* p = layer.picture.rgba.data() + i * 4;
        for (int c = 0; c < 3; ++c)
            p[c] = channels[planes == 3 ? c : 0][i];
        p[3] = 255;
    }
    image_.layers.push_back(std::move(layer));
    return true;
}

LayeredResult PsdParser::Run() {
    if (!ReadHeader()) return {std::nullopt, reason_};
    for (int block = 0; block < 2; ++block) { // colour mode data, image resources
        const uint32_t length = r_.U32();
        if (!r_.Has(length)) return {std::nullopt, "truncated PSD file"};
        r_.Skip(length);
    }
    const uint32_t length = r_.U32();
    if (!r_.Has(length)) return {std::nullopt, "truncated PSD file"};
    const uint64_t end = r_.Position() + uint64_t{length};
    if (length > 0 && !ReadLayers(end)) return {std::nullopt, reason_};
    r_.Seek(end);
    if (!layered_ && !ReadMerged()) return {std::nullopt, reason_};
    return {std::move(image_), {}};
}

} // namespace

LayeredResult ReadPsd(std::span<const uint8_t> bytes) {
    try {
        return PsdParser(bytes).Run();
    } catch (const std::bad_alloc&) {
        return {std::nullopt, "out of memory"};
    }
}

} // namespace pindrel
