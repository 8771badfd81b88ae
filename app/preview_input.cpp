#include "app/preview_input.h"

#include <QMouseEvent>

namespace pindrel {

PreviewInput::PreviewInput(QWidget* parent, Qt::WindowFlags flags, PreviewHandler& h)
    : QWidget(parent, flags), handler(&h) {
    // Moves arrive with the button up too: a button still tracking after a release outside
    // follows the pointer, and the pointer readout follows it.
    setMouseTracking(true);
}

void PreviewInput::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (const auto p = PreviewPixel(event->position())) {
        emit PointerMoved(*p);
        handler->PreviewMouseDown(Surface(), p->x(), p->y());
    }
}

void PreviewInput::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (const auto p = PreviewPixel(event->position()))
        handler->PreviewMouseUp(Surface(), p->x(), p->y());
}

void PreviewInput::mouseMoveEvent(QMouseEvent* event) {
    const auto p = PreviewPixel(event->position());
    if (!p) {
        emit PointerLeft();
        return;
    }
    emit PointerMoved(*p);
    handler->PreviewMouseMove(Surface(), p->x(), p->y());
}

void PreviewInput::mouseDoubleClickEvent(QMouseEvent* /*event*/) {}

void PreviewInput::leaveEvent(QEvent* /*event*/) {
    emit PointerLeft();
}

} // namespace pindrel
