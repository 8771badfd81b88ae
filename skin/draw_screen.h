#pragma once

#include "render/canvas.h"
#include "skin/font_cache.h"
#include "skin/screen_request.h"
#include "skin/skin_model.h"

namespace pindrel {

// The screen a loaded skin shows for a request, on a fresh canvas of the request's size: the
// background colour and picture, images, buttons, the photo (for a contact with picture),
// labels and the align rectangle, each over what came before. Reads nothing but its arguments;
// the fonts labels need are made once in the cache and kept there.
Canvas DrawScreen(const SkinModel& skin, const ScreenRequest& request, FontCache& fonts);

} // namespace pindrel
