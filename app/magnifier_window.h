#pragma once

#include <optional>

#include <QImage>
#include <QSize>

#include "app/preview_input.h"
#include "skin/preview_handler.h"

class QScrollBar;

namespace pindrel {

// A tool window showing the preview enlarged, each preview pixel a square block of whole screen
// pixels. Its mouse events reach the preview's handler at the preview pixel under the pointer,
// as if they had happened in the preview, so the skin's buttons work here as well.
class MagnifierWindow final : public PreviewInput {
    Q_OBJECT
public:
    static constexpr int kMinFactor = 2;
    static constexpr int kMaxFactor = 4;

    // The handler and the preview surface must outlive the window.
    MagnifierWindow(QWidget* parent, PreviewHandler& handler, PreviewSurface& preview);

    // 2, 3 or 4 times the preview's size on screen; other values are brought into that range.
    void SetFactor(int factor);
    int Factor() const { return factor_; }
    // The preview as last drawn.
    void SetPicture(const QImage& picture);
    const QImage& Shown() const { return shown_; }
    // Screen pixels per preview pixel along each side.
    int Scale() const;
    // The largest the window may be, scroll bars included: where the enlarged preview is larger,
    // it scrolls. An invalid size lets it take the preview's whole size.
    void SetRoom(QSize room);
    // The enlarged preview's size, in widget units.
    QSize ContentSize() const;
    std::optional<QPoint> PreviewPixel(QPointF position) const override;
    QPointF PreviewPoint(QPointF position) const override;
    qreal UnitsPerPixel() const override;

signals:
    void Closed();

protected:
    PreviewSurface& Surface() override { return *preview_; }
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Rebuild();
    // The part of the enlarged preview scrolled out of sight at the top left, in widget units.
    QPoint Offset() const;

    PreviewSurface* preview_;
    int factor_ = kMinFactor;
    QImage picture_;
    QImage shown_; // picture_ enlarged, in screen pixels
    qreal shownRatio_ = 0;
    QSize room_;
    QScrollBar* horizontal_ = nullptr;
    QScrollBar* vertical_ = nullptr;
};

} // namespace pindrel
