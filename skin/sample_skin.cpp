#include "skin/sample_skin.h"

namespace pindrel {

std::string SampleSkin::GetFieldText(int32_t field) {
    if (static_cast<CallerField>(field) == CallerField::Time) return time ? *time : LocalTimeText();
    return FieldText(field, callType, info, {});
}

ScreenRequest SampleSkin::Request(Screen screen) const {
    return SampleRequest(screen, info, time ? *time : LocalTimeText(),
                         photo ? photo->View() : ConstPixelView{}, dpi);
}

CallType SampleSkin::GetCallType(ConstPixelView* p) {
    if (p) *p = photo ? photo->View() : ConstPixelView{};
    return callType;
}

} // namespace pindrel
