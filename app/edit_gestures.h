#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include <QObject>
#include <QPoint>
#include <QPointF>

#include "app/preview_input.h"
#include "render/geometry.h"
#include "skin/skin_edit.h"
#include "skin/snapping.h"

namespace pindrel {

class DesignerDialog;
class SkinEditor;
class Workbench;

// The mouse and the keys of the preview and the magnifier in edit mode. A click selects the
// topmost element (again at the same pixel, the one beneath), Shift+click adds or removes one,
// and a rubber band drawn from empty screen selects what it touches. Dragging moves the
// selection, or resizes a single element by its handles; an edge or the centre snaps to the
// screen's edges and centre lines and to the other elements drawn, showing the guide and the
// distances to the neighbours (Alt turns snapping off for the gesture). The arrows move the
// selection, Shift by 10, and Ctrl resizes. All of it is drawn on the screen only.
class EditGestures final : public QObject, public PreviewTool {
    Q_OBJECT
public:
    // How close to a handle, in screen units, a press takes it.
    static constexpr qreal kGripReach = 5;
    // How close, in screen pixels, an edge or centre comes before it snaps.
    static constexpr qreal kSnapReach = 6;

    EditGestures(DesignerDialog& dialog, Workbench& bench, SkinEditor& editor, QObject* parent);
    ~EditGestures() override;

    void SetOn(bool on);
    // Forgets the gesture under way and the last click, as after another skin is loaded.
    void Reset();
    // What the last snap found, while a gesture shows guides.
    const std::optional<SnapResult>& LastSnap() const { return snap_; }
    const std::optional<std::array<int32_t, 4>>& LastGaps() const { return gaps_; }

    // PreviewTool
    bool TakesInput() const override;
    void Press(PreviewInput& from, QPointF pixel, Qt::KeyboardModifiers mods) override;
    void Move(PreviewInput& from, QPointF pixel, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers mods) override;
    void Release(PreviewInput& from, QPointF pixel, Qt::KeyboardModifiers mods) override;
    bool Key(PreviewInput& from, int key, Qt::KeyboardModifiers mods) override;
    void PaintOver(QPainter& painter, qreal pixelsPerPreviewPixel) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What a press took hold of.
    enum class Grip { Body, Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };
    struct Gesture {
        bool band = false; // a rubber band, not a move or resize
        Grip grip = Grip::Body;
        QPoint start;                                          // the preview pixel pressed
        std::vector<std::pair<PlacedElement, Placement>> from; // the selection's then
        bool moved = false;
        bool fresh = false;  // the press selected what it holds
        bool adding = false; // Shift: the band or click adds to the selection
        Rect bandRect;
    };

    std::optional<Grip> GripAt(QPointF pixel, qreal unitsPerPixel) const;
    bool Arrow(int key, Qt::KeyboardModifiers mods);
    void Drag(QPoint d, PreviewInput& from, bool snap);
    // The rectangles of the elements drawn now that are not selected: what snaps attract.
    std::vector<Rect> Others() const;
    int32_t Reach(PreviewInput& from) const;

    DesignerDialog& dialog_;
    Workbench& bench_;
    SkinEditor& editor_;
    std::optional<Gesture> gesture_;
    // The pixel of the last click, for walking down through a stack.
    std::optional<QPoint> lastClick_;
    std::optional<SnapResult> snap_;
    std::optional<std::array<int32_t, 4>> gaps_;
    std::optional<Rect> moving_; // the moving box, for the distances shown
};

} // namespace pindrel
