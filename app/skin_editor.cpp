#include "app/skin_editor.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QTime>

#include "app/designer_dialog.h"
#include "app/elements_list.h"
#include "app/live_reload.h"
#include "app/magnifier_tool.h"
#include "app/magnifier_window.h"
#include "app/preview_window.h"
#include "app/workbench.h"
#include "app/workbench_strip.h"
#include "base/atomic_file.h"
#include "skin/element_at.h"
#include "skin/skin_format.h"

namespace pindrel {

namespace {

// The selection is drawn in a colour no skin is likely to be made of, with white beside it so
// that it shows on dark and light artwork alike.
const QColor kSelection(0, 160, 255);

QPoint PixelOf(QPointF p) {
    return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

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
    WorkbenchStrip& strip = bench.Strip();
    connect(strip.editSkin, &QAbstractButton::toggled, this, &SkinEditor::SetOn);
    connect(strip.undo, &QAbstractButton::clicked, this, &SkinEditor::Undo);
    connect(strip.redo, &QAbstractButton::clicked, this, &SkinEditor::Redo);
    connect(strip.save, &QAbstractButton::clicked, this, [this] { Save(); });
    connect(strip.elements, &ElementsList::Chosen, this, [this](PlacedElement e) { Select(e); });
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
    dialog_.Preview()->SetTool(this);
    ShowState();
}

SkinEditor::~SkinEditor() {
    if (PreviewWindow* preview = dialog_.Preview()) preview->SetTool(nullptr);
}

bool SkinEditor::IsOn() const {
    return bench_.Strip().editSkin->isChecked();
}

void SkinEditor::SetOn(bool on) {
    if (!on && gesture_) EndGesture();
    for (QShortcut* s : shortcuts_)
        s->setEnabled(on);
    // The preview takes the keyboard on a click only while arrow keys mean something there.
    dialog_.Preview()->setFocusPolicy(on ? Qt::ClickFocus : Qt::NoFocus);
    if (MagnifierWindow* m = bench_.Magnifier().Window())
        m->setFocusPolicy(on ? Qt::ClickFocus : Qt::NoFocus);
    if (on) bench_.Strip().ShowElements();
    lastClick_.reset();
    ShowState();
    Repaint();
}

void SkinEditor::Select(std::optional<PlacedElement> element) {
    if (element && !Exists(dialog_, *element)) element.reset();
    selection_ = element;
    bench_.Strip().elements->Mark(selection_);
    ShowState();
    Repaint();
}

std::optional<SkinEditor::Grip> SkinEditor::GripAt(QPointF pixel, qreal k) const {
    if (!selection_) return std::nullopt;
    const std::optional<Rect> r = ElementRect(dialog_, *selection_);
    if (!r) return std::nullopt;
    const qreal l = r->left * k, t = r->top * k, rt = r->right * k, b = r->bottom * k;
    const qreal cx = (l + rt) / 2, cy = (t + b) / 2;
    const QPointF at = pixel * k;
    struct Handle {
        Grip grip;
        QPointF centre;
    };
    const std::array<Handle, 8> handles = {{{Grip::TopLeft, {l, t}},
                                            {Grip::TopRight, {rt, t}},
                                            {Grip::BottomLeft, {l, b}},
                                            {Grip::BottomRight, {rt, b}},
                                            {Grip::Top, {cx, t}},
                                            {Grip::Bottom, {cx, b}},
                                            {Grip::Left, {l, cy}},
                                            {Grip::Right, {rt, cy}}}};
    for (const Handle& h : handles) {
        if (std::abs(at.x() - h.centre.x()) <= kGripReach &&
            std::abs(at.y() - h.centre.y()) <= kGripReach)
            return h.grip;
    }
    return std::nullopt;
}

void SkinEditor::Press(PreviewInput& from, QPointF pixel, Qt::KeyboardModifiers /*mods*/) {
    const QPoint p = PixelOf(pixel);
    std::optional<Grip> grip = GripAt(pixel, from.UnitsPerPixel());
    bool fresh = false;
    if (!grip) {
        const std::vector<PlacedElement> under =
            ElementsUnder(dialog_, {p.x(), p.y()}, dialog_.GetCallType(nullptr));
        const bool onSelection =
            selection_ && std::find(under.begin(), under.end(), *selection_) != under.end();
        // A press on another element takes it at once, so that it can be dragged straight away.
        if (!onSelection) {
            Select(under.empty() ? std::nullopt : std::optional(under.front()));
            fresh = true;
        }
        if (selection_) grip = Grip::Body;
    }
    if (!grip || !selection_) {
        lastClick_.reset();
        return;
    }
    const std::optional<Placement> now =
        CurrentPlacement(dialog_, *selection_, dialog_.orientation);
    if (!now) return;
    gesture_ = Gesture{*grip, p, *now, false, fresh};
    dialog_.Session().BeginStep();
}

void SkinEditor::Move(PreviewInput& from, QPointF pixel, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers /*mods*/) {
    if (!gesture_ || !(buttons & Qt::LeftButton)) {
        // The pointer says what a press would take.
        const std::optional<Grip> grip = GripAt(pixel, from.UnitsPerPixel());
        Qt::CursorShape shape = Qt::ArrowCursor;
        if (grip == Grip::TopLeft || grip == Grip::BottomRight) shape = Qt::SizeFDiagCursor;
        if (grip == Grip::TopRight || grip == Grip::BottomLeft) shape = Qt::SizeBDiagCursor;
        if (grip == Grip::Left || grip == Grip::Right) shape = Qt::SizeHorCursor;
        if (grip == Grip::Top || grip == Grip::Bottom) shape = Qt::SizeVerCursor;
        from.setCursor(shape);
        return;
    }
    const QPoint d = PixelOf(pixel) - gesture_->start;
    if (!gesture_->moved && d.isNull()) return;
    gesture_->moved = true;
    Placement p = gesture_->from;
    const Grip g = gesture_->grip;
    const bool left = g == Grip::Left || g == Grip::TopLeft || g == Grip::BottomLeft;
    const bool right = g == Grip::Right || g == Grip::TopRight || g == Grip::BottomRight;
    const bool top = g == Grip::Top || g == Grip::TopLeft || g == Grip::TopRight;
    const bool bottom = g == Grip::Bottom || g == Grip::BottomLeft || g == Grip::BottomRight;
    if (g == Grip::Body) {
        p.x += d.x();
        p.y += d.y();
    }
    // An edge is not dragged past its opposite: a width of 0 would mean the picture's own.
    if (left) {
        const int dx = std::min(d.x(), p.width - 1);
        p.x += dx;
        p.width -= dx;
    }
    if (right) p.width = std::max(1, p.width + d.x());
    if (top) {
        const int dy = std::min(d.y(), p.height - 1);
        p.y += dy;
        p.height -= dy;
    }
    if (bottom) p.height = std::max(1, p.height + d.y());
    Place(p);
}

void SkinEditor::Release(PreviewInput& /*from*/, QPointF pixel, Qt::KeyboardModifiers /*mods*/) {
    if (!gesture_) return;
    const Gesture g = *gesture_;
    EndGesture();
    const QPoint p = PixelOf(pixel);
    if (g.moved) {
        lastClick_.reset();
        return;
    }
    // A click selects the topmost element there; again where the last one was, it walks down
    // the stack of elements under the pointer.
    if (!g.fresh && g.grip == Grip::Body) {
        const std::vector<PlacedElement> under =
            ElementsUnder(dialog_, {p.x(), p.y()}, dialog_.GetCallType(nullptr));
        const auto at = std::find(under.begin(), under.end(), *selection_);
        if (lastClick_ != g.start || at == under.end()) {
            if (!under.empty()) Select(under.front());
        } else {
            Select(under[(static_cast<size_t>(at - under.begin()) + 1) % under.size()]);
        }
    }
    lastClick_ = g.start;
}

bool SkinEditor::Key(PreviewInput& /*from*/, int key, Qt::KeyboardModifiers mods) {
    int dx = 0, dy = 0;
    switch (key) {
    case Qt::Key_Left:
        dx = -1;
        break;
    case Qt::Key_Right:
        dx = 1;
        break;
    case Qt::Key_Up:
        dy = -1;
        break;
    case Qt::Key_Down:
        dy = 1;
        break;
    default:
        return false;
    }
    if (!selection_) return true;
    const int step = (mods & Qt::ShiftModifier) ? 10 : 1;
    if (mods & Qt::ControlModifier)
        Nudge(0, 0, dx * step, dy * step);
    else
        Nudge(dx * step, dy * step, 0, 0);
    return true;
}

void SkinEditor::Nudge(int dx, int dy, int dw, int dh) {
    if (!selection_ || gesture_) return;
    const std::optional<Placement> now =
        CurrentPlacement(dialog_, *selection_, dialog_.orientation);
    if (!now) return;
    Placement p = *now;
    p.x += dx;
    p.y += dy;
    p.width = std::max(1, p.width + dw);
    p.height = std::max(1, p.height + dh);
    dialog_.Session().BeginStep();
    Place(p);
    EndGesture();
}

bool SkinEditor::Place(const Placement& placement) {
    SkinSession& session = dialog_.Session();
    if (!selection_ || !session.HasText()) return false;
    EditResult result = PlaceElement(session.Parsed(), dialog_, *selection_, placement);
    if (!result.ok) {
        bench_.Strip().ShowStatus(
            QStringLiteral("Cannot place: %1").arg(QString::fromStdString(result.error)));
        return false;
    }
    if (!result.changed) return false;
    session.Amend(std::move(result.file));
    dialog_.LoadEdited();
    return true;
}

void SkinEditor::EndGesture() {
    gesture_.reset();
    dialog_.Session().EndStep();
    // The problems and the elements list follow each finished edit, not every mouse move.
    bench_.EditsSettled();
    ShowState();
}

void SkinEditor::Undo() {
    SkinSession& session = dialog_.Session();
    if (gesture_ || !session.CanUndo()) return;
    session.Undo();
    dialog_.LoadEdited();
    bench_.EditsSettled();
    ShowState();
}

void SkinEditor::Redo() {
    SkinSession& session = dialog_.Session();
    if (gesture_ || !session.CanRedo()) return;
    session.Redo();
    dialog_.LoadEdited();
    bench_.EditsSettled();
    ShowState();
}

bool SkinEditor::Save() {
    SkinSession& session = dialog_.Session();
    const QString& path = dialog_.SkinPath();
    if (gesture_ || !session.Modified() || path.isEmpty()) return false;
    const QString name = QFileInfo(path).fileName();
    const std::string file = QFile::encodeName(path).toStdString();
    std::string error;
    switch (WriteBytesAtomically(file, session.Text(), &error, session.OnDisk())) {
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
            dialog_.LoadFromDisk(ReadRegularFile(file));
            dialog_.RepaintPreview();
        }
        return false;
    case AtomicWriteStatus::Failed:
        dialog_.Messages().ShowWarning(
            &dialog_,
            QStringLiteral("Could not save %1: %2").arg(name, QString::fromStdString(error)));
        return false;
    }
    session.MarkSaved();
    // The designer's own save is no change to reload.
    bench_.Live().Follow();
    bench_.Strip().ShowStatus(
        QStringLiteral("Saved %1 at %2")
            .arg(name, QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))));
    ShowState();
    return true;
}

bool SkinEditor::MayDropEdits(const QString& question) {
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

void SkinEditor::SkinLoaded(bool fromDisk) {
    if (fromDisk) {
        // Another file, or the same one changed: what was selected may be something else now.
        gesture_.reset();
        lastClick_.reset();
        selection_.reset();
        bench_.Strip().elements->ShowElements(dialog_, dialog_.GetCallType(nullptr));
    } else if (selection_ && !Exists(dialog_, *selection_)) {
        selection_.reset();
    }
    ShowState();
}

void SkinEditor::Painted() {
    const CallType t = dialog_.GetCallType(nullptr);
    if (t == shownCallType_ && dialog_.orientation == shownOrientation_) return;
    shownCallType_ = t;
    shownOrientation_ = dialog_.orientation;
    bench_.Strip().elements->ShowElements(dialog_, t);
    bench_.Strip().elements->Mark(selection_);
    ShowState();
}

void SkinEditor::ShowState() {
    WorkbenchStrip& strip = bench_.Strip();
    const SkinSession& session = dialog_.Session();
    const bool on = IsOn();
    strip.undo->setEnabled(on && session.CanUndo());
    strip.redo->setEnabled(on && session.CanRedo());
    strip.save->setEnabled(session.Modified());
    strip.editState->setText(session.Modified() ? QStringLiteral("Unsaved edits") : QString());
    QString text;
    QString keys;
    if (selection_ && Exists(dialog_, *selection_)) {
        text = QString::fromStdString(DescribeElement(dialog_, HitOf(dialog_, *selection_)));
        const auto o = static_cast<size_t>(dialog_.orientation);
        if (const std::optional<Placement> p =
                CurrentPlacement(dialog_, *selection_, dialog_.orientation)) {
            const auto key = [](std::string_view k) {
                return QString::fromLatin1(k.data(), static_cast<qsizetype>(k.size()));
            };
            keys = QStringLiteral("%1=%2,%3 %4=%5,%6")
                       .arg(key(kPosKeys[o]))
                       .arg(p->x)
                       .arg(p->y)
                       .arg(key(kSizeKeys[o]))
                       .arg(p->width)
                       .arg(p->height);
        }
    } else if (on) {
        text = QStringLiteral("Click an element to select it");
    }
    strip.selection->setText(text);
    strip.selection->setToolTip(text);
    strip.selectionKeys->setText(keys);
}

void SkinEditor::Repaint() {
    if (PreviewWindow* preview = dialog_.Preview()) preview->update();
    if (MagnifierWindow* m = bench_.Magnifier().Window()) m->update();
}

void SkinEditor::PaintOver(QPainter& painter, qreal k) {
    if (!IsOn() || !selection_) return;
    const std::optional<Rect> r = ElementRect(dialog_, *selection_);
    if (!r) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // On the element's boundary pixels, as the align rectangle is drawn.
    const QRectF ring(r->left * k, r->top * k, std::max(0, r->Width()) * k,
                      std::max(0, r->Height()) * k);
    QPen outer(Qt::white, 1);
    outer.setCosmetic(true);
    painter.setPen(outer);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(ring.adjusted(-1, -1, 0, 0));
    QPen inner(kSelection, 1);
    inner.setCosmetic(true);
    painter.setPen(inner);
    painter.drawRect(ring.adjusted(0, 0, -1, -1));
    const qreal l = ring.left(), t = ring.top(), rt = ring.right(), b = ring.bottom();
    const qreal cx = (l + rt) / 2, cy = (t + b) / 2;
    const qreal side = kGripReach * 2 - 2;
    painter.setBrush(Qt::white);
    for (const QPointF c : {QPointF(l, t), QPointF(rt, t), QPointF(l, b), QPointF(rt, b),
                            QPointF(cx, t), QPointF(cx, b), QPointF(l, cy), QPointF(rt, cy)})
        painter.drawRect(QRectF(c.x() - side / 2, c.y() - side / 2, side, side));
    painter.restore();
}

} // namespace pindrel
