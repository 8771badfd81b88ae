// An arbitrary skin file beside fixed bitmaps: lint it and format every finding.
#include "fuzz_support.h"
#include "skin/lint.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pindrel::fuzz::EnterSkinFolder();
    FILE* out = std::fopen("skin.ini", "wb");
    if (!out) std::abort();
    std::fwrite(data, 1, size, out);
    std::fclose(out);
    size_t total = 0;
    for (const pindrel::LintFinding& f : pindrel::LintSkin("skin.ini")) {
        if (f.line < 0 || f.text.empty()) std::abort();
        total += pindrel::FormatFinding(f).size();
    }
    volatile size_t sink = total;
    (void)sink;
    return 0;
}
