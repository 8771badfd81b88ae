#include "app/element_commands.h"

#include <algorithm>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QShortcut>
#include <QToolButton>

#include "app/designer_dialog.h"
#include "app/skin_editor.h"
#include "app/workbench.h"
#include "app/workbench_strip.h"
#include "base/atomic_file.h"
#include "render/bmp_decoder.h"
#include "skin/key_values.h"
#include "skin/skin_edit.h"

namespace pindrel {

namespace {

// What a new label shows before the author changes it, and where.
constexpr QPoint kLabelSize(120, 20);

std::string Path(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// A small skin to start from: a background colour, the caller's name, the photo, and the time.
constexpr char kStartingSkin[] = "; A new skin, made by Pindrel. Pictures go beside this file.\n"
                                 "[Background Color]\n"
                                 "color=24,28,40\n"
                                 "[Photo Rect]\n"
                                 "posP=70,40\n"
                                 "sizeP=100,100\n"
                                 "posL=20,40\n"
                                 "posQ=70,20\n"
                                 "[Label]\n"
                                 "fields=name,phone\n"
                                 "font1=12,Tahoma,1,0\n"
                                 "color1=255,255,255\n"
                                 "color2=200,200,220\n"
                                 "hor_align=2\n"
                                 "posP=10,160\n"
                                 "sizeP=220,40\n"
                                 "posL=140,60\n"
                                 "sizeL=170,40\n"
                                 "posQ=10,130\n"
                                 "sizeQ=220,40\n"
                                 "[Label]\n"
                                 "fields=time\n"
                                 "color1=255,255,255\n"
                                 "hor_align=1\n"
                                 "posP=170,4\n"
                                 "sizeP=66,16\n"
                                 "posL=250,4\n"
                                 "sizeL=66,16\n"
                                 "posQ=170,4\n"
                                 "sizeQ=66,16\n";

} // namespace

ElementCommands::ElementCommands(DesignerDialog& dialog, Workbench& bench, SkinEditor& editor,
                                 QObject* parent)
    : QObject(parent), dialog_(dialog), bench_(bench), editor_(editor) {
    menu_ = new QMenu(&dialog);
    menu_->setTitle(QStringLiteral("Elements"));
    const auto action = [&](const QString& caption, const QString& tip, auto slot,
                            const QKeySequence& keys = {}) {
        QAction* a = menu_->addAction(caption);
        a->setToolTip(tip);
        if (!keys.isEmpty()) {
            a->setShortcut(keys);
            // The keys work wherever the designer has the keyboard, in edit mode.
            auto* s = new QShortcut(keys, &dialog_);
            s->setContext(Qt::ApplicationShortcut);
            connect(s, &QShortcut::activated, this, [this, slot] {
                if (editor_.IsOn()) (this->*slot)();
            });
        }
        connect(a, &QAction::triggered, this, [this, slot] { (this->*slot)(); });
        return a;
    };
    addImage_ = action(QStringLiteral("Add image\u2026"),
                       QStringLiteral("Add an image of a picture file where you clicked"),
                       &ElementCommands::AddImage);
    addButton_ = action(QStringLiteral("Add button\u2026"),
                        QStringLiteral("Add a button of an up and a down picture"),
                        &ElementCommands::AddButton);
    addLabel_ =
        action(QStringLiteral("Add label"), QStringLiteral("Add a label showing the caller's name"),
               &ElementCommands::AddLabel);
    menu_->addSeparator();
    duplicate_ = action(QStringLiteral("Duplicate"),
                        QStringLiteral("Copy the selected element; the copy comes right after it"),
                        &ElementCommands::Duplicate, QKeySequence(Qt::CTRL | Qt::Key_D));
    delete_ = action(QStringLiteral("Delete"), QStringLiteral("Remove the selected elements"),
                     &ElementCommands::Delete, QKeySequence(Qt::Key_Delete));
    forward_ = menu_->addAction(QStringLiteral("Bring forward"));
    forward_->setToolTip(QStringLiteral("Draw the element over the next one of its kind"));
    connect(forward_, &QAction::triggered, this, [this] { Restack(1); });
    backward_ = menu_->addAction(QStringLiteral("Send backward"));
    backward_->setToolTip(QStringLiteral("Draw the element under the one before it of its kind"));
    connect(backward_, &QAction::triggered, this, [this] { Restack(-1); });
    menu_->addSeparator();
    newSkin_ = action(QStringLiteral("New skin\u2026"),
                      QStringLiteral("Write a small starting skin in a folder and open it"),
                      &ElementCommands::NewSkin);
    addMenu_ = new QMenu(&dialog);
    addMenu_->addActions({addImage_, addButton_, addLabel_});
    addMenu_->addSeparator();
    addMenu_->addAction(newSkin_);
    WorkbenchStrip& strip = bench.Strip();
    strip.addElement->setMenu(addMenu_);
    connect(strip.duplicateElement, &QToolButton::clicked, this, [this] { Duplicate(); });
    connect(strip.deleteElement, &QToolButton::clicked, this, [this] { Delete(); });
    connect(strip.forwardElement, &QToolButton::clicked, this, [this] { Restack(1); });
    connect(strip.backwardElement, &QToolButton::clicked, this, [this] { Restack(-1); });
    connect(&editor, &SkinEditor::SelectionChanged, this, &ElementCommands::Update);
    connect(strip.editSkin, &QAbstractButton::toggled, this, &ElementCommands::Update);
    connect(&editor, &SkinEditor::TextChanged, this, &ElementCommands::Update);
    Update();
}

void ElementCommands::Update() {
    const bool text = dialog_.Session().HasText();
    const std::vector<PlacedElement>& selected = editor_.Selected();
    const std::optional<PlacedElement> one = editor_.Selection();
    const bool element = one && one->kind != PlacedKind::Photo;
    for (QAction* a : {addImage_, addButton_, addLabel_})
        a->setEnabled(text);
    duplicate_->setEnabled(text && selected.size() == 1 && element);
    delete_->setEnabled(text && (!selected.empty() || editor_.SelectedSection()));
    forward_->setEnabled(text && selected.size() == 1 && element &&
                         one->index + 1 < (one->kind == PlacedKind::Image ? dialog_.images.size()
                                           : one->kind == PlacedKind::Button
                                               ? dialog_.buttons.size()
                                               : dialog_.labels.size()));
    backward_->setEnabled(text && selected.size() == 1 && element && one->index > 0);
    // New skin needs no skin open; the rest want edit mode.
    WorkbenchStrip& strip = bench_.Strip();
    const bool on = editor_.IsOn();
    strip.addElement->setEnabled(on);
    strip.duplicateElement->setEnabled(on && duplicate_->isEnabled());
    strip.deleteElement->setEnabled(on && delete_->isEnabled());
    strip.forwardElement->setEnabled(on && forward_->isEnabled());
    strip.backwardElement->setEnabled(on && backward_->isEnabled());
}

std::optional<QString> ElementCommands::Picture(const QString& caption, const QString& file) {
    const QString folder = QFileInfo(dialog_.SkinPath()).absolutePath();
    const QString chosen =
        file.isEmpty()
            ? dialog_.Files().ChoosePictureFile(&dialog_, caption, folder).value_or(QString())
            : file;
    if (chosen.isEmpty()) return std::nullopt;
    return editor_.AdoptPictureFile(chosen, std::nullopt);
}

bool ElementCommands::Add(SectionKind kind,
                          std::vector<std::pair<std::string, std::string>> entries, QPoint size) {
    const SkinSession& session = dialog_.Session();
    if (!session.HasText()) return false;
    // At the pixel clicked, or in the middle of the screen, in the orientation shown.
    const auto o = static_cast<size_t>(dialog_.orientation);
    const Size screen = kScreenSizes[o];
    const QPoint at =
        place_.value_or(QPoint((screen.width - size.x()) / 2, (screen.height - size.y()) / 2));
    place_.reset();
    entries.emplace_back(std::string(kPosKeys[o]), PairValue(at.x(), at.y()));
    if (kind == SectionKind::Label)
        entries.emplace_back(std::string(kSizeKeys[o]), PairValue(size.x(), size.y()));
    std::vector<KeyValue> values;
    for (const auto& [k, v] : entries)
        values.push_back({k, v});
    EditResult added = AddSection(session.Parsed(), kind, values);
    if (!added.ok) return false;
    editor_.ApplyFile(std::move(added.file));
    // The new element is the last of its kind.
    const PlacedKind placed = kind == SectionKind::Image    ? PlacedKind::Image
                              : kind == SectionKind::Button ? PlacedKind::Button
                                                            : PlacedKind::Label;
    const size_t count = placed == PlacedKind::Image    ? dialog_.images.size()
                         : placed == PlacedKind::Button ? dialog_.buttons.size()
                                                        : dialog_.labels.size();
    if (count > 0) editor_.Select(PlacedElement{placed, count - 1});
    return true;
}

bool ElementCommands::AddImage() {
    const std::optional<QString> file = Picture(QStringLiteral("Picture of the new image"));
    if (!file) return false;
    return Add(SectionKind::Image, {{std::string(KeyName(SkinKey::File)), file->toStdString()}},
               PictureSize(*file));
}

QPoint ElementCommands::PictureSize(const QString& name) const {
    const BmpResult picture =
        LoadBmp(Path(QFileInfo(dialog_.SkinPath()).absoluteDir().filePath(name)));
    return picture.image ? QPoint(picture.image->Width(), picture.image->Height()) : QPoint();
}

bool ElementCommands::AddPicture(const QString& file, QPoint pixel) {
    const std::optional<QString> name = Picture({}, file);
    if (!name) return false;
    place_ = pixel;
    return Add(SectionKind::Image, {{std::string(KeyName(SkinKey::File)), name->toStdString()}},
               {0, 0});
}

bool ElementCommands::AddButton() {
    const std::optional<QString> up = Picture(QStringLiteral("The new button's up picture"));
    if (!up) return false;
    const std::optional<QString> down =
        Picture(QStringLiteral("The new button's down picture (drawn while pressed)"));
    if (!down) return false;
    return Add(SectionKind::Button,
               {{std::string(KeyName(SkinKey::FileUp)), up->toStdString()},
                {std::string(KeyName(SkinKey::FileDown)), down->toStdString()}},
               PictureSize(*up));
}

bool ElementCommands::AddLabel() {
    return Add(SectionKind::Label, {{std::string(KeyName(SkinKey::Fields)), "name"}}, kLabelSize);
}

bool ElementCommands::Duplicate() {
    const std::optional<PlacedElement> one = editor_.Selection();
    const SkinSession& session = dialog_.Session();
    if (!one || one->kind == PlacedKind::Photo || editor_.Selected().size() != 1 ||
        !session.HasText())
        return false;
    const int32_t s =
        LoadedSection(dialog_, session.Parsed(), SectionKindOf(one->kind), one->index);
    EditResult copied = DuplicateSection(session.Parsed(), s);
    if (!copied.ok) return false;
    editor_.ApplyFile(std::move(copied.file));
    // The copy loads as the next element of its kind.
    editor_.Select(PlacedElement{one->kind, one->index + 1});
    return true;
}

bool ElementCommands::Delete() {
    const SkinSession& session = dialog_.Session();
    if (!session.HasText()) return false;
    std::vector<int32_t> sections;
    for (const PlacedElement& e : editor_.Selected())
        sections.push_back(
            LoadedSection(dialog_, session.Parsed(), SectionKindOf(e.kind), e.index));
    if (const std::optional<int32_t> s = editor_.SelectedSection()) sections.push_back(*s);
    std::erase(sections, -1);
    if (sections.empty()) return false;
    // From the last section up, so that the indexes of those still to go stay.
    std::sort(sections.rbegin(), sections.rend());
    std::optional<SkinIniFile> text;
    for (const int32_t s : sections) {
        EditResult removed = RemoveSection(text ? *text : session.Parsed(), s);
        if (!removed.ok) return false;
        text = std::move(removed.file);
    }
    editor_.Select(std::nullopt);
    editor_.ApplyFile(std::move(*text));
    return true;
}

bool ElementCommands::Restack(int delta) {
    const std::optional<PlacedElement> one = editor_.Selection();
    const SkinSession& session = dialog_.Session();
    if (!one || one->kind == PlacedKind::Photo || !session.HasText()) return false;
    const SectionKind kind = SectionKindOf(one->kind);
    const int64_t to = static_cast<int64_t>(one->index) + delta;
    if (to < 0 || static_cast<size_t>(to) >= LoadedCount(dialog_, kind)) return false;
    const int32_t s = LoadedSection(dialog_, session.Parsed(), kind, one->index);
    EditResult moved = RestackSection(session.Parsed(), dialog_, s, static_cast<size_t>(to));
    if (!moved.ok) return false;
    editor_.ApplyFile(std::move(moved.file));
    editor_.Select(PlacedElement{one->kind, static_cast<size_t>(to)});
    return true;
}

bool ElementCommands::NewSkin() {
    if (!bench_.MayOpenAnother()) return false;
    const QString start = dialog_.SkinPath().isEmpty()
                              ? QDir::home().filePath(QStringLiteral("newskin/newskin.ini"))
                              : QFileInfo(dialog_.SkinPath())
                                    .dir()
                                    .filePath(QStringLiteral("../newskin/newskin.ini"));
    const std::optional<QString> chosen = dialog_.Files().ChooseNewSkinFile(&dialog_, start);
    if (!chosen) return false;
    const QFileInfo target(*chosen);
    if (target.exists() &&
        !dialog_.Messages().Confirm(
            &dialog_,
            QStringLiteral("%1 exists. Replace it with a new skin?").arg(target.fileName()),
            QStringLiteral("Replace"), QStringLiteral("Cancel")))
        return false;
    if (!QDir().mkpath(target.absolutePath())) {
        dialog_.Messages().ShowWarning(
            &dialog_, QStringLiteral("Could not make the folder %1").arg(target.absolutePath()));
        return false;
    }
    std::string error;
    const std::string_view text(kStartingSkin);
    if (WriteBytesAtomically(Path(target.absoluteFilePath()),
                             {reinterpret_cast<const uint8_t*>(text.data()), text.size()},
                             &error) != AtomicWriteStatus::Written) {
        dialog_.Messages().ShowWarning(
            &dialog_, QStringLiteral("Could not write %1: %2")
                          .arg(target.absoluteFilePath(), QString::fromStdString(error)));
        return false;
    }
    dialog_.OpenSkin(target.absoluteFilePath());
    bench_.Strip().editSkin->setChecked(true);
    return true;
}

} // namespace pindrel
