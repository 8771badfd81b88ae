#pragma once

#include <optional>

#include <QPoint>
#include <QWidget>

#include "skin/preview_handler.h"

namespace pindrel {

// A widget showing the preview whose left-button mouse events act on the skin at the preview
// pixel under the pointer. Nothing captures the mouse: a release or a move outside the picture
// goes unseen, although Qt delivers it here because of its implicit grab; the second press of a
// double click reaches nothing.
class PreviewInput : public QWidget {
    Q_OBJECT
public:
    // The handler must outlive the widget.
    PreviewInput(QWidget* parent, Qt::WindowFlags flags, PreviewHandler& handler);

    // The preview pixel under a point of the widget; nothing outside the picture.
    virtual std::optional<QPoint> PreviewPixel(QPointF position) const = 0;

signals:
    // The pointer is over this preview pixel, or has left the picture.
    void PointerMoved(QPoint pixel);
    void PointerLeft();

protected:
    // The preview the events are meant for.
    virtual PreviewSurface& Surface() = 0;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

    PreviewHandler* handler;
};

} // namespace pindrel
