#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "render/bmp_decoder.h"

namespace pindrel {

// Pictures decoded by earlier skin loads, each known by its path and the size, modification time
// and identity of its file then, so that a skin reloaded many times a second (while an element
// is dragged) decodes only the bitmaps that changed. Holds what the last load used, nothing more.
class BitmapCache {
public:
    // The picture at path: a copy of the one kept while the file is unchanged, else decoded.
    // While trusting, a picture kept is taken without looking at its file again: loads of edited
    // text, many a second, whose files the load from disk before them has just checked.
    BmpResult Load(const std::string& path);
    void Trust(bool trusting) { trusting_ = trusting; }
    // Forgets the picture at path, written anew while the cache trusts.
    void Forget(const std::string& path) { entries_.erase(path); }
    // Forgets the pictures no load has asked for since the last Sweep.
    void Sweep();
    // Forgets every picture.
    void Clear() { entries_.clear(); }
    size_t Size() const { return entries_.size(); }
    // How many decodes the cache has done, for tests and benchmarks.
    uint64_t Decodes() const { return decodes_; }

private:
    struct Stamp {
        uint64_t device = 0, inode = 0, size = 0;
        int64_t modifiedNs = 0;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };
    struct Entry {
        Stamp stamp;
        BmpResult result;
        bool used = true;
    };
    std::unordered_map<std::string, Entry> entries_;
    uint64_t decodes_ = 0;
    bool trusting_ = false;
};

} // namespace pindrel
