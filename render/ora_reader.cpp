// OpenRaster: a zip whose stack.xml lists the layers, top first, each naming a PNG in the zip.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>

#include <expat.h>
#include <zip.h>

#include "render/layered_image.h"

namespace pindrel {

namespace {

// stack.xml of thousands of layers stays far below this.
constexpr uint64_t kMaxStackXmlBytes = 4u << 20;
// A layer's PNG file; a picture of the largest decoded size compresses below it.
constexpr uint64_t kMaxPictureFileBytes = 256u << 20;
// Offsets beyond this place a layer nowhere near any canvas; clamping keeps sums in range.
constexpr int64_t kMaxOffset = 1 << 24;

struct ZipCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};
struct ParserFree {
    void operator()(XML_ParserStruct* p) const { XML_ParserFree(p); }
};

// An entry's bytes when it exists and holds at most limit bytes; reason says why not.
std::optional<std::vector<uint8_t>> ReadEntry(zip_t* zip, const char* name, uint64_t limit,
                                              std::string& reason) {
    const zip_int64_t index = zip_name_locate(zip, name, 0);
    zip_stat_t st;
    zip_stat_init(&st);
    if (index < 0 || zip_stat_index(zip, static_cast<zip_uint64_t>(index), 0, &st) != 0 ||
        (st.valid & ZIP_STAT_SIZE) == 0) {
        reason = std::string(name) + " is missing";
        return std::nullopt;
    }
    if (st.size > limit) {
        reason = std::string(name) + " too large";
        return std::nullopt;
    }
    std::unique_ptr<zip_file_t, ZipFileCloser> file(
        zip_fopen_index(zip, static_cast<zip_uint64_t>(index), 0));
    std::vector<uint8_t> bytes(static_cast<size_t>(st.size));
    size_t got = 0;
    while (file && got < bytes.size()) {
        const zip_int64_t n = zip_fread(file.get(), bytes.data() + got, bytes.size() - got);
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    if (!file || got != bytes.size()) {
        reason = std::string(name) + " cannot be read";
        return std::nullopt;
    }
    return bytes;
}

std::string_view Attribute(const XML_Char** attributes, std::string_view name) {
    for (size_t i = 0; attributes[i]; i += 2) {
        if (name == attributes[i]) return attributes[i + 1];
    }
    return {};
}

int32_t ParseOffset(std::string_view text) {
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || !std::isfinite(v)) return 0;
    return static_cast<int32_t>(std::clamp<double>(std::trunc(v), -kMaxOffset, kMaxOffset));
}

uint8_t ParseOpacity(std::string_view text) {
    double v = 1;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || !std::isfinite(v)) return 255;
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
}

class OraParser {
public:
    explicit OraParser(zip_t* zip) : zip_(zip) {}
    LayeredResult Run();

private:
    struct Open {
        Layer group;
        int64_t x = 0, y = 0; // where the stack's children are placed from
    };
    zip_t* zip_;
    XML_Parser parser_ = nullptr;
    LayeredImage image_;
    bool sawImage_ = false;
    bool sawRoot_ = false;
    std::vector<Open> open_;
    size_t count_ = 0;
    uint64_t budget_ = kMaxLayeredBytes;
    std::string reason_;

    void Stop(std::string reason) {
        if (reason_.empty()) reason_ = std::move(reason);
        XML_StopParser(parser_, XML_FALSE);
    }
    void Start(std::string_view element, const XML_Char** attributes);
    void End(std::string_view element);
    void Describe(Layer& layer, const XML_Char** attributes) const;
    bool LoadPicture(std::string_view src, Layer& layer);

    static void XMLCALL OnStart(void* self, const XML_Char* name, const XML_Char** attributes) {
        // Nothing may unwind through the parser's C frames.
        try {
            static_cast<OraParser*>(self)->Start(name, attributes);
        } catch (const std::bad_alloc&) {
            static_cast<OraParser*>(self)->Stop("out of memory");
        }
    }
    static void XMLCALL OnEnd(void* self, const XML_Char* name) {
        static_cast<OraParser*>(self)->End(name);
    }
    // Entities and document types have no place in stack.xml; refusing them keeps expansion
    // out of reach.
    static void XMLCALL OnDoctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*,
                                  int) {
        static_cast<OraParser*>(self)->Stop("stack.xml declares a document type");
    }
};

void OraParser::Describe(Layer& layer, const XML_Char** attributes) const {
    layer.name = Attribute(attributes, "name");
    layer.visible = Attribute(attributes, "visibility") != "hidden";
    const std::string_view opacity = Attribute(attributes, "opacity");
    if (!opacity.empty()) layer.opacity = ParseOpacity(opacity);
    const std::string_view op = Attribute(attributes, "composite-op");
    if (!op.empty() && op != "svg:src-over") layer.blendMode = op;
}

bool OraParser::LoadPicture(std::string_view src, Layer& layer) {
    const std::string name(src);
    std::string reason;
    const auto bytes =
        ReadEntry(zip_, name.c_str(), std::min(budget_, kMaxPictureFileBytes), reason);
    if (!bytes) {
        Stop(reason);
        return false;
    }
    // The size is known from the PNG header before anything is decoded.
    if (bytes->size() >= 24 && std::memcmp(bytes->data() + 12, "IHDR", 4) == 0) {
        const auto be32 = [&](size_t at) {
            const uint8_t* p = bytes->data() + at;
            return (uint64_t{p[0]} << 24) | (uint64_t{p[1]} << 16) | (uint64_t{p[2]} << 8) | p[3];
        };
        if (be32(16) * be32(20) * 4 > budget_) {
            Stop("the layers are too large");
            return false;
        }
    }
    ImportResult picture = ImportPicture(*bytes);
    if (!picture.picture) {
        Stop(name + ": " + picture.reason);
        return false;
    }
    const uint64_t size = picture.picture->rgba.size();
    if (size > budget_) {
        Stop("the layers are too large");
        return false;
    }
    budget_ -= size;
    layer.picture = std::move(*picture.picture);
    return true;
}

void OraParser::Start(std::string_view element, const XML_Char** attributes) {
    if (element == "image" && !sawImage_) {
        sawImage_ = true;
        const int32_t w = ParseOffset(Attribute(attributes, "w"));
        const int32_t h = ParseOffset(Attribute(attributes, "h"));
        if (w < 1 || h < 1) return Stop("stack.xml gives no canvas size");
        if (w > kMaxLayeredSide || h > kMaxLayeredSide) return Stop("canvas too large");
        image_.width = w;
        image_.height = h;
        return;
    }
    if (!sawImage_) return Stop("stack.xml holds no image");
    if (element != "stack" && element != "layer") return;
    if (++count_ > kMaxLayers) return Stop("too many layers");
    const int64_t baseX = open_.empty() ? 0 : open_.back().x;
    const int64_t baseY = open_.empty() ? 0 : open_.back().y;
    const int64_t x = std::clamp<int64_t>(baseX + ParseOffset(Attribute(attributes, "x")),
                                          -kMaxOffset, kMaxOffset);
    const int64_t y = std::clamp<int64_t>(baseY + ParseOffset(Attribute(attributes, "y")),
                                          -kMaxOffset, kMaxOffset);
    if (element == "stack") {
        if (open_.size() >= kMaxLayerDepth) return Stop("groups nested too deeply");
        Open stack{{}, x, y};
        stack.group.isGroup = true;
        Describe(stack.group, attributes);
        open_.push_back(std::move(stack));
        return;
    }
    if (open_.empty()) return Stop("a layer outside the stack");
    Layer layer;
    Describe(layer, attributes);
    layer.x = static_cast<int32_t>(x);
    layer.y = static_cast<int32_t>(y);
    const std::string_view src = Attribute(attributes, "src");
    if (src.empty()) return Stop("layer \"" + layer.name + "\" names no picture");
    if (!LoadPicture(src, layer)) return;
    open_.back().group.children.push_back(std::move(layer));
}

void OraParser::End(std::string_view element) {
    if (element != "stack" || open_.empty()) return;
    Layer group = std::move(open_.back().group);
    open_.pop_back();
    // stack.xml lists the top layer first.
    std::reverse(group.children.begin(), group.children.end());
    if (!open_.empty()) {
        open_.back().group.children.push_back(std::move(group));
    } else if (!sawRoot_) {
        sawRoot_ = true;
        image_.layers = std::move(group.children);
    }
}

LayeredResult OraParser::Run() {
    std::string reason;
    if (const auto type = ReadEntry(zip_, "mimetype", 64, reason)) {
        const std::string_view text(reinterpret_cast<const char*>(type->data()), type->size());
        if (text != "image/openraster") return {std::nullopt, "not an OpenRaster file"};
    }
    const auto xml = ReadEntry(zip_, "stack.xml", kMaxStackXmlBytes, reason);
    if (!xml) return {std::nullopt, reason};
    const std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreate(nullptr));
    if (!parser) return {std::nullopt, "out of memory"};
    parser_ = parser.get();
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, OnStart, OnEnd);
    XML_SetStartDoctypeDeclHandler(parser_, OnDoctype);
    const auto ok = XML_Parse(parser_, reinterpret_cast<const char*>(xml->data()),
                              static_cast<int>(xml->size()), XML_TRUE);
    if (!reason_.empty()) return {std::nullopt, reason_};
    if (ok != XML_STATUS_OK)
        return {std::nullopt, std::string("stack.xml: ") +
                                  XML_ErrorString(XML_GetErrorCode(parser_)) + " at line " +
                                  std::to_string(XML_GetCurrentLineNumber(parser_))};
    if (!sawRoot_) return {std::nullopt, "stack.xml holds no stack"};
    return {std::move(image_), {}};
}

} // namespace

LayeredResult ReadOra(std::span<const uint8_t> bytes) {
    try {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
        if (!source) return {std::nullopt, "out of memory"};
        std::unique_ptr<zip_t, ZipCloser> zip(zip_open_from_source(source, ZIP_RDONLY, &error));
        zip_error_fini(&error);
        if (!zip) {
            zip_source_free(source);
            return {std::nullopt, "not a zip file"};
        }
        return OraParser(zip.get()).Run();
    } catch (const std::bad_alloc&) {
        return {std::nullopt, "out of memory"};
    }
}

} // namespace pindrel
