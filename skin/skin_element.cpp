#include "skin/skin_element.h"

#include "render/bmp_decoder.h"

namespace pindrel {

void SkinElement::SetPlacement(int32_t orientation, int32_t x, int32_t y, int32_t width,
                               int32_t height) {
    if (orientation < 0 || orientation >= kOrientationCount) return;
    rects[static_cast<size_t>(orientation)] = Rect::FromXYWH(x, y, width, height);
}

void SkinElement::ResetPlacement() {
    rects.fill(Rect{});
}

void SkinImage::SetPlacement(int32_t orientation, int32_t x, int32_t y, int32_t w, int32_t h) {
    SkinElement::SetPlacement(orientation, x, y, w == 0 ? width : w, h == 0 ? height : h);
}

namespace {

uint64_t LoadBytes(const BmpResult& result) {
    return result.fileBytes + (result.image ? result.image->Bytes().size() : 0);
}

} // namespace

bool SkinImage::LoadBitmap(std::string_view path, const LoadContext& context, BmpResult* failed) {
    BmpResult result = context.Decode(path);
    loadBytes = LoadBytes(result);
    if (!result.image) {
        if (failed) *failed = std::move(result);
        return false;
    }
    width = result.image->Width();
    height = result.image->Height();
    bitmap = std::move(result.image);
    loaded = true;
    return true;
}

void SkinImage::Unload() {
    bitmap.reset();
    loaded = false;
    loadBytes = 0;
    ResetPlacement();
    ForgetSource();
}

void SkinButton::SetPlacement(int32_t orientation, int32_t x, int32_t y, int32_t w, int32_t h) {
    SkinElement::SetPlacement(orientation, x, y, w == 0 ? width : w, h == 0 ? height : h);
}

bool SkinButton::LoadBitmaps(std::string_view upPath, std::string_view downPath,
                             const LoadContext& context, std::array<BmpResult, 2>* failed) {
    Unload();
    BmpResult up = context.Decode(upPath);
    BmpResult down = context.Decode(downPath);
    loadBytes = LoadBytes(up) + LoadBytes(down);
    if (!up.image || !down.image) {
        // A picture that did decode goes with its result.
        if (failed) {
            (*failed)[0].status = up.status;
            (*failed)[0].reason = up.reason;
            (*failed)[1].status = down.status;
            (*failed)[1].reason = down.reason;
        }
        return false;
    }
    width = up.image->Width();
    height = up.image->Height();
    upBitmap = std::move(up.image);
    downBitmap = std::move(down.image);
    loaded = true;
    return true;
}

void SkinButton::Unload() {
    upBitmap.reset();
    downBitmap.reset();
    pressed = false;
    loaded = false;
    loadBytes = 0;
    ResetPlacement();
}

const KeySource* SkinElement::FindKey(std::string_view key) const {
    for (const KeySource& k : keys) {
        if (k.key == key) return &k;
    }
    return nullptr;
}

void SkinElement::ForgetSource() {
    line = 0;
    section = -1;
    placedBy = {-1, -1, -1};
    keys.clear();
}

void SkinLabel::AddField(int32_t id, const FontSpec& font) {
    fieldIds.push_back(id);
    fonts.push_back(font);
}

void SkinLabel::Empty() {
    fieldIds.clear();
    fonts.clear();
    ResetPlacement();
}

} // namespace pindrel
