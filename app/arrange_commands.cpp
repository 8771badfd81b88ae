#include "app/arrange_commands.h"

#include <array>
#include <utility>

#include <QMenu>

#include "app/adapt_dialog.h"
#include "app/designer_dialog.h"
#include "app/skin_editor.h"

namespace pindrel {

namespace {

bool Resizable(PlacedKind kind) {
    return kind == PlacedKind::Label || kind == PlacedKind::Photo;
}

} // namespace

ArrangeCommands::ArrangeCommands(DesignerDialog& dialog, SkinEditor& editor, QObject* parent)
    : QObject(parent), dialog_(dialog), editor_(editor) {
    menu_ = new QMenu(&dialog);
    menu_->setTitle(QStringLiteral("Arrange"));
    const std::array<std::pair<const char*, AlignTo>, 6> aligns = {{
        {"Align left edges", AlignTo::Left},
        {"Align centres", AlignTo::Centre},
        {"Align right edges", AlignTo::Right},
        {"Align top edges", AlignTo::Top},
        {"Align middles", AlignTo::Middle},
        {"Align bottom edges", AlignTo::Bottom},
    }};
    for (const auto& [caption, to] : aligns) {
        QAction* a = menu_->addAction(QString::fromLatin1(caption));
        a->setToolTip(QStringLiteral("%1 of the selection, or of one element to the screen")
                          .arg(QString::fromLatin1(caption)));
        connect(a, &QAction::triggered, this, [this, to = to] { AlignSelected(to); });
        align_.push_back(a);
        if (to == AlignTo::Right) menu_->addSeparator();
    }
    menu_->addSeparator();
    acrossAction_ = menu_->addAction(QStringLiteral("Distribute horizontally"));
    downAction_ = menu_->addAction(QStringLiteral("Distribute vertically"));
    menu_->addSeparator();
    widthAction_ = menu_->addAction(QStringLiteral("Same width"));
    heightAction_ = menu_->addAction(QStringLiteral("Same height"));
    menu_->addSeparator();
    constexpr std::array<const char*, 3> kTargets = {"Adapt to Portrait\u2026",
                                                     "Adapt to Landscape\u2026",
                                                     "Adapt to Square\u2026"};
    for (int32_t o = 0; o < 3; ++o) {
        QAction* a = menu_->addAction(QString::fromUtf8(kTargets[static_cast<size_t>(o)]));
        a->setToolTip(QStringLiteral("Set this orientation's places from the one shown"));
        connect(a, &QAction::triggered, this, [this, o] { Adapt(o); });
        adapt_[static_cast<size_t>(o)] = a;
    }
    // Adapting goes from the orientation shown to another.
    connect(menu_, &QMenu::aboutToShow, this, [this] {
        for (int32_t o = 0; o < 3; ++o)
            adapt_[static_cast<size_t>(o)]->setVisible(o != dialog_.orientation);
    });
    connect(acrossAction_, &QAction::triggered, this, [this] { DistributeSelected(true); });
    connect(downAction_, &QAction::triggered, this, [this] { DistributeSelected(false); });
    connect(widthAction_, &QAction::triggered, this, [this] { SameSize(true); });
    connect(heightAction_, &QAction::triggered, this, [this] { SameSize(false); });
    connect(&editor, &SkinEditor::SelectionChanged, this, &ArrangeCommands::Update);
    Update();
}

void ArrangeCommands::Update() {
    const std::vector<PlacedElement>& selected = editor_.Selected();
    for (QAction* a : align_)
        a->setEnabled(!selected.empty());
    acrossAction_->setEnabled(selected.size() >= 3);
    downAction_->setEnabled(selected.size() >= 3);
    size_t resizable = 0;
    for (const PlacedElement& e : selected)
        if (Resizable(e.kind)) ++resizable;
    const std::optional<PlacedElement> model = editor_.Selection();
    const bool same = resizable >= 1 && selected.size() >= 2 && model;
    widthAction_->setEnabled(same);
    heightAction_->setEnabled(same);
    for (QAction* a : adapt_)
        a->setEnabled(dialog_.Session().HasText());
}

void ArrangeCommands::AlignSelected(AlignTo to) {
    std::vector<std::pair<PlacedElement, Placement>> now;
    std::vector<Rect> rects;
    for (const PlacedElement& e : editor_.Selected()) {
        const std::optional<Placement> p = CurrentPlacement(dialog_, e, dialog_.orientation);
        if (!p) continue;
        now.emplace_back(e, *p);
        rects.push_back(Rect::FromXYWH(p->x, p->y, p->width, p->height));
    }
    if (rects.empty()) return;
    const Size screen = kScreenSizes[static_cast<size_t>(dialog_.orientation)];
    const Rect reference =
        rects.size() == 1 ? Rect{0, 0, screen.width, screen.height} : Bounds(rects);
    const std::vector<Rect> aligned = Align(rects, to, reference);
    for (size_t i = 0; i < now.size(); ++i) {
        now[i].second.x = aligned[i].left;
        now[i].second.y = aligned[i].top;
    }
    editor_.Place(now);
}

void ArrangeCommands::DistributeSelected(bool horizontal) {
    std::vector<std::pair<PlacedElement, Placement>> now;
    std::vector<Rect> rects;
    for (const PlacedElement& e : editor_.Selected()) {
        const std::optional<Placement> p = CurrentPlacement(dialog_, e, dialog_.orientation);
        if (!p) continue;
        now.emplace_back(e, *p);
        rects.push_back(Rect::FromXYWH(p->x, p->y, p->width, p->height));
    }
    if (rects.size() < 3) return;
    const std::vector<Rect> spread = Distribute(rects, horizontal);
    for (size_t i = 0; i < now.size(); ++i) {
        now[i].second.x = spread[i].left;
        now[i].second.y = spread[i].top;
    }
    editor_.Place(now);
}

void ArrangeCommands::Adapt(int32_t to) {
    if (to == dialog_.orientation || !dialog_.Session().HasText()) return;
    AdaptDialog adapt(dialog_, editor_, to, &dialog_);
    adapt.exec();
}

void ArrangeCommands::SameSize(bool width) {
    const std::optional<PlacedElement> model = editor_.Selection();
    if (!model) return;
    const std::optional<Placement> size = CurrentPlacement(dialog_, *model, dialog_.orientation);
    if (!size) return;
    std::vector<std::pair<PlacedElement, Placement>> now;
    for (const PlacedElement& e : editor_.Selected()) {
        if (e == *model || !Resizable(e.kind)) continue;
        std::optional<Placement> p = CurrentPlacement(dialog_, e, dialog_.orientation);
        if (!p) continue;
        if (width)
            p->width = size->width;
        else
            p->height = size->height;
        now.emplace_back(e, *p);
    }
    editor_.Place(now);
}

} // namespace pindrel
