#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/bmp_decoder.h"
#include "skin/skin_format.h"

namespace pindrel {

class BitmapCache;

// Why the loader left an element out (or a skin picture it could not read).
enum class DropCause : uint8_t {
    MissingKey, // a required key is absent
    NoItems,    // "fields" holds no name
    Bitmap,     // a picture did not decode
    Budget,     // the bitmaps read so far exceed the skin's budget
};

struct LoadDrop {
    SectionKind kind = SectionKind::Image;
    int32_t section = -1;
    int32_t line = 0; // of the key concerned, or of the section's header
    DropCause cause = DropCause::MissingKey;
    SkinKey key = SkinKey::File; // the key missing, empty or naming the picture
    std::string file;            // Bitmap: the picture's name as the skin gives it
    BmpStatus status = BmpStatus::Ok;
    std::string_view reason; // Bitmap: the decoder's
};

inline LoadDrop MakeDrop(SectionKind kind, int32_t section, int32_t line, DropCause cause,
                         SkinKey key = SkinKey::File) {
    LoadDrop drop;
    drop.kind = kind;
    drop.section = section;
    drop.line = line;
    drop.cause = cause;
    drop.key = key;
    return drop;
}

// What one load says about itself, for tools that explain a skin.
struct LoadReport {
    std::vector<LoadDrop> drops; // in the order the loader drops them
};

// How a load finds its pictures and whom it tells what it drops. The default is the designer's
// own: names resolve against the current directory, every picture is decoded, nothing is told.
struct LoadContext {
    std::string folder;             // relative bitmap names resolve against it when not empty
    BitmapCache* bitmaps = nullptr; // keeps decoded pictures across loads
    LoadReport* report = nullptr;

    // The picture a skin names.
    BmpResult Decode(std::string_view name) const;
    void Drop(LoadDrop drop) const;
};

class Skin;
class SkinIniFile;

// Reads the skin file at path into file and loads it into skin, its bitmap names resolved
// against the skin's own folder whatever the current directory is: what tools given a path do.
// The context gives the cache and the report; its folder is set here. False, with the skin
// cleared, when the file cannot be read.
bool LoadSkinBeside(Skin& skin, std::string_view path, SkinIniFile& file, LoadContext context = {});

} // namespace pindrel
