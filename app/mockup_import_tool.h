#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "skin/mockup_import.h"

namespace pindrel {

class DesignerDialog;
class MockupImportDialog;
class Workbench;

// "Import mock-up...": asks for a layered mock-up, shows what it will become, and on Import
// either writes a new skin with its bitmaps and opens it, or adds the mock-up's orientation to
// the open skin's text as one step of undo (new bitmaps are written beside the skin; Save
// writes the skin).
class MockupImportTool final : public QObject {
    Q_OBJECT
public:
    MockupImportTool(DesignerDialog& dialog, Workbench& bench, QObject* parent);

    void Start();
    // The review shown, while it is up.
    MockupImportDialog* Review() const;

private:
    void Apply();
    void WriteNewSkin(const MockupPlan& plan);
    void AddToOpenSkin(MockupPlan plan);

    DesignerDialog& dialog_;
    Workbench& bench_;
    QPointer<MockupImportDialog> review_;
    QString mockup_;
};

} // namespace pindrel
