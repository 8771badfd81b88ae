#pragma once

#include <string>
#include <vector>

#include "skin/draw_screen.h"
#include "skin/field_text.h"
#include "skin/skin.h"

namespace pindrel::test {

// A skin whose owner is the test: call type, sample data, time and photo are plain fields.
class TestSkin : public Skin {
public:
    std::string GetFieldText(int32_t field) override {
        return FieldText(field, GetCallType(nullptr), info, timeText);
    }
    CallType GetCallType(ConstPixelView* p) override {
        if (p) *p = photo;
        return callType;
    }

    CallType callType = CallType::UnknownCaller;
    CallerInfo info;
    std::string timeText = "12:34";
    ConstPixelView photo;
};

// The screen the preview shows now, at size.
inline Canvas DrawNow(Skin& skin, Size size) {
    return DrawScreen(skin, skin.PreviewRequest(size), skin.fontCache);
}

// A preview window that records what the skin asks of it.
class FakeSurface : public PreviewSurface {
public:
    Size ClientSize() const override { return size; }
    void InvalidateAndRepaint(const Rect& r) override { repaints.push_back(r); }
    void SendCommand(uint16_t id) override { commands.push_back(id); }

    Size size{240, 320};
    std::vector<Rect> repaints;
    std::vector<uint16_t> commands;
};

} // namespace pindrel::test
