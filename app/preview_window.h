#pragma once

#include <QPoint>
#include <QWidget>

#include "skin/preview_handler.h"

namespace pindrel {

// The device screen at its own pixel size. Paint and the left-button mouse events go to the
// handler; the window draws nothing of its own.
class PreviewWindow final : public QWidget, public PreviewSurface {
    Q_OBJECT
public:
    // Starts with an empty rectangle; the handler must outlive the window.
    PreviewWindow(QWidget* parent, PreviewHandler& handler);

    Size ClientSize() const override;
    void InvalidateAndRepaint(const Rect& r) override;
    // The preview has no use for button commands; it only reports them.
    void SendCommand(uint16_t id) override;

signals:
    // The pointer is over this preview pixel, or has left the window.
    void PointerMoved(QPoint pixel);
    void PointerLeft();
    // A skin button sent its command.
    void CommandSent(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    PreviewHandler* handler;
};

} // namespace pindrel
