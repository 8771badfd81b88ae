#pragma once

#include <optional>
#include <string_view>

#include <QIcon>
#include <QImage>
#include <QString>

#include "render/dib_image.h"
#include "render/pixel_view.h"

namespace pindrel {

// The id shared by the desktop entry, the metainfo and the themed icon.
inline constexpr char kAppId[] = "org.pindrel.Pindrel";

// The sample caller photo from the program's resources; nothing when it is missing.
std::optional<DibImage> LoadSamplePhoto();

// The program's icon (32 x 32 and 16 x 16, plus the installed theme's sizes); null when missing.
QIcon LoadAppIcon();

// A copy of a picture as a QImage.
QImage ToQImage(ConstPixelView view);

// The program's own texts (captions, names), which are UTF-8.
inline QString FromView(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace pindrel
