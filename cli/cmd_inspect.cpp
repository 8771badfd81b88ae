#include <algorithm>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/cli_skin.h"
#include "cli/commands.h"
#include "render/text_decode.h"

namespace pindrel::cli {

namespace {

using Json = nlohmann::ordered_json;

// Skin texts are bytes; JSON wants UTF-8, so stray bytes read as Windows-1252.
Json Text(std::string_view text) {
    return ToWellFormedUtf8(text);
}

Json Rects(const SkinElement& element) {
    Json rects = Json::array();
    for (const Rect& r : element.rects)
        rects.push_back({r.left, r.top, r.right, r.bottom});
    return rects;
}

Json KeyColor(int32_t has, Color color) {
    return has ? Json(color.Value()) : Json(nullptr);
}

Json Image(const SkinImage& image) {
    if (!image.loaded) return nullptr;
    return {{"file", Text(image.file)},
            {"width", image.width},
            {"height", image.height},
            {"type", image.type},
            {"border", image.border},
            {"transparentColor", KeyColor(image.hasTransparentColor, image.transparentColor)},
            {"rects", Rects(image)}};
}

Json Button(const SkinButton& button) {
    return {{"fileUp", Text(button.fileUp)},
            {"fileDown", Text(button.fileDown)},
            {"id", button.id},
            {"firesOnPress", button.firesOnPress != 0},
            {"width", button.width},
            {"height", button.height},
            {"type", button.type},
            {"transparentColor", KeyColor(button.hasTransparentColor, button.transparentColor)},
            {"rects", Rects(button)}};
}

Json Label(const SkinLabel& label) {
    Json fields = Json::array();
    for (size_t i = 0; i < label.fieldIds.size(); ++i) {
        const int32_t id = label.fieldIds[i];
        const FontSpec& f = label.fonts[i];
        fields.push_back({{"id", id},
                          {"name", kCallerFieldNames.at(static_cast<size_t>(id))},
                          {"face", Text(f.face)},
                          {"size", f.size},
                          {"bold", f.bold != 0},
                          {"italic", f.italic != 0},
                          {"color", f.color.Value()}});
    }
    return {{"type", label.type},
            {"horAlign", label.horAlign},
            {"vertAlign", label.vertAlign},
            {"rects", Rects(label)},
            {"fields", std::move(fields)}};
}

// Arrays of numbers, and arrays of those (rectangles), print on one line.
bool IsFlat(const Json& j) {
    if (j.is_primitive()) return true;
    if (!j.is_array()) return false;
    return std::all_of(j.begin(), j.end(), [](const Json& item) {
        return item.is_number() ||
               (item.is_array() &&
                std::all_of(item.begin(), item.end(), [](const Json& x) { return x.is_number(); }));
    });
}

void PrintFlat(const Json& j, std::string& out) {
    if (!j.is_array()) {
        out += j.dump();
        return;
    }
    out += '[';
    for (size_t i = 0; i < j.size(); ++i) {
        if (i) out += ", ";
        PrintFlat(j[i], out);
    }
    out += ']';
}

// Pretty-prints like dump(2), but keeps rectangles on one line.
void Print(const Json& j, int indent, std::string& out) {
    if (IsFlat(j)) {
        PrintFlat(j, out);
        return;
    }
    const bool object = j.is_object();
    if (j.empty()) {
        out += object ? "{}" : "[]";
        return;
    }
    const std::string pad(static_cast<size_t>(indent) + 2, ' ');
    out += object ? "{\n" : "[\n";
    size_t i = 0;
    for (auto it = j.begin(); it != j.end(); ++it, ++i) {
        out += pad;
        if (object) out += Json(it.key()).dump() + ": ";
        Print(it.value(), indent + 2, out);
        out += i + 1 < j.size() ? ",\n" : "\n";
    }
    out += std::string(static_cast<size_t>(indent), ' ') + (object ? "}" : "]");
}

} // namespace

int RunInspect(std::string_view skinArg) {
    const std::string path = SkinPathOrDefault(skinArg);
    if (path.empty()) return kExitFailed;
    CliSkin skin;
    if (!LoadSkin(skin, path)) return kExitFailed;

    Json images = Json::array();
    for (const SkinImage& image : skin.images)
        images.push_back(Image(image));
    Json buttons = Json::array();
    for (const SkinButton& button : skin.buttons)
        buttons.push_back(Button(button));
    Json labels = Json::array();
    for (const SkinLabel& label : skin.labels)
        labels.push_back(Label(label));

    const Json model = {{"backgroundColor", skin.backgroundColor.Value()},
                        {"backgroundImage", Image(skin.backgroundImage)},
                        {"borderImage", Image(skin.borderImage)},
                        {"photoRect", Rects(skin.photoRect)},
                        {"images", std::move(images)},
                        {"buttons", std::move(buttons)},
                        {"labels", std::move(labels)}};
    std::string text;
    Print(model, 0, text);
    text += '\n';
    return WriteStdout(text) ? kExitOk : kExitFailed;
}

} // namespace pindrel::cli
