#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QScrollArea>

#include "skin/skin_edit.h"
#include "skin/skin_format.h"

class QFormLayout;
class QLabel;
class QWidget;

namespace pindrel {

class CallTypesField;
class ChoiceField;
class ColourField;
class DesignerDialog;
class IntField;
class LabelFieldsEditor;
class PictureField;
class PlacementGrid;
class SkinEditor;
class Workbench;
struct KeyChange;

// The selected element's keys, every key its section can have, each with a control that fits
// it; with nothing selected, the skin's own keys (background colour, background and border
// pictures). A value the skin does not write is shown as such, with where it comes from. Each
// change shows at once and is one step of undo; Enter commits a typed number.
class Inspector final : public QScrollArea {
    Q_OBJECT
public:
    Inspector(DesignerDialog& dialog, SkinEditor& editor, Workbench& bench, QWidget* parent);

    // Shows the keys of what is selected now.
    void ShowSelection();

    // The controls, for tests and the eyedropper.
    PictureField& Picture(int which) const; // 0 file or file_up, 1 file_down
    CallTypesField& CallTypes() const { return *types_; }
    ChoiceField& Frame() const { return *border_; }
    ChoiceField& Command() const { return *id_; }
    ChoiceField& Horizontal() const { return *horAlign_; }
    ChoiceField& Vertical() const { return *vertAlign_; }
    ColourField& KeyColour() const { return *keyColour_; }
    ColourField& Background() const { return *backgroundColour_; }
    PlacementGrid& Placement() const { return *placement_; }
    LabelFieldsEditor& Fields() const { return *fields_; }

private:
    // What is shown: the section of the element chosen last (its kind decides the page), and
    // every selected section of that kind, which a change sets alike.
    struct Target {
        int32_t section = -1;
        SectionKind kind = SectionKind::Image;
        std::optional<PlacedElement> element;
        std::vector<int32_t> sections;       // of every element selected
        std::vector<PlacedElement> elements; // every selected element, for their places
        std::vector<int32_t> unloaded;       // a section that did not load, shown
        bool sameKind = true;
        bool anyPhoto = false;
        bool anyLabel = false;
    };

    void Build();
    std::optional<Target> Current() const;
    void ShowSkin();
    void ShowSection(const Target& target);
    void ShowPlacement(const Target& target);
    // Changes keys of the section shown, or of the skin's single sections.
    void Change(SectionKind kind, const std::vector<int32_t>& sections,
                std::vector<KeyChange> changes);
    void SetKey(SkinKey key, std::optional<std::string> value);
    void Place(int32_t orientation, int which, int32_t value);
    void ChoosePicture(SectionKind kind, SkinKey key, bool single);
    void Pick(ColourField& field, bool on);

    DesignerDialog& dialog_;
    SkinEditor& editor_;
    Workbench& bench_;
    std::optional<Target> shown_;
    QWidget* page_ = nullptr;
    QFormLayout* form_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* reason_ = nullptr;
    ColourField* backgroundColour_ = nullptr;
    PictureField* backgroundPicture_ = nullptr;
    PictureField* borderPicture_ = nullptr;
    PictureField* file_ = nullptr;
    PictureField* fileDown_ = nullptr;
    CallTypesField* types_ = nullptr;
    ChoiceField* border_ = nullptr;
    ChoiceField* id_ = nullptr;
    ColourField* keyColour_ = nullptr;
    LabelFieldsEditor* fields_ = nullptr;
    ChoiceField* horAlign_ = nullptr;
    ChoiceField* vertAlign_ = nullptr;
    PlacementGrid* placement_ = nullptr;
    QLabel* thumbnail_ = nullptr;
};

} // namespace pindrel
