#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QObject>
#include <QPoint>
#include <QString>

#include "skin/skin_format.h"

class QAction;
class QMenu;

namespace pindrel {

class DesignerDialog;
class SkinEditor;
class Workbench;

// The element commands of edit mode, in the Elements tab, on keys and in the preview's context
// menu: add an image, a button or a label where the author clicked (or in the middle of the
// screen), duplicate (Ctrl+D), delete (Del), bring forward and send backward within the kind,
// and New skin…. Picture files dropped on the preview become images at the drop point. Each
// command is one step of undo.
class ElementCommands final : public QObject {
    Q_OBJECT
public:
    ElementCommands(DesignerDialog& dialog, Workbench& bench, SkinEditor& editor, QObject* parent);

    // The preview pixel the next add places at; the middle of the screen when none.
    void SetPlace(std::optional<QPoint> pixel) { place_ = pixel; }
    bool AddImage();
    bool AddButton();
    bool AddLabel();
    // Adds an image of the picture file at the pixel: a file skins cannot use is converted into
    // the skin's folder first, and one that would replace another is asked about.
    bool AddPicture(const QString& file, QPoint pixel);
    bool Duplicate();
    bool Delete();
    // Moves the selected element one place later (forward, drawn over more) or earlier.
    bool Restack(int delta);
    // Asks for a folder and a name, writes a small starting skin there and opens it for editing.
    bool NewSkin();

    QMenu& Menu() const { return *menu_; }
    // Add image, button and label, and New skin, for the Elements tab's Add.
    QMenu& AddMenu() const { return *addMenu_; }
    void Update();

private:
    // The picture chosen for a new element, in the skin's folder: its name, or nothing.
    std::optional<QString> Picture(const QString& caption, const QString& file = {});
    // The size of a picture in the skin's folder; none when it does not decode.
    QPoint PictureSize(const QString& name) const;
    bool Add(SectionKind kind, std::vector<std::pair<std::string, std::string>> entries,
             QPoint size);

    DesignerDialog& dialog_;
    Workbench& bench_;
    SkinEditor& editor_;
    std::optional<QPoint> place_;
    QMenu* menu_ = nullptr; // owned by the dialog
    QMenu* addMenu_ = nullptr;
    QAction* addImage_ = nullptr;
    QAction* addButton_ = nullptr;
    QAction* addLabel_ = nullptr;
    QAction* duplicate_ = nullptr;
    QAction* delete_ = nullptr;
    QAction* forward_ = nullptr;
    QAction* backward_ = nullptr;
    QAction* newSkin_ = nullptr;
};

} // namespace pindrel
