#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QObject>
#include <QPoint>
#include <QPointF>

#include "app/preview_input.h"
#include "skin/call_type.h"
#include "skin/skin_edit.h"

class QShortcut;

namespace pindrel {

class DesignerDialog;
class Workbench;

// "Edit skin": while it is on, the mouse in the preview and in the magnifier selects elements
// instead of pressing the skin's buttons, and moves and resizes them; the arrow keys nudge the
// selection. Every finished gesture changes the skin's text in memory as one step of undo, and
// the preview is drawn from it at once; Save writes the file, unless it changed on disk behind
// the designer's back. The selection is drawn over the preview on the screen only.
class SkinEditor final : public QObject, public PreviewTool {
    Q_OBJECT
public:
    // How close to a handle, in screen units, a press takes it.
    static constexpr qreal kGripReach = 5;

    SkinEditor(DesignerDialog& dialog, Workbench& bench, QObject* parent);
    ~SkinEditor() override;

    bool IsOn() const;
    void SetOn(bool on);
    const std::optional<PlacedElement>& Selection() const { return selection_; }
    void Select(std::optional<PlacedElement> element);

    // A step of the selection's rectangle in the orientation shown, as one undo step: moves by
    // (dx, dy) and grows by (dw, dh).
    void Nudge(int dx, int dy, int dw, int dh);
    void Undo();
    void Redo();
    // Writes the edited text to the skin file; false when nothing was written.
    bool Save();
    // Replaces the skin's text with text edited elsewhere, as one step of undo; false when it is
    // the same or there is no skin text.
    bool ApplyText(std::vector<uint8_t> text);
    // What to do before any edit, undo, redo, save or reload: apply typing not yet applied.
    void SetFlush(std::function<void()> flush) { flush_ = std::move(flush); }
    void FlushTyping() const {
        if (flush_) flush_();
    }
    // Whether edits not saved may go: there are none, or the author saved or dropped them.
    bool MayDropEdits(const QString& question);

    // The skin was loaded, from its file or from edited text.
    void SkinLoaded(bool fromDisk);
    // The preview was painted: the call type or orientation may have changed.
    void Painted();

    // PreviewTool
    bool TakesInput() const override { return IsOn(); }
    void Press(PreviewInput& from, QPointF pixel, Qt::KeyboardModifiers mods) override;
    void Move(PreviewInput& from, QPointF pixel, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers mods) override;
    void Release(PreviewInput& from, QPointF pixel, Qt::KeyboardModifiers mods) override;
    bool Key(PreviewInput& from, int key, Qt::KeyboardModifiers mods) override;
    void PaintOver(QPainter& painter, qreal pixelsPerPreviewPixel) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // The skin's text changed: an edit, undo or redo, or a load from its file.
    void TextChanged();
    void SelectionChanged();

private:
    // What a press took hold of.
    enum class Grip { Body, Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };
    struct Gesture {
        Grip grip = Grip::Body;
        QPoint start;   // the preview pixel pressed
        Placement from; // the selection's placement then
        bool moved = false;
        bool fresh = false; // the press selected what it holds
    };

    std::optional<Grip> GripAt(QPointF pixel, qreal unitsPerPixel) const;
    // An arrow key moves or resizes the selection; false for other keys.
    bool Arrow(int key, Qt::KeyboardModifiers mods);
    // Places the selection; true when the text changed.
    bool Place(const Placement& placement);
    void EndGesture();
    void ShowState();
    void Repaint();

    DesignerDialog& dialog_;
    Workbench& bench_;
    std::optional<PlacedElement> selection_;
    std::optional<Gesture> gesture_;
    // The pixel of the last click and what lay under it, for walking down through a stack.
    std::optional<QPoint> lastClick_;
    CallType shownCallType_ = CallType::UnknownCaller;
    int32_t shownOrientation_ = 0;
    std::vector<QShortcut*> shortcuts_; // owned by the dialog
    std::function<void()> flush_;
};

} // namespace pindrel
