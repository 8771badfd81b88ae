#pragma once

#include <optional>
#include <vector>

#include <QTreeWidget>

#include "skin/call_type.h"
#include "skin/skin_edit.h"
#include "skin/skin_load.h"

namespace pindrel {

class IniFile;
class Skin;

// Why the loader left a section out, in a sentence.
QString DropReason(const LoadDrop& drop);

// Every element the skin can place, a row each: its kind, picture or fields, the line of its
// section and whether the call type previewed shows it; then the element sections that did not
// load, with the reason. Choosing a row chooses the element, or the section to mend.
class ElementsList final : public QTreeWidget {
    Q_OBJECT
public:
    explicit ElementsList(QWidget* parent);
    // The skin's elements as loaded now, and the call type they are shown for; with the load's
    // report and the parse it came from, the sections left out too.
    void ShowElements(const Skin& skin, CallType t, const LoadReport* report = nullptr,
                      const IniFile* file = nullptr);
    // Marks the row of an element, or of a section left out, or none, without telling anyone.
    void Mark(const std::optional<PlacedElement>& element,
              std::optional<int32_t> section = std::nullopt);

signals:
    void Chosen(PlacedElement element);
    void ChosenSection(int32_t section);

private:
    // What a row shows, and what it stands for.
    struct Row {
        QString kind, what, line;
        bool shown = false;
        int32_t element = -1; // an element, encoded; -1 for a section left out
        int32_t section = -1; // a section left out; -1 for an element
        friend bool operator==(const Row&, const Row&) = default;
    };
    std::vector<Row> rows_;
    bool marking_ = false;
};

} // namespace pindrel
