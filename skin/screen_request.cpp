#include "skin/screen_request.h"

namespace pindrel {

std::array<std::string, kCallerFieldNames.size()> FieldTexts(CallType t, const CallerInfo& info,
                                                             std::string_view timeText) {
    std::array<std::string, kCallerFieldNames.size()> texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = FieldText(static_cast<int32_t>(i), t, info, timeText);
    return texts;
}

ScreenRequest SampleRequest(Screen screen, const CallerInfo& info, std::string_view timeText,
                            ConstPixelView photo, int32_t dpi) {
    ScreenRequest request;
    request.orientation = screen.orientation;
    request.size = kScreenSizes[static_cast<size_t>(screen.orientation)];
    request.callType = screen.callType;
    request.fieldTexts = FieldTexts(screen.callType, info, timeText);
    request.photo = photo;
    request.dpi = dpi;
    return request;
}

} // namespace pindrel
