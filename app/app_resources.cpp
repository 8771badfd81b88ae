#include "app/app_resources.h"

#include <cstring>
#include <span>

#include "render/bmp_decoder.h"

#if PINDREL_HAVE_RESOURCES
#include "res/resources.h"
#endif

namespace pindrel {

namespace {

[[maybe_unused]] std::optional<DibImage> Decode(std::span<const uint8_t> bytes) {
    if (bytes.empty()) return std::nullopt;
    BmpResult result = LoadBmp(bytes);
    return std::move(result.image);
}

} // namespace

std::optional<DibImage> LoadSamplePhoto() {
#if PINDREL_HAVE_SAMPLE_PHOTO
    return Decode(res::SamplePhotoBmp());
#else
    return std::nullopt;
#endif
}

QIcon LoadAppIcon() {
    QIcon icon = QIcon::fromTheme(QString::fromLatin1(kAppId));
#if PINDREL_HAVE_ICONS
    for (const auto bytes : {res::Icon32Bmp(), res::Icon16Bmp()}) {
        if (const std::optional<DibImage> image = Decode(bytes))
            icon.addPixmap(QPixmap::fromImage(ToQImage(image->View())));
    }
#endif
    return icon;
}

QImage ToQImage(ConstPixelView view) {
    if (view.Empty()) return {};
    QImage image(view.width, view.height, QImage::Format_BGR888);
    for (int32_t y = 0; y < view.height; ++y)
        std::memcpy(image.scanLine(y), view.Row(y), static_cast<size_t>(view.width) * 3);
    return image;
}

} // namespace pindrel
