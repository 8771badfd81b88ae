#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include <QObject>
#include <QRgb>
#include <QTimer>

#include "ini/skin_ini_file.h"
#include "skin/call_type.h"
#include "skin/key_values.h"
#include "skin/skin_edit.h"
#include "skin/skin_format.h"

class QShortcut;

namespace pindrel {

class ArrangeCommands;
class DesignerDialog;
class EditGestures;
class Workbench;

// "Edit skin": what is selected, and the edits of the skin's text in memory, each a step of one
// undo history whatever made it (the preview's gestures, the inspector, the text typed); Save
// writes the file, unless it changed on disk behind the designer's back. The mouse and keys in
// the preview are its gestures' (EditGestures).
class SkinEditor final : public QObject {
    Q_OBJECT
public:
    SkinEditor(DesignerDialog& dialog, Workbench& bench, QObject* parent);
    ~SkinEditor() override;

    bool IsOn() const;
    void SetOn(bool on);
    EditGestures& Gestures() const { return *gestures_; }
    ArrangeCommands& Arrange() const { return *arrange_; }

    // Selection
    // The elements selected, in the order chosen; the last is the one single-element tools use.
    const std::vector<PlacedElement>& Selected() const { return selected_; }
    std::optional<PlacedElement> Selection() const;
    // Selects just this element, or nothing.
    void Select(std::optional<PlacedElement> element);
    void SetSelected(std::vector<PlacedElement> elements);
    // Adds the element to the selection, or takes it out again.
    void Toggle(const PlacedElement& element);
    // Selects every element drawn in the orientation and call type shown.
    void SelectAllShown();
    // A section that did not load, chosen to be mended; nothing selected in the preview then.
    std::optional<int32_t> SelectedSection() const { return section_; }
    void SelectSection(int32_t section);
    // Why section s does not load, in a few words; empty when it does.
    QString WhyNotLoaded(int32_t s) const;

    // Edits, each one step of undo unless a gesture is under way
    // A gesture's edits are one step in all: from Begin to End the text may change many times.
    void BeginGesture();
    void EndGesture();
    bool InGesture() const { return inGesture_; }
    // Places elements in the orientation shown; false when nothing changed.
    bool Place(const std::vector<std::pair<PlacedElement, Placement>>& placements);
    // A step of every selected element's rectangle in the orientation shown: moves by (dx, dy)
    // and grows by (dw, dh).
    void Nudge(int dx, int dy, int dw, int dh);
    // Sets and removes keys of the sections, each of kind; with no sections, of the single
    // section of kind, which is added when the skin lacks it.
    bool ChangeKeys(SectionKind kind, const std::vector<int32_t>& sections,
                    const std::vector<KeyChange>& changes);
    // One value of the inspected elements' rectangles in an orientation: which 0 x, 1 y,
    // 2 width, 3 height. Loaded elements keep what their other orientations show; a section that
    // did not load gets the key of that orientation.
    bool PlaceInspected(const std::vector<PlacedElement>& elements,
                        const std::vector<int32_t>& unloaded, int32_t orientation, int which,
                        int32_t value);
    // Replaces the skin's text with text edited elsewhere; false when it is the same or there
    // is no skin text.
    bool ApplyText(std::vector<uint8_t> text);
    // The same for a text the engine made, with its parse.
    bool ApplyFile(SkinIniFile edited);
    void Undo();
    void Redo();
    // Writes the edited text to the skin file; false when nothing was written.
    bool Save();
    // Loads the whole skin again and checks it now, when a change of keys loaded only the
    // elements it touched.
    void SettleNow();
    // How long after such a change that happens by itself.
    static constexpr int kSettleMs = 150;
    // Whether edits not saved may go: there are none, or the author saved or dropped them.
    bool MayDropEdits(const QString& question);

    // What to do before any edit, undo, redo, save or reload: apply typing not yet applied.
    void SetFlush(std::function<void()> flush) { flush_ = std::move(flush); }
    void FlushTyping() const {
        if (flush_) flush_();
    }
    // The next click in the preview or the magnifier gives the colour of its pixel instead of
    // selecting; null stops waiting.
    void PickPixel(std::function<void(QRgb)> picked) { pick_ = std::move(picked); }
    bool Picking() const { return static_cast<bool>(pick_); }
    void Picked(QRgb colour);
    // Asks for a picture file and puts its name to key of the sections (or the single section
    // of kind), after it joins the skin's folder: converted when skins cannot read it (with the
    // key colour of the first section when it has one), asked about when it replaces a file.
    bool ChoosePicture(SectionKind kind, const std::vector<int32_t>& sections, SkinKey key);
    // The same for a picture file at hand; the name it has in the skin's folder, or nothing.
    std::optional<QString> AdoptPictureFile(const QString& file, std::optional<Color> key);

    // The skin was loaded, from its file or from edited text.
    void SkinLoaded(bool fromDisk);
    // The preview was painted: the call type or orientation may have changed.
    void Painted();
    // Shows the selection and the state of the edits in the strip.
    void ShowState();
    // The position and size keys of the one element selected, in the orientation shown.
    QString KeysText() const;
    void Repaint();

signals:
    // The skin's text changed: an edit, undo or redo, or a load from its file.
    void TextChanged();
    void SelectionChanged();

private:
    // Makes the new text the skin's, in the gesture under way or as a step of its own.
    void Take(SkinIniFile edited);
    void Settled();
    // Drops what no longer exists from the selection.
    void Prune();

    DesignerDialog& dialog_;
    Workbench& bench_;
    EditGestures* gestures_ = nullptr;
    ArrangeCommands* arrange_ = nullptr;
    std::vector<PlacedElement> selected_;
    std::optional<int32_t> section_;
    bool inGesture_ = false;
    bool reloadAtEnd_ = false; // placements followed the text without loading it
    QTimer settle_;
    QTimer keysLater_; // the strip's keys during a drag
    static constexpr int kKeysLaterMs = 40;
    CallType shownCallType_ = CallType::UnknownCaller;
    int32_t shownOrientation_ = 0;
    std::vector<QShortcut*> shortcuts_; // owned by the dialog
    std::function<void()> flush_;
    std::function<void(QRgb)> pick_;
};

} // namespace pindrel
