#include "app/skin_editor.h"

#include <algorithm>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTime>

#include "app/arrange_commands.h"
#include "app/designer_dialog.h"
#include "app/edit_gestures.h"
#include "app/elements_list.h"
#include "app/live_reload.h"
#include "app/magnifier_tool.h"
#include "app/magnifier_window.h"
#include "app/preview_window.h"
#include "app/workbench.h"
#include "app/workbench_strip.h"
#include "base/atomic_file.h"
#include "skin/element_at.h"
#include "skin/picture_adoption.h"
#include "skin/skin_element.h"

namespace pindrel {

namespace {

ElementHit HitOf(const Skin& skin, const PlacedElement& e) {
    switch (e.kind) {
    case PlacedKind::Image:
        return {ElementKind::Image, static_cast<int32_t>(e.index), skin.images[e.index].line};
    case PlacedKind::Button:
        return {ElementKind::Button, static_cast<int32_t>(e.index), skin.buttons[e.index].line};
    case PlacedKind::Label:
        return {ElementKind::Label, static_cast<int32_t>(e.index), skin.labels[e.index].line};
    case PlacedKind::Photo:
        break;
    }
    return {ElementKind::Photo, -1, skin.photoRect.line};
}

bool Exists(const Skin& skin, const PlacedElement& e) {
    return ElementRect(skin, e).has_value();
}

} // namespace

SkinEditor::SkinEditor(DesignerDialog& dialog, Workbench& bench, QObject* parent)
    : QObject(parent), dialog_(dialog), bench_(bench) {
    gestures_ = new EditGestures(dialog, bench, *this, this);
    // When the author pauses after changing keys, the whole skin is loaded again and checked.
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &SkinEditor::SettleNow);
    keysLater_.setSingleShot(true);
    keysLater_.setInterval(kKeysLaterMs);
    connect(&keysLater_, &QTimer::timeout, this,
            [this] { bench_.Strip().selectionKeys->setText(KeysText()); });
    arrange_ = new ArrangeCommands(dialog, *this, this);
    WorkbenchStrip& strip = bench.Strip();
    strip.arrange->setMenu(&arrange_->Menu());
    connect(strip.editSkin, &QAbstractButton::toggled, this, &SkinEditor::SetOn);
    connect(strip.undo, &QAbstractButton::clicked, this, &SkinEditor::Undo);
    connect(strip.redo, &QAbstractButton::clicked, this, &SkinEditor::Redo);
    connect(strip.save, &QAbstractButton::clicked, this, [this] { Save(); });
    connect(strip.elements, &ElementsList::Chosen, this, [this](PlacedElement e) { Select(e); });
    connect(strip.elements, &ElementsList::ChosenSection, this, &SkinEditor::SelectSection);
    // Application-wide, so that they work in the magnifier too; a focused text field keeps its
    // own undo.
    const auto shortcut = [&](const QKeySequence& keys, auto slot) {
        auto* s = new QShortcut(keys, &dialog_);
        s->setContext(Qt::ApplicationShortcut);
        s->setEnabled(false);
        connect(s, &QShortcut::activated, this, slot);
        shortcuts_.push_back(s);
    };
    shortcut(QKeySequence::Undo, &SkinEditor::Undo);
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &SkinEditor::Redo);
    shortcut(QKeySequence::Save, [this] { Save(); });
    shortcut(QKeySequence::SelectAll, &SkinEditor::SelectAllShown);
    ShowState();
}

SkinEditor::~SkinEditor() = default;

bool SkinEditor::IsOn() const {
    return bench_.Strip().editSkin->isChecked();
}

void SkinEditor::SetOn(bool on) {
    if (!on && inGesture_) EndGesture();
    for (QShortcut* s : shortcuts_)
        s->setEnabled(on);
    gestures_->SetOn(on);
    if (on) bench_.Strip().ShowElements();
    ShowState();
    Repaint();
}

// Selection

std::optional<PlacedElement> SkinEditor::Selection() const {
    if (selected_.empty()) return std::nullopt;
    return selected_.back();
}

void SkinEditor::Select(std::optional<PlacedElement> element) {
    SetSelected(element ? std::vector<PlacedElement>{*element} : std::vector<PlacedElement>{});
}

void SkinEditor::SetSelected(std::vector<PlacedElement> elements) {
    std::erase_if(elements, [this](const PlacedElement& e) { return !Exists(dialog_, e); });
    const bool changed = elements != selected_ || section_.has_value();
    selected_ = std::move(elements);
    section_.reset();
    bench_.Strip().elements->Mark(Selection());
    ShowState();
    Repaint();
    if (changed) emit SelectionChanged();
}

void SkinEditor::Toggle(const PlacedElement& element) {
    std::vector<PlacedElement> next = selected_;
    if (const auto at = std::find(next.begin(), next.end(), element); at != next.end())
        next.erase(at);
    else
        next.push_back(element);
    SetSelected(std::move(next));
}

void SkinEditor::SelectAllShown() {
    const CallType t = dialog_.GetCallType(nullptr);
    std::vector<PlacedElement> all;
    const auto add = [&](PlacedKind kind, size_t count) {
        for (size_t i = 0; i < count; ++i)
            if (ShownUnder(dialog_, {kind, i}, t)) all.push_back({kind, i});
    };
    add(PlacedKind::Image, dialog_.images.size());
    add(PlacedKind::Button, dialog_.buttons.size());
    add(PlacedKind::Label, dialog_.labels.size());
    add(PlacedKind::Photo, 1);
    SetSelected(std::move(all));
}

void SkinEditor::SelectSection(int32_t section) {
    if (const std::optional<PlacedElement> loaded = ElementOfSection(dialog_, section)) {
        Select(loaded);
        return;
    }
    const bool changed = section_ != section || !selected_.empty();
    selected_.clear();
    section_ = section;
    bench_.Strip().elements->Mark(std::nullopt, section);
    ShowState();
    Repaint();
    if (changed) emit SelectionChanged();
}

QString SkinEditor::WhyNotLoaded(int32_t s) const {
    for (const LoadDrop& d : dialog_.Session().Report().drops)
        if (d.section == s) return DropReason(d) + QLatin1Char('.');
    return {};
}

void SkinEditor::Prune() {
    const size_t before = selected_.size();
    std::erase_if(selected_, [this](const PlacedElement& e) { return !Exists(dialog_, e); });
    const SkinIniFile& parsed = dialog_.Session().Parsed();
    const bool sectionGone =
        section_ && (*section_ < 0 || static_cast<size_t>(*section_) >= parsed.sections.size());
    if (sectionGone) section_.reset();
    if (selected_.size() != before || sectionGone) emit SelectionChanged();
}

// Edits

void SkinEditor::BeginGesture() {
    FlushTyping();
    SettleNow();
    inGesture_ = true;
    dialog_.Session().BeginStep();
}

void SkinEditor::EndGesture() {
    if (!inGesture_) return;
    inGesture_ = false;
    dialog_.Session().EndStep();
    if (reloadAtEnd_) {
        reloadAtEnd_ = false;
        dialog_.LoadEdited();
    }
    Settled();
}

void SkinEditor::Settled() {
    // The problems and the elements list follow each finished edit, not every mouse move.
    bench_.EditsSettled();
    ShowState();
}

void SkinEditor::Take(SkinIniFile edited) {
    SettleNow();
    SkinSession& session = dialog_.Session();
    if (inGesture_) {
        session.Amend(std::move(edited));
        dialog_.LoadEdited();
        return;
    }
    session.Edit(std::move(edited));
    dialog_.LoadEdited();
    Settled();
}

bool SkinEditor::Place(const std::vector<std::pair<PlacedElement, Placement>>& placements) {
    SkinSession& session = dialog_.Session();
    if (!session.HasText() || placements.empty()) return false;
    const bool own = !inGesture_;
    if (own) BeginGesture();
    // Each placement is made on the text the one before left, the skin following each in place;
    // the skin is loaded again from the text when the gesture ends.
    bool ok = true;
    bool changed = false;
    std::optional<SkinIniFile> edited;
    for (const auto& [element, placement] : placements) {
        const SkinIniFile& text = edited ? *edited : session.Parsed();
        EditResult result = PlaceElement(text, dialog_, element, placement);
        if (!result.ok) {
            bench_.Strip().ShowStatus(
                QStringLiteral("Cannot place: %1").arg(QString::fromStdString(result.error)));
            ok = false;
            break;
        }
        if (!result.changed) continue;
        changed = true;
        FollowPlacement(dialog_, element, placement, result.file);
        edited = std::move(result.file);
    }
    if (changed) {
        // A step that failed part-way leaves the skin as the text it began with.
        if (ok) session.Amend(std::move(*edited));
        reloadAtEnd_ = true;
        if (!ok) dialog_.LoadEdited();
        dialog_.RepaintPreview();
        // The strip's keys follow the drag a few times a second; the rest catches up when it
        // ends, as laying the strip out again at every step would slow the drag.
        if (!keysLater_.isActive()) keysLater_.start();
    }
    if (own) EndGesture();
    return ok && changed;
}

void SkinEditor::Nudge(int dx, int dy, int dw, int dh) {
    if (selected_.empty() || inGesture_) return;
    std::vector<std::pair<PlacedElement, Placement>> placements;
    for (const PlacedElement& e : selected_) {
        const std::optional<Placement> now = CurrentPlacement(dialog_, e, dialog_.orientation);
        if (!now) continue;
        Placement p = *now;
        p.x += dx;
        p.y += dy;
        p.width = std::max(1, p.width + dw);
        p.height = std::max(1, p.height + dh);
        placements.emplace_back(e, p);
    }
    Place(placements);
}

bool SkinEditor::ApplyText(std::vector<uint8_t> text) {
    SkinIniFile edited;
    edited.Parse(std::move(text));
    return ApplyFile(std::move(edited));
}

bool SkinEditor::ApplyFile(SkinIniFile edited) {
    SkinSession& session = dialog_.Session();
    if (inGesture_ || !session.HasText() || std::ranges::equal(edited.Bytes(), session.Text()))
        return false;
    Take(std::move(edited));
    return true;
}

bool SkinEditor::ChangeKeys(SectionKind kind, const std::vector<int32_t>& sections,
                            const std::vector<KeyChange>& changes) {
    SkinSession& session = dialog_.Session();
    if (inGesture_ || !session.HasText() || changes.empty()) return false;
    FlushTyping();
    std::optional<SkinIniFile> edited;
    const auto apply = [&](EditResult r) {
        if (!r.ok) {
            bench_.Strip().ShowStatus(
                QStringLiteral("Not changed: %1").arg(QString::fromStdString(r.error)));
            return false;
        }
        edited = std::move(r.file);
        return true;
    };
    for (const KeyChange& c : changes) {
        const SkinIniFile& text = edited ? *edited : session.Parsed();
        if (sections.empty()) {
            if (c.value) {
                if (!apply(SetSingleKey(text, kind, c.key, *c.value))) return false;
            } else if (const int32_t s = text.FindSection(SectionName(kind), 0); s >= 0) {
                if (!apply(RemoveKey(text, s, c.key))) return false;
            }
            continue;
        }
        // Keys come and go within their sections: the indexes of the others stay.
        for (const int32_t s : sections) {
            const SkinIniFile& now = edited ? *edited : session.Parsed();
            if (!apply(c.value ? SetKey(now, s, c.key, *c.value) : RemoveKey(now, s, c.key)))
                return false;
        }
    }
    if (!edited) return false;
    if (inGesture_ || sections.empty() || std::ranges::equal(edited->Bytes(), session.Text()))
        return ApplyFile(std::move(*edited));
    // Keys of loaded elements: only those elements are loaded again now, the whole skin (with
    // its problems) when the author pauses.
    session.Edit(std::move(*edited));
    for (const int32_t s : sections) {
        if (!session.ReloadElement(dialog_, s)) {
            dialog_.LoadEdited();
            Settled();
            return true;
        }
    }
    dialog_.RepaintPreview();
    ShowState();
    emit TextChanged();
    settle_.start();
    return true;
}

void SkinEditor::SettleNow() {
    if (!settle_.isActive()) return;
    settle_.stop();
    dialog_.LoadEdited();
    Settled();
}

bool SkinEditor::PlaceInspected(const std::vector<PlacedElement>& elements,
                                const std::vector<int32_t>& unloaded, int32_t orientation,
                                int which, int32_t value) {
    if (inGesture_ || orientation < 0 || orientation >= kOrientationCount) return false;
    std::vector<std::pair<PlacedElement, Placement>> placements;
    for (const PlacedElement& e : elements) {
        std::optional<Placement> p = CurrentPlacement(dialog_, e, orientation);
        if (!p) continue;
        int32_t* field[] = {&p->x, &p->y, &p->width, &p->height};
        *field[std::clamp(which, 0, 3)] = value;
        placements.emplace_back(e, *p);
    }
    BeginGesture();
    Place(placements);
    // A section that did not load keeps its keys as they stand: only the one asked changes.
    const SkinIniFile& parsed = dialog_.Session().Parsed();
    std::optional<SkinIniFile> edited;
    for (const int32_t s : unloaded) {
        SkinElement read;
        ReadCarriedPlacement(edited ? *edited : parsed, s, read);
        const Rect r = read.rects[static_cast<size_t>(orientation)];
        int32_t v[] = {r.left, r.top, r.Width(), r.Height()};
        v[std::clamp(which, 0, 3)] = value;
        const bool position = which < 2;
        const auto o = static_cast<size_t>(orientation);
        EditResult r2 = SetKey(edited ? *edited : parsed, s, position ? kPosKeys[o] : kSizeKeys[o],
                               position ? PairValue(v[0], v[1]) : PairValue(v[2], v[3]));
        if (r2.ok) edited = std::move(r2.file);
    }
    if (edited) Take(std::move(*edited));
    EndGesture();
    return true;
}

std::optional<QString> SkinEditor::AdoptPictureFile(const QString& file, std::optional<Color> key) {
    const QString folder = QFileInfo(dialog_.SkinPath()).absolutePath();
    const std::string from = QFile::encodeName(file).toStdString();
    const std::string into = QFile::encodeName(folder).toStdString();
    const PictureAdoption plan = PlanPictureAdoption(from, into);
    if (!plan.problem.empty()) {
        dialog_.Messages().ShowWarning(
            &dialog_, QStringLiteral("%1 %2").arg(QDir::toNativeSeparators(file),
                                                  QString::fromStdString(plan.problem)));
        return std::nullopt;
    }
    const QString name = QString::fromStdString(plan.name);
    if (plan.replaces &&
        !dialog_.Messages().Confirm(
            &dialog_,
            QStringLiteral("%1 is in the skin's folder already. Replace it with %2?")
                .arg(name, QDir::toNativeSeparators(file)),
            QStringLiteral("Replace"), QStringLiteral("Keep it")))
        return std::nullopt;
    std::string error;
    if (!AdoptPicture(plan, into, key, &error)) {
        dialog_.Messages().ShowWarning(
            &dialog_,
            QStringLiteral("Could not add the picture: %1").arg(QString::fromStdString(error)));
        return std::nullopt;
    }
    if (plan.convert)
        bench_.Strip().ShowStatus(
            QStringLiteral("Converted %1 into %2").arg(QFileInfo(file).fileName(), name));
    return name;
}

bool SkinEditor::ChoosePicture(SectionKind kind, const std::vector<int32_t>& sections,
                               SkinKey key) {
    const SkinSession& session = dialog_.Session();
    if (!session.HasText()) return false;
    const QString folder = QFileInfo(dialog_.SkinPath()).absolutePath();
    const std::string_view keyName = KeyName(key);
    const std::optional<QString> chosen = dialog_.Files().ChoosePictureFile(
        &dialog_,
        QStringLiteral("Picture for \"%1\"")
            .arg(QString::fromLatin1(keyName.data(), static_cast<qsizetype>(keyName.size()))),
        folder);
    if (!chosen) return false;
    // The transparent half of a converted picture takes the key colour the element has.
    std::optional<Color> colour;
    Color c;
    const SkinIniFile& parsed = session.Parsed();
    const int32_t first =
        sections.empty() ? parsed.FindSection(SectionName(kind), 0) : sections.front();
    if (parsed.GetColor(first, KeyName(SkinKey::TranspColor), c)) colour = c;
    const std::optional<QString> name = AdoptPictureFile(*chosen, colour);
    if (!name) return false;
    return ChangeKeys(kind, sections, {{std::string(keyName), name->toStdString()}});
}

void SkinEditor::Undo() {
    FlushTyping();
    SettleNow();
    SkinSession& session = dialog_.Session();
    if (inGesture_ || !session.CanUndo()) return;
    session.Undo();
    dialog_.LoadEdited();
    Settled();
}

void SkinEditor::Redo() {
    FlushTyping();
    SettleNow();
    SkinSession& session = dialog_.Session();
    if (inGesture_ || !session.CanRedo()) return;
    session.Redo();
    dialog_.LoadEdited();
    Settled();
}

bool SkinEditor::Save() {
    FlushTyping();
    SettleNow();
    SkinSession& session = dialog_.Session();
    const QString& path = dialog_.SkinPath();
    if (inGesture_ || !session.Modified() || path.isEmpty()) return false;
    const QString name = QFileInfo(path).fileName();
    const std::string file = QFile::encodeName(path).toStdString();
    std::string error;
    switch (WriteBytesAtomically(file, session.Text(), &error, session.OnDisk(),
                                 session.OnDiskStamp())) {
    case AtomicWriteStatus::Written:
        break;
    case AtomicWriteStatus::Changed:
        // What changed on disk behind our back is not overwritten.
        if (dialog_.Messages().Confirm(&dialog_,
                                       QStringLiteral("%1 changed on disk since it was read, and "
                                                      "was not saved. Reload it and discard your "
                                                      "edits?")
                                           .arg(name),
                                       QStringLiteral("Reload"), QStringLiteral("Keep my edits"))) {
            dialog_.LoadFromDisk(ReadStableFile(file, kMaxSkinFileBytes));
            dialog_.RepaintPreview();
        }
        return false;
    case AtomicWriteStatus::Failed:
        dialog_.Messages().ShowWarning(
            &dialog_,
            QStringLiteral("Could not save %1: %2").arg(name, QString::fromStdString(error)));
        return false;
    }
    session.MarkSaved(StampFile(file));
    // The designer's own save is no change to reload.
    bench_.Live().Follow();
    bench_.Strip().ShowStatus(
        QStringLiteral("Saved %1 at %2")
            .arg(name, QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))));
    ShowState();
    return true;
}

bool SkinEditor::MayDropEdits(const QString& question) {
    FlushTyping();
    SettleNow();
    if (!dialog_.Session().Modified()) return true;
    switch (dialog_.Messages().AskUnsaved(&dialog_, question)) {
    case UnsavedChoice::Save:
        return Save();
    case UnsavedChoice::Discard:
        return true;
    case UnsavedChoice::Cancel:
        break;
    }
    return false;
}

void SkinEditor::Picked(QRgb colour) {
    std::function<void(QRgb)> picked = std::move(pick_);
    pick_ = nullptr;
    if (picked) picked(colour);
}

// Loads and paints

void SkinEditor::SkinLoaded(bool fromDisk) {
    if (fromDisk) {
        // Another file, or the same one changed: what was selected may be something else now.
        if (inGesture_) {
            inGesture_ = false;
            dialog_.Session().EndStep();
        }
        gestures_->Reset();
        const bool had = !selected_.empty() || section_.has_value();
        selected_.clear();
        section_.reset();
        bench_.Strip().elements->ShowElements(dialog_, dialog_.GetCallType(nullptr),
                                              &dialog_.Session().Report(),
                                              &dialog_.Session().Parsed());
        ShowState();
        emit TextChanged();
        if (had) emit SelectionChanged();
        return;
    }
    Prune();
    ShowState();
    emit TextChanged();
}

void SkinEditor::Painted() {
    const CallType t = dialog_.GetCallType(nullptr);
    if (t == shownCallType_ && dialog_.orientation == shownOrientation_) return;
    shownCallType_ = t;
    shownOrientation_ = dialog_.orientation;
    bench_.Strip().elements->ShowElements(dialog_, t, &dialog_.Session().Report(),
                                          &dialog_.Session().Parsed());
    bench_.Strip().elements->Mark(Selection(), section_);
    ShowState();
}

void SkinEditor::ShowState() {
    WorkbenchStrip& strip = bench_.Strip();
    const SkinSession& session = dialog_.Session();
    const bool on = IsOn();
    strip.undo->setEnabled(on && session.CanUndo());
    strip.redo->setEnabled(on && session.CanRedo());
    strip.save->setEnabled(session.Modified());
    strip.editorWindow->setEnabled(on);
    strip.arrange->setEnabled(on && !selected_.empty());
    strip.editState->setText(session.Modified() ? QStringLiteral("Unsaved edits") : QString());
    QString text;
    const std::optional<PlacedElement> one = Selection();
    if (selected_.size() > 1) {
        text = QStringLiteral("%1 elements selected").arg(selected_.size());
    } else if (one && Exists(dialog_, *one)) {
        text = QString::fromStdString(DescribeElement(dialog_, HitOf(dialog_, *one)));
    } else if (section_) {
        text =
            QStringLiteral("A section that does not load, line %1")
                .arg(
                    dialog_.Session().Parsed().sectionLines[static_cast<size_t>(*section_)].header);
    } else if (on) {
        text = QStringLiteral("Click an element to select it");
    }
    strip.selection->setText(text);
    strip.selection->setToolTip(text);
    strip.selectionKeys->setText(KeysText());
}

QString SkinEditor::KeysText() const {
    const std::optional<PlacedElement> one = Selection();
    if (selected_.size() > 1 || !one || !Exists(dialog_, *one)) return {};
    const std::optional<Placement> p = CurrentPlacement(dialog_, *one, dialog_.orientation);
    if (!p) return {};
    const auto o = static_cast<size_t>(dialog_.orientation);
    const auto key = [](std::string_view k) {
        return QString::fromLatin1(k.data(), static_cast<qsizetype>(k.size()));
    };
    return QStringLiteral("%1=%2,%3 %4=%5,%6")
        .arg(key(kPosKeys[o]))
        .arg(p->x)
        .arg(p->y)
        .arg(key(kSizeKeys[o]))
        .arg(p->width)
        .arg(p->height);
}

void SkinEditor::Repaint() {
    if (PreviewWindow* preview = dialog_.Preview()) preview->update();
    if (MagnifierWindow* m = bench_.Magnifier().Window()) m->update();
}

} // namespace pindrel
