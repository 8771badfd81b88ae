// A skin file after 4 bytes that choose one operation of the editing engine (set, remove a key,
// add, remove, duplicate, restack, place) and its section, key and value: the edit keeps every
// promise of the engine (the new parse, the reloaded model, the untouched lines).
#include "fuzz_support.h"
#include "skin/skin_edit.h"
#include "support/edit_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pindrel;
    // The line check compares whole files: keep each run quick.
    if (size < 4 || size > 16384) return 0;
    fuzz::EnterSkinFolder();
    SkinIniFile file;
    file.Parse(std::span(data + 4, size - 4));
    fuzz::FuzzSkin before, after;
    before.Load(file, {});
    const test::EditOp op = test::ChooseEdit(file, before, std::span<const uint8_t, 4>(data, 4));
    const EditResult r = test::ApplyEdit(file, before, op);
    after.Load(r.file, {});
    if (!test::EditDifference(file, before, r, after, op).empty()) std::abort();
    return 0;
}
