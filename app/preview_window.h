#pragma once

#include "app/preview_input.h"
#include "skin/preview_handler.h"

namespace pindrel {

// The device screen at its own pixel size. Paint and the left-button mouse events go to the
// handler; the window draws nothing of its own.
class PreviewWindow final : public PreviewInput, public PreviewSurface {
    Q_OBJECT
public:
    // Starts with an empty rectangle; the handler must outlive the window.
    PreviewWindow(QWidget* parent, PreviewHandler& handler);

    Size ClientSize() const override;
    void InvalidateAndRepaint(const Rect& r) override;
    // The preview has no use for button commands; it only reports them.
    void SendCommand(uint16_t id) override;
    std::optional<QPoint> PreviewPixel(QPointF position) const override;
    QPointF PreviewPoint(QPointF position) const override { return position; }
    qreal UnitsPerPixel() const override { return 1; }

signals:
    // A skin button sent its command.
    void CommandSent(int id);

protected:
    PreviewSurface& Surface() override { return *this; }
    void paintEvent(QPaintEvent* event) override;
};

} // namespace pindrel
