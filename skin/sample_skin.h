#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "render/dib_image.h"
#include "skin/call_type.h"
#include "skin/field_text.h"
#include "skin/screen_request.h"
#include "skin/skin.h"

namespace pindrel {

// A skin previewed without a dialog: the call type, caller data, time and photo it is drawn
// with are plain members that its owner sets before rendering.
class SampleSkin : public Skin {
public:
    std::string GetFieldText(int32_t field) override;
    CallType GetCallType(ConstPixelView* photo) override;

    // A screen of the sample data: nothing held, no align rectangle.
    ScreenRequest Request(Screen screen) const;

    CallType callType = CallType::UnknownCaller;
    CallerInfo info;
    std::optional<std::string> time; // the time field's text; the local time when unset
    std::optional<DibImage> photo;   // none draws no photo
    int32_t dpi = kDefaultDpi;
};

} // namespace pindrel
