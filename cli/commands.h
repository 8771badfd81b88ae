#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/field_text.h"

namespace CLI {
class App;
}

namespace pindrel::cli {

// Exit codes of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1; // a skin, bitmap or output could not be read or written
inline constexpr int kExitUsage = 2;

// The sample caller data and what else a rendered screen depends on.
struct SampleOptions {
    CallerInfo info;
    std::optional<std::string> time; // the time field's text; the local time when unset
    std::string photo;               // the caller photo's file; the built-in sample when empty
    int32_t dpi = 96;
};

struct RenderOptions {
    std::string skin; // the example skin when empty
    std::string out;
    int32_t orientation = 0;
    int32_t callType = 1;
    SampleOptions sample;
    std::vector<int32_t> align; // X pos, Y pos, X size, Y size; empty for none
    std::optional<int32_t> press;
};

struct SheetOptions {
    std::string skin;
    std::string out;
    SampleOptions sample;
};

int RunRender(const RenderOptions& options);
int RunSheet(const SheetOptions& options);
int RunInspect(std::string_view skin);
int RunLint(std::string_view skin);
int RunDecode(std::string_view in, std::string_view out);
// Adds the convert command to app; run runs it once the command line is parsed.
CLI::App* AddConvertCommand(CLI::App& app, std::function<int()>& run);

} // namespace pindrel::cli
