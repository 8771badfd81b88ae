#include "app/elements_list.h"

#include <QHeaderView>

#include "skin/element_at.h"
#include "skin/skin.h"

namespace pindrel {

namespace {

constexpr int kElementRole = Qt::UserRole;

QString Bytes(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString FieldNames(const SkinLabel& label) {
    QStringList names;
    for (const int32_t id : label.fieldIds) {
        const bool known = id >= 0 && static_cast<size_t>(id) < kCallerFieldNames.size();
        const std::string_view name = known ? kCallerFieldNames[static_cast<size_t>(id)] : "?";
        names.push_back(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
        if (names.size() == 8) {
            names.push_back(QStringLiteral("\u2026"));
            break;
        }
    }
    return names.isEmpty() ? QStringLiteral("(no caller field)") : names.join(QStringLiteral(", "));
}

int32_t Encode(const PlacedElement& e) {
    return static_cast<int32_t>(e.kind) | static_cast<int32_t>(e.index << 2);
}

PlacedElement Decode(int32_t v) {
    return {static_cast<PlacedKind>(v & 3), static_cast<size_t>(v) >> 2};
}

} // namespace

ElementsList::ElementsList(QWidget* parent) : QTreeWidget(parent) {
    setAccessibleName(QStringLiteral("Elements"));
    setToolTip(QStringLiteral("Every element of the skin; choose one to select it in the preview"));
    setColumnCount(4);
    setHeaderLabels({QStringLiteral("Element"), QStringLiteral("Picture or fields"),
                     QStringLiteral("Line"), QStringLiteral("Shown")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(1, QHeaderView::Stretch);
    for (const int column : {0, 2, 3})
        header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!marking_ && item) emit Chosen(Decode(item->data(0, kElementRole).toInt()));
    });
}

void ElementsList::ShowElements(const Skin& skin, CallType t) {
    marking_ = true;
    clear();
    const auto add = [&](PlacedElement e, const QString& kind, const QString& what, int32_t line) {
        auto* item = new QTreeWidgetItem(this);
        item->setText(0, kind);
        item->setText(1, what);
        item->setToolTip(1, what);
        item->setText(2, line > 0 ? QString::number(line) : QStringLiteral("\u2013"));
        item->setText(3, ShownUnder(skin, e, t) ? QStringLiteral("yes") : QStringLiteral("no"));
        item->setData(0, kElementRole, Encode(e));
    };
    for (size_t i = 0; i < skin.images.size(); ++i)
        add({PlacedKind::Image, i}, QStringLiteral("Image %1").arg(i), Bytes(skin.images[i].file),
            skin.images[i].line);
    for (size_t i = 0; i < skin.buttons.size(); ++i) {
        const SkinButton& b = skin.buttons[i];
        add({PlacedKind::Button, i}, QStringLiteral("Button %1").arg(i),
            QStringLiteral("id %1, %2").arg(b.id).arg(Bytes(b.fileUp)), b.line);
    }
    for (size_t i = 0; i < skin.labels.size(); ++i)
        add({PlacedKind::Label, i}, QStringLiteral("Label %1").arg(i), FieldNames(skin.labels[i]),
            skin.labels[i].line);
    add({PlacedKind::Photo, 0}, QStringLiteral("Photo"), QStringLiteral("caller's picture"),
        skin.photoRect.line);
    marking_ = false;
}

void ElementsList::Mark(const std::optional<PlacedElement>& element) {
    marking_ = true;
    QTreeWidgetItem* found = nullptr;
    for (int i = 0; element && i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = topLevelItem(i);
        if (Decode(item->data(0, kElementRole).toInt()) == *element) found = item;
    }
    setCurrentItem(found);
    if (!found) clearSelection();
    if (found) scrollToItem(found);
    marking_ = false;
}

} // namespace pindrel
