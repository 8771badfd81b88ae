#include "skin/picture_adoption.h"

#include <filesystem>
#include <system_error>

#include "base/atomic_file.h"
#include "base/read_file.h"
#include "render/bitmap_advice.h"
#include "render/bmp_decoder.h"
#include "render/bmp_encoder.h"
#include "render/picture_flatten.h"
#include "render/picture_import.h"

namespace pindrel {

namespace fs = std::filesystem;

namespace {

// Far above any picture that fits the limits of a decoded bitmap.
constexpr uint64_t kMaxPictureBytes = uint64_t{1} << 30;

bool SameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

} // namespace

PictureAdoption PlanPictureAdoption(std::string_view source, std::string_view folder) {
    PictureAdoption plan;
    plan.source = source;
    const fs::path from(source);
    const ReadFileResult file = ReadRegularFile(source, kMaxPictureBytes);
    if (file.status != ReadFileStatus::Ok) {
        plan.problem = "cannot be read";
        return plan;
    }
    const bool usable = !AdviseOnBitmap(file.bytes, from.filename().string()) &&
                        LoadBmp(file.bytes).image.has_value();
    if (!usable && !ImportPicture(file.bytes).picture) {
        plan.problem = "is no picture that can be converted (PNG, JPEG or BMP)";
        return plan;
    }
    plan.convert = !usable;
    plan.name = from.filename().string();
    if (plan.convert) plan.name = fs::path(plan.name).replace_extension(".bmp").string();
    const fs::path target = fs::path(folder) / plan.name;
    const bool inPlace = SameFile(from, target);
    plan.copy = usable && !inPlace;
    std::error_code ec;
    plan.replaces = !inPlace && (fs::exists(fs::symlink_status(target, ec)));
    return plan;
}

bool AdoptPicture(const PictureAdoption& plan, std::string_view folder, std::optional<Color> key,
                  std::string* error) {
    if (!plan.problem.empty()) {
        *error = plan.source + " " + plan.problem;
        return false;
    }
    if (!plan.convert && !plan.copy) return true;
    const ReadFileResult file = ReadRegularFile(plan.source, kMaxPictureBytes);
    if (file.status != ReadFileStatus::Ok) {
        *error = plan.source + ": cannot be read";
        return false;
    }
    std::vector<uint8_t> bytes = file.bytes;
    if (plan.convert) {
        const ImportResult picture = ImportPicture(file.bytes);
        if (!picture.picture) {
            *error = plan.source + ": " + picture.reason;
            return false;
        }
        FlattenOptions options;
        options.key = key;
        const FlattenResult flat = FlattenPicture(*picture.picture, options);
        if (!flat.image) {
            *error = plan.source + ": too large for a skin's picture";
            return false;
        }
        BmpEncodeResult encoded = EncodeBmp(*flat.image, BmpEncoding::Palette8);
        if (encoded.bytes.empty()) encoded = EncodeBmp(*flat.image, BmpEncoding::Rgb24);
        bytes = std::move(encoded.bytes);
    }
    const std::string target = (fs::path(folder) / plan.name).string();
    std::string why;
    if (WriteBytesAtomically(target, bytes, &why) != AtomicWriteStatus::Written) {
        *error = target + ": " + why;
        return false;
    }
    return true;
}

} // namespace pindrel
