#include "render/dib_image.h"

namespace pindrel {

std::optional<DibImage> DibImage::Create(int32_t width, int32_t height) {
    if (width < 1 || height < 1 || width > kMaxDibSide || height > kMaxDibSide) return std::nullopt;
    const uint64_t bytes = static_cast<uint64_t>(StrideFor(width)) * static_cast<uint64_t>(height);
    if (bytes > kMaxDibBytes) return std::nullopt;
    return DibImage(width, height);
}

DibImage::DibImage(int32_t width, int32_t height)
    : width_(width), height_(height), stride_(StrideFor(width)),
      pixels_(static_cast<size_t>(stride_) * static_cast<size_t>(height), 0) {}

ConstPixelView DibImage::View() const {
    return {MemoryRow(height_ - 1), -static_cast<ptrdiff_t>(stride_), width_, height_};
}

PixelView DibImage::MutableView() {
    return {MemoryRow(height_ - 1), -static_cast<ptrdiff_t>(stride_), width_, height_};
}

} // namespace pindrel
