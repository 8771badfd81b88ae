#pragma once

#include <QWidget>

class QTabWidget;

namespace pindrel {

class DesignerDialog;
class Inspector;
class SkinEditor;
class SourceView;
class Workbench;

// A tool window beside the dialog for editing the skin in depth: the selected element's keys in
// the inspector, and the skin file's text. It opens with edit mode and closes with it; "Editor…"
// shows it again. Closing it, or Escape, hides it.
class EditorWindow final : public QWidget {
    Q_OBJECT
public:
    EditorWindow(DesignerDialog& dialog, SkinEditor& editor, Workbench& bench);

    SourceView& Source() const { return *source_; }
    Inspector& Inspect() const { return *inspector_; }
    QTabWidget& Tabs() const { return *tabs_; }
    // Shows it beside the dialog, where the screen has room.
    void Open();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    DesignerDialog& dialog_;
    QTabWidget* tabs_ = nullptr;
    SourceView* source_ = nullptr;
    Inspector* inspector_ = nullptr;
    bool placed_ = false;
};

} // namespace pindrel
