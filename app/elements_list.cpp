#include "app/elements_list.h"

#include <QHeaderView>

#include "ini/ini_file.h"
#include "skin/element_at.h"
#include "skin/skin.h"
#include "skin/skin_format.h"

namespace pindrel {

namespace {

constexpr int kElementRole = Qt::UserRole;
constexpr int kSectionRole = Qt::UserRole + 1; // a section left out; no element then

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
        if (marking_ || !item) return;
        if (item->data(0, kSectionRole).isValid())
            emit ChosenSection(item->data(0, kSectionRole).toInt());
        else
            emit Chosen(Decode(item->data(0, kElementRole).toInt()));
    });
}

QString DropReason(const LoadDrop& d) {
    const std::string_view key = KeyName(d.key);
    const QString k = QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
    switch (d.cause) {
    case DropCause::MissingKey:
        return QStringLiteral("\"%1\" is missing").arg(k);
    case DropCause::NoItems:
        return QStringLiteral("\"%1\" names no caller field").arg(k);
    case DropCause::Bitmap:
        return QStringLiteral("%1 (\"%2\") cannot be read: %3")
            .arg(Bytes(d.file), k,
                 QString::fromLatin1(d.reason.data(), static_cast<qsizetype>(d.reason.size())));
    case DropCause::Budget:
        return QStringLiteral("the skin's pictures are too large together");
    }
    return {};
}

void ElementsList::ShowElements(const Skin& skin, CallType t, const LoadReport* report,
                                const IniFile* file) {
    std::vector<Row> rows;
    rows.reserve(skin.images.size() + skin.buttons.size() + skin.labels.size() + 1);
    const auto add = [&](PlacedElement e, QString kind, QString what, int32_t line) {
        rows.push_back({std::move(kind), std::move(what),
                        line > 0 ? QString::number(line) : QStringLiteral("\u2013"),
                        ShownUnder(skin, e, t), Encode(e), -1});
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
    if (report && file) {
        for (const LoadDrop& d : report->drops) {
            const bool element = d.kind == SectionKind::Image || d.kind == SectionKind::Button ||
                                 d.kind == SectionKind::Label;
            if (!element || d.section < 0 ||
                static_cast<size_t>(d.section) >= file->sectionLines.size())
                continue;
            const std::string_view name = SectionName(d.kind);
            rows.push_back(
                {QStringLiteral("%1 (not loaded)")
                     .arg(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()))),
                 DropReason(d),
                 QString::number(file->sectionLines[static_cast<size_t>(d.section)].header), false,
                 -1, d.section});
        }
    }
    // Most edits change a row or none: only what differs is touched, so that a skin of
    // thousands of elements is not listed afresh at every edit.
    if (rows == rows_) return;
    marking_ = true;
    if (rows.size() != rows_.size()) {
        clear();
        rows_.clear();
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i < rows_.size() && rows[i] == rows_[i]) continue;
        QTreeWidgetItem* item =
            i < rows_.size() ? topLevelItem(static_cast<int>(i)) : new QTreeWidgetItem(this);
        const Row& r = rows[i];
        item->setText(0, r.kind);
        item->setText(1, r.what);
        item->setToolTip(1, r.what);
        item->setText(2, r.line);
        item->setText(3, r.shown ? QStringLiteral("yes") : QStringLiteral("no"));
        if (r.section >= 0) {
            item->setData(0, kSectionRole, r.section);
            item->setForeground(0, QColor(176, 0, 0));
        } else {
            item->setData(0, kSectionRole, QVariant());
            item->setData(0, kElementRole, r.element);
            item->setForeground(0, palette().text());
        }
    }
    rows_ = std::move(rows);
    marking_ = false;
}

void ElementsList::Mark(const std::optional<PlacedElement>& element,
                        std::optional<int32_t> section) {
    marking_ = true;
    int found = -1;
    for (size_t i = 0; (element || section) && i < rows_.size(); ++i) {
        const Row& r = rows_[i];
        if (r.section >= 0 ? section == r.section : element && r.element == Encode(*element)) {
            found = static_cast<int>(i);
            break;
        }
    }
    QTreeWidgetItem* item = found >= 0 ? topLevelItem(found) : nullptr;
    if (item != currentItem()) setCurrentItem(item);
    if (!item) clearSelection();
    if (item) scrollToItem(item);
    marking_ = false;
}

} // namespace pindrel
