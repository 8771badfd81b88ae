// A skin file after 4 bytes of edit (kind, index and orientation; moves; size): the edited file
// loads as the old model with that one rectangle changed, and keeps every other line.
#include "fuzz_support.h"
#include "skin/skin_edit.h"
#include "support/place_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pindrel;
    if (size < 4) return 0;
    fuzz::EnterSkinFolder();
    fuzz::FuzzSkin before, after;
    const std::span<const uint8_t> ini(data + 4, size - 4);
    if (!fuzz::LoadSkinFromBytes(before, ini.data(), ini.size())) return 0;
    const PlacedElement e{static_cast<PlacedKind>(data[0] & 3), size_t{data[0]} >> 4};
    const std::optional<Placement> now = CurrentPlacement(before, e, (data[0] >> 2 & 3) % 3);
    if (!now) return 0;
    Placement p = *now;
    p.x = WrapAdd(p.x, static_cast<int8_t>(data[1]) / 16);
    p.y = WrapAdd(p.y, static_cast<int8_t>(data[1] << 4) / 16);
    p.width = data[3] & 1 ? 0 : WrapAdd(p.width, static_cast<int8_t>(data[2]) / 16);
    p.height = data[3] & 2 ? 0 : WrapAdd(p.height, static_cast<int8_t>(data[2] << 4) / 16);
    SkinIniFile file;
    file.Parse(ini);
    const EditResult r = PlaceElement(file, before, e, p);
    const std::span<const uint8_t> out = r.file.Bytes();
    if (!r.ok || !fuzz::LoadSkinFromBytes(after, out.data(), out.size())) std::abort();
    if (!test::PlaceDifference(ini, before, out, after, e, p).empty()) std::abort();
    return 0;
}
