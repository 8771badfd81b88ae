#include "support/mockup_writer.h"

#include <cstring>
#include <memory>
#include <stdexcept>

#include <zip.h>
#include <zlib.h>

#include "support/png_file.h"

namespace pindrel::test {

namespace {

class Out {
public:
    std::vector<uint8_t> bytes;
    void U8(uint32_t v) { bytes.push_back(static_cast<uint8_t>(v)); }
    void U16(uint32_t v) {
        U8(v >> 8);
        U8(v);
    }
    void U32(uint32_t v) {
        U16(v >> 16);
        U16(v);
    }
    void Tag(std::string_view t) { bytes.insert(bytes.end(), t.begin(), t.end()); }
    void Append(const std::vector<uint8_t>& b) { bytes.insert(bytes.end(), b.begin(), b.end()); }
    // Writes a 32-bit length at `at` from there to the end.
    void PatchLength(size_t at) {
        const auto n = static_cast<uint32_t>(bytes.size() - at - 4);
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<uint8_t>(n >> (24 - 8 * i));
    }
};

std::vector<uint8_t> PackBits(const uint8_t* row, size_t n) {
    std::vector<uint8_t> out;
    size_t i = 0;
    while (i < n) {
        size_t run = 1;
        while (i + run < n && run < 128 && row[i + run] == row[i])
            ++run;
        if (run >= 3) {
            out.push_back(static_cast<uint8_t>(257 - run));
            out.push_back(row[i]);
            i += run;
            continue;
        }
        size_t lit = 0;
        while (i + lit < n && lit < 128 &&
               !(i + lit + 2 < n && row[i + lit] == row[i + lit + 1] &&
                 row[i + lit] == row[i + lit + 2]))
            ++lit;
        if (lit == 0) lit = 1;
        out.push_back(static_cast<uint8_t>(lit - 1));
        out.insert(out.end(), row + i, row + i + lit);
        i += lit;
    }
    return out;
}

std::vector<uint8_t> EncodeChannel(const std::vector<uint8_t>& plane, int32_t w, int32_t h,
                                   uint16_t compression) {
    Out o;
    o.U16(compression);
    if (w <= 0 || h <= 0) return o.bytes;
    if (compression == 1) {
        std::vector<std::vector<uint8_t>> rows;
        for (int32_t y = 0; y < h; ++y)
            rows.push_back(PackBits(plane.data() + size_t(y) * size_t(w), size_t(w)));
        for (const auto& r : rows)
            o.U16(static_cast<uint32_t>(r.size()));
        for (const auto& r : rows)
            o.Append(r);
    } else if (compression == 2) {
        uLongf n = compressBound(plane.size());
        std::vector<uint8_t> z(n);
        if (compress(z.data(), &n, plane.data(), plane.size()) != Z_OK)
            throw std::runtime_error("compress");
        z.resize(n);
        o.Append(z);
    } else {
        o.Append(plane);
    }
    return o.bytes;
}

struct Record {
    const Layer* layer = nullptr;
    uint32_t section = 0; // 0 pixels, 1 group, 3 divider
};

void Linearise(const std::vector<Layer>& layers, std::vector<Record>& out) {
    for (const Layer& l : layers) {
        if (l.isGroup) {
            out.push_back({&l, 3});
            Linearise(l.children, out);
            out.push_back({&l, 1});
        } else {
            out.push_back({&l, 0});
        }
    }
}

std::vector<uint8_t> Plane(const RgbaPicture& p, int c) {
    std::vector<uint8_t> plane(size_t(p.width) * size_t(p.height));
    for (size_t i = 0; i < plane.size(); ++i)
        plane[i] = p.rgba[i * 4 + size_t(c)];
    return plane;
}

} // namespace

std::vector<uint8_t> WritePsd(const LayeredImage& image, const PsdWriteOptions& options) {
    Out o;
    const uint16_t colourChannels = options.greyscale ? 1 : 3;
    o.Tag("8BPS");
    o.U16(1);
    o.Append(std::vector<uint8_t>(6, 0));
    o.U16(colourChannels);
    o.U32(static_cast<uint32_t>(image.height));
    o.U32(static_cast<uint32_t>(image.width));
    o.U16(options.depth);
    o.U16(options.greyscale ? 1 : options.mode);
    o.U32(0); // colour mode data
    o.U32(0); // image resources

    const size_t sectionAt = o.bytes.size();
    o.U32(0);
    if (!options.noLayers) {
        const size_t infoAt = o.bytes.size();
        o.U32(0);
        std::vector<Record> records;
        Linearise(image.layers, records);
        o.U16(static_cast<uint16_t>(-static_cast<int16_t>(records.size())));
        std::vector<std::vector<std::vector<uint8_t>>> data;
        for (const Record& rec : records) {
            const Layer& l = *rec.layer;
            const bool pixels = rec.section == 0 && l.picture.width > 0;
            const PsdMask* mask = options.mask && rec.section == 0 ? options.mask(l) : nullptr;
            o.U32(pixels ? static_cast<uint32_t>(l.y) : 0);
            o.U32(pixels ? static_cast<uint32_t>(l.x) : 0);
            o.U32(pixels ? static_cast<uint32_t>(l.y + l.picture.height) : 0);
            o.U32(pixels ? static_cast<uint32_t>(l.x + l.picture.width) : 0);
            std::vector<std::pair<int16_t, std::vector<uint8_t>>> channels;
            const int32_t w = pixels ? l.picture.width : 0, h = pixels ? l.picture.height : 0;
            auto plane = [&](int c) {
                return pixels ? Plane(l.picture, c) : std::vector<uint8_t>();
            };
            channels.emplace_back(-1, EncodeChannel(plane(3), w, h, options.compression));
            for (int c = 0; c < colourChannels; ++c)
                channels.emplace_back(c, EncodeChannel(plane(c), w, h, options.compression));
            if (mask)
                channels.emplace_back(-2, EncodeChannel(mask->pixels, mask->width, mask->height,
                                                        options.compression));
            o.U16(static_cast<uint32_t>(channels.size()));
            data.emplace_back();
            for (auto& [id, bytes] : channels) {
                o.U16(static_cast<uint16_t>(id));
                o.U32(static_cast<uint32_t>(bytes.size()));
                data.back().push_back(std::move(bytes));
            }
            o.Tag("8BIM");
            const std::string blend = rec.section != 0      ? "pass"
                                      : l.blendMode.empty() ? "norm"
                                                            : l.blendMode;
            o.Tag(blend.substr(0, 4));
            o.U8(rec.section == 3 ? 255 : l.opacity);
            o.U8(0);
            o.U8(rec.section != 3 && !l.visible ? 0x0A : 0x08);
            o.U8(0);
            const size_t extraAt = o.bytes.size();
            o.U32(0);
            if (mask) {
                o.U32(20);
                o.U32(static_cast<uint32_t>(mask->top));
                o.U32(static_cast<uint32_t>(mask->left));
                o.U32(static_cast<uint32_t>(mask->top + mask->height));
                o.U32(static_cast<uint32_t>(mask->left + mask->width));
                o.U8(mask->outside);
                o.U8(mask->flags);
                o.U16(0);
            } else {
                o.U32(0);
            }
            o.U32(0); // blending ranges
            const std::string name = rec.section == 3 ? "</Layer group>" : l.name;
            // The 8-bit name keeps ASCII only, as editors that also write 'luni' do.
            std::string ascii;
            for (const char c : name)
                ascii += (static_cast<unsigned char>(c) < 0x80) ? c : '?';
            ascii = ascii.substr(0, 255);
            o.U8(static_cast<uint32_t>(ascii.size()));
            o.Tag(ascii);
            for (size_t k = 0; k < (4 - (1 + ascii.size()) % 4) % 4; ++k)
                o.U8(0);
            if (options.unicodeNames) {
                std::u16string units;
                for (size_t i = 0; i < name.size();) {
                    const auto c = static_cast<unsigned char>(name[i]);
                    uint32_t cp = c;
                    size_t len = 1;
                    if (c >= 0xF0)
                        cp = c & 0x07, len = 4;
                    else if (c >= 0xE0)
                        cp = c & 0x0F, len = 3;
                    else if (c >= 0xC0)
                        cp = c & 0x1F, len = 2;
                    for (size_t k = 1; k < len && i + k < name.size(); ++k)
                        cp = (cp << 6) | (static_cast<unsigned char>(name[i + k]) & 0x3F);
                    i += len;
                    if (cp >= 0x10000) {
                        cp -= 0x10000;
                        units += static_cast<char16_t>(0xD800 + (cp >> 10));
                        units += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
                    } else {
                        units += static_cast<char16_t>(cp);
                    }
                }
                o.Tag("8BIM");
                o.Tag("luni");
                const size_t at = o.bytes.size();
                o.U32(0);
                o.U32(static_cast<uint32_t>(units.size()));
                for (const char16_t u : units)
                    o.U16(u);
                if ((o.bytes.size() - at) % 2) o.U8(0);
                o.PatchLength(at);
            }
            if (rec.section != 0) {
                o.Tag("8BIM");
                o.Tag("lsct");
                o.U32(12);
                o.U32(rec.section);
                o.Tag("8BIM");
                o.Tag(l.blendMode.empty() ? "pass" : l.blendMode.substr(0, 4));
            }
            if (rec.section == 0 && !l.notInPixels.empty()) {
                o.Tag("8BIM");
                o.Tag("lfx2");
                o.U32(4);
                o.U32(0);
            }
            o.PatchLength(extraAt);
        }
        for (const auto& layer : data) {
            for (const auto& channel : layer)
                o.Append(channel);
        }
        if ((o.bytes.size() - infoAt) % 2) o.U8(0);
        o.PatchLength(infoAt);
        o.U32(0); // global layer mask
    }
    o.PatchLength(sectionAt);

    const RgbaPicture flat = FlattenLayers(image);
    o.U16(0);
    for (int c = 0; c < colourChannels; ++c)
        o.Append(Plane(flat, c));
    return o.bytes;
}

namespace {

std::string Escape(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string Opacity(uint8_t o) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.4f", o / 255.0);
    return buf;
}

void Describe(const std::vector<Layer>& layers, std::string& xml,
              std::vector<std::pair<std::string, std::vector<uint8_t>>>& files) {
    // stack.xml lists the top layer first.
    for (auto it = layers.rbegin(); it != layers.rend(); ++it) {
        const Layer& l = *it;
        const std::string common = " name=\"" + Escape(l.name) + "\" visibility=\"" +
                                   (l.visible ? "visible" : "hidden") + "\" opacity=\"" +
                                   Opacity(l.opacity) + "\" composite-op=\"" +
                                   (l.blendMode.empty() ? "svg:src-over" : l.blendMode) + "\"";
        if (l.isGroup) {
            xml += "<stack" + common + ">\n";
            Describe(l.children, xml, files);
            xml += "</stack>\n";
            continue;
        }
        const std::string src = "data/layer" + std::to_string(files.size()) + ".png";
        xml += "<layer" + common + " src=\"" + src + "\" x=\"" + std::to_string(l.x) + "\" y=\"" +
               std::to_string(l.y) + "\"/>\n";
        files.emplace_back(src, WriteOraPng(l));
    }
}

} // namespace

std::vector<uint8_t> WriteOra(const LayeredImage& image) {
    std::string xml = "<?xml version='1.0' encoding='UTF-8'?>\n<image w=\"" +
                      std::to_string(image.width) + "\" h=\"" + std::to_string(image.height) +
                      "\" version=\"0.0.3\">\n<stack>\n";
    std::vector<std::pair<std::string, std::vector<uint8_t>>> layers;
    Describe(image.layers, xml, layers);
    xml += "</stack>\n</image>\n";
    return WriteOraWithStack(xml, layers);
}

std::vector<uint8_t> WriteOraPng(const Layer& layer) {
    PngFile png;
    png.width = layer.picture.width;
    png.height = layer.picture.height;
    png.colorType = 6;
    png.samples.assign(layer.picture.rgba.begin(), layer.picture.rgba.end());
    return WritePngFile(png);
}

std::vector<uint8_t>
WriteOraWithStack(std::string_view stackXml,
                  const std::vector<std::pair<std::string, std::vector<uint8_t>>>& pictures) {
    std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
    const std::string_view type = "image/openraster";
    files.emplace_back("mimetype", std::vector<uint8_t>(type.begin(), type.end()));
    files.emplace_back("stack.xml", std::vector<uint8_t>(stackXml.begin(), stackXml.end()));
    files.insert(files.end(), pictures.begin(), pictures.end());

    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* zip = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!zip) throw std::runtime_error("zip_open_from_source");
    zip_source_keep(buffer);
    for (const auto& [name, bytes] : files) {
        zip_source_t* s = zip_source_buffer(zip, bytes.data(), bytes.size(), 0);
        const zip_int64_t index = zip_file_add(zip, name.c_str(), s, ZIP_FL_OVERWRITE);
        if (index < 0) throw std::runtime_error("zip_file_add");
        if (name == "mimetype")
            zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    if (zip_close(zip) != 0) throw std::runtime_error("zip_close");
    std::vector<uint8_t> out;
    zip_stat_t st;
    zip_source_stat(buffer, &st);
    out.resize(st.size);
    zip_source_open(buffer);
    zip_source_read(buffer, out.data(), out.size());
    zip_source_close(buffer);
    zip_source_free(buffer);
    return out;
}

Layer SolidLayer(std::string name, int32_t x, int32_t y, int32_t w, int32_t h, uint8_t r, uint8_t g,
                 uint8_t b, uint8_t a) {
    const uint32_t v = (uint32_t{r} << 24) | (uint32_t{g} << 16) | (uint32_t{b} << 8) | a;
    return PaintedLayer(std::move(name), x, y, w, h, [v](int32_t, int32_t) { return v; });
}

Layer PaintedLayer(std::string name, int32_t x, int32_t y, int32_t w, int32_t h,
                   const std::function<uint32_t(int32_t, int32_t)>& rgba) {
    Layer l;
    l.name = std::move(name);
    l.x = x;
    l.y = y;
    l.picture.width = w;
    l.picture.height = h;
    l.picture.rgba.resize(size_t(w) * size_t(h) * 4);
    for (int32_t py = 0; py < h; ++py) {
        for (int32_t px = 0; px < w; ++px) {
            const uint32_t v = rgba(px, py);
            uint8_t* p = l.picture.rgba.data() + (size_t(py) * size_t(w) + size_t(px)) * 4;
            p[0] = static_cast<uint8_t>(v >> 24);
            p[1] = static_cast<uint8_t>(v >> 16);
            p[2] = static_cast<uint8_t>(v >> 8);
            p[3] = static_cast<uint8_t>(v);
        }
    }
    return l;
}

Layer Group(std::string name, std::vector<Layer> children) {
    Layer g;
    g.name = std::move(name);
    g.isGroup = true;
    g.children = std::move(children);
    return g;
}

} // namespace pindrel::test
