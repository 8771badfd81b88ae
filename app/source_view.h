#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QPlainTextEdit>
#include <QTimer>

#include "skin/source_text.h"

namespace pindrel {

class DesignerDialog;
class SkinEditor;
class Workbench;

// The skin file as text beside the preview, for what no control covers: comments, and edits
// across many sections. Sections, keys, values and comments are highlighted, and each lint
// finding is marked on its line with its text as tooltip. Selecting an element moves the cursor
// to its section; the cursor in an element's section selects that element. What is typed
// applies to the preview after a short pause, as one step of the edits' undo; the text is the
// file's bytes, so line ends and every byte not typed over stay as they were.
class SourceView final : public QPlainTextEdit {
    Q_OBJECT
public:
    // How long typing rests before it applies.
    static constexpr int kTypingPauseMs = 400;

    SourceView(DesignerDialog& dialog, SkinEditor& editor, Workbench& bench, QWidget* parent);

    // Applies what was typed and not yet applied.
    void Flush();
    // Typing waits to be applied.
    bool Pending() const { return pause_.isActive(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Shows the skin's text as it is now, keeping the cursor's line and column.
    void ShowText();
    void Apply();
    void MarkFindings();
    void FollowSelection();
    void SelectAtCursor();
    QString FindingsOn(int32_t line) const;

    DesignerDialog& dialog_;
    SkinEditor& editor_;
    Workbench& bench_;
    QTimer pause_;
    std::vector<uint8_t> shown_; // the bytes the text shows, typing not yet applied aside
    SourceText decoded_;
    bool showing_ = false; // the text is being replaced, not typed
    bool following_ = false;
    bool stale_ = false; // the skin's text changed while it could not be shown
};

} // namespace pindrel
