#pragma once

#include <optional>

#include <QTreeWidget>

#include "skin/call_type.h"
#include "skin/skin_edit.h"

namespace pindrel {

class Skin;

// Every element the skin can place, a row each: its kind, picture or fields, the line of its
// section and whether the call type previewed shows it. Choosing a row chooses the element.
class ElementsList final : public QTreeWidget {
    Q_OBJECT
public:
    explicit ElementsList(QWidget* parent);
    // The skin's elements as loaded now, and the call type they are shown for.
    void ShowElements(const Skin& skin, CallType t);
    // Marks the row of an element, or none, without telling anyone.
    void Mark(const std::optional<PlacedElement>& element);

signals:
    void Chosen(PlacedElement element);

private:
    bool marking_ = false;
};

} // namespace pindrel
