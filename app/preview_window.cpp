#include "app/preview_window.h"

#include <cmath>

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace pindrel {

namespace {

// Shows a composed canvas through the paint's painter, which is clipped to the invalid region.
class PainterDevice final : public PaintDevice {
public:
    explicit PainterDevice(QPainter& painter) : painter_(painter) {}

    void Present(const Canvas& canvas) override {
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

Point ClientPoint(const QMouseEvent& event) {
    const QPointF p = event.position();
    return {static_cast<int32_t>(std::floor(p.x())), static_cast<int32_t>(std::floor(p.y()))};
}

} // namespace

PreviewWindow::PreviewWindow(QWidget* parent, PreviewHandler& h) : QWidget(parent), handler(&h) {
    // The paint covers every pixel, so nothing is erased beforehand.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    // Moves arrive with the button up too: a button still tracking after a release outside the
    // window follows the pointer.
    setMouseTracking(true);
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
}

void PreviewWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const Point p = ClientPoint(*event);
    emit PointerMoved(QPoint(p.x, p.y));
    handler->PreviewMouseDown(*this, p.x, p.y);
}

// The window does not capture the mouse: a release or move outside it goes unseen, although Qt
// delivers it here because of its implicit grab.
void PreviewWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const Point p = ClientPoint(*event);
    if (!rect().contains(p.x, p.y)) return;
    handler->PreviewMouseUp(*this, p.x, p.y);
}

void PreviewWindow::mouseMoveEvent(QMouseEvent* event) {
    const Point p = ClientPoint(*event);
    if (!rect().contains(p.x, p.y)) {
        emit PointerLeft();
        return;
    }
    emit PointerMoved(QPoint(p.x, p.y));
    handler->PreviewMouseMove(*this, p.x, p.y);
}

void PreviewWindow::leaveEvent(QEvent* /*event*/) {
    emit PointerLeft();
}

// The second press of a double click reaches nothing; its release still arrives.
void PreviewWindow::mouseDoubleClickEvent(QMouseEvent* /*event*/) {}

} // namespace pindrel
