#include "app/preview_window.h"

#include <cmath>

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

namespace pindrel {

namespace {

// Shows a composed canvas through the paint's painter, which is clipped to the invalid region.
class PainterDevice final : public PaintDevice {
public:
    explicit PainterDevice(QPainter& painter) : painter_(painter) {}

    void Present(const Canvas& canvas, const ScreenRequest&) override {
        if (canvas.Width() <= 0 || canvas.Height() <= 0) return;
        // The canvas has QImage's BGR888 layout: wrap it, no copy.
        const QImage image(canvas.Data(), canvas.Width(), canvas.Height(), canvas.Stride(),
                           QImage::Format_BGR888);
        // On a high-density screen each canvas pixel becomes a block of device pixels, never a
        // blend of neighbours.
        painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter_.drawImage(QRect(0, 0, canvas.Width(), canvas.Height()), image);
    }

private:
    QPainter& painter_;
};

} // namespace

PreviewWindow::PreviewWindow(QWidget* parent, PreviewHandler& h) : PreviewInput(parent, {}, h) {
    // The paint covers every pixel, so nothing is erased beforehand.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::ArrowCursor);
    setAccessibleName(QStringLiteral("Skin preview"));
    setGeometry(0, 0, 0, 0);
}

Size PreviewWindow::ClientSize() const {
    return {width(), height()};
}

void PreviewWindow::InvalidateAndRepaint(const Rect& r) {
    if (r.IsEmpty()) return;
    repaint(QRect(r.left, r.top, r.Width(), r.Height()));
}

void PreviewWindow::SendCommand(uint16_t id) {
    emit CommandSent(id);
}

void PreviewWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    PainterDevice device(painter);
    handler->PaintPreview(device, *this);
    // Over the picture, on the screen only: the composed canvas never holds it.
    PaintTool(painter);
}

std::optional<QPoint> PreviewWindow::PreviewPixel(QPointF position) const {
    const QPoint p(static_cast<int>(std::floor(position.x())),
                   static_cast<int>(std::floor(position.y())));
    if (!rect().contains(p)) return std::nullopt;
    return p;
}

} // namespace pindrel
