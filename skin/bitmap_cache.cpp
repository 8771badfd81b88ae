#include "skin/bitmap_cache.h"

#include <sys/stat.h>

namespace pindrel {

namespace {

BmpResult Copy(const BmpResult& r) {
    BmpResult copy;
    copy.status = r.status;
    copy.reason = r.reason;
    copy.fileBytes = r.fileBytes;
    if (r.image) copy.image = r.image->Clone();
    return copy;
}

} // namespace

BmpResult BitmapCache::Load(const std::string& path) {
    if (trusting_) {
        if (const auto kept = entries_.find(path); kept != entries_.end()) {
            kept->second.used = true;
            return Copy(kept->second.result);
        }
    }
    struct stat st {};
    // What cannot be looked at is not kept: the decoder says why it fails.
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        entries_.erase(path);
        ++decodes_;
        return LoadBmp(path);
    }
    const Stamp stamp{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
                      static_cast<uint64_t>(st.st_size),
                      static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
    auto it = entries_.find(path);
    if (it == entries_.end() || it->second.stamp != stamp) {
        ++decodes_;
        Entry entry{stamp, LoadBmp(path)};
        it = entries_.insert_or_assign(path, std::move(entry)).first;
    }
    it->second.used = true;
    return Copy(it->second.result);
}

void BitmapCache::Sweep() {
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (!it->second.used) {
            it = entries_.erase(it);
        } else {
            it->second.used = false;
            ++it;
        }
    }
}

} // namespace pindrel
