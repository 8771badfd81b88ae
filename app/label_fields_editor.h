#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QWidget>

#include "render/color.h"
#include "skin/font_spec.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;

namespace pindrel {

class ColourField;
class IntField;

// One name of a label's "fields" list, with the font and colour its numbered keys give it.
struct LabelFieldRow {
    std::string name;
    FontSpec font;
    bool fontWritten = false; // font%d is in the file
    bool colourWritten = false;
};

// A label's caller fields: add from the nine names, remove and reorder them, and give each its
// face, size, bold, italic and colour.
class LabelFieldsEditor final : public QWidget {
    Q_OBJECT
public:
    explicit LabelFieldsEditor(QWidget* parent);
    void Show(std::vector<LabelFieldRow> rows);
    ColourField& Colour() const { return *colour_; }
    int CurrentRow() const;

signals:
    // The list becomes names; from[i] is the 1-based place name i had, 0 for a new one.
    void ListChanged(const std::vector<std::string>& names, const std::vector<size_t>& from);
    // The font of the field at 1-based place n.
    void FontChanged(size_t n, const FontSpec& font);
    void ColourChanged(size_t n, Color colour);

private:
    void ShowCurrent();
    void Move(int delta);
    void EmitFont();

    std::vector<LabelFieldRow> rows_;
    QListWidget* list_ = nullptr;
    QComboBox* add_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QComboBox* face_ = nullptr;
    IntField* size_ = nullptr;
    QCheckBox* bold_ = nullptr;
    QCheckBox* italic_ = nullptr;
    ColourField* colour_ = nullptr;
    bool showing_ = false;
};

} // namespace pindrel
