#include "app/inspector_fields.h"

#include <limits>

#include <QCheckBox>
#include <QColorDialog>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QPixmap>
#include <QToolButton>

#include "skin/call_type.h"

namespace pindrel {

namespace {

constexpr std::array<const char*, 5> kCallTypeWords = {"Unknown", "Private", "Number", "Contact",
                                                       "Photo"};
constexpr std::array<const char*, 5> kCallTypeTips = {
    "Unknown caller (no phone number)", "Private caller (no phone number)",
    "Phone number detected (not present into contacts)", "Contact found (without picture)",
    "Contact found (with picture)"};
constexpr std::array<const char*, 3> kOrientationWords = {"Portrait", "Landscape", "Square"};
constexpr std::array<const char*, 4> kPlaceWords = {"X", "Y", "W", "H"};
constexpr std::array<const char*, 4> kPlaceTips = {"left edge", "top edge", "width", "height"};

// Unwritten values are shown greyed.
void MarkOrigin(QWidget& w, const QString& origin, const QString& tip) {
    QPalette palette = w.palette();
    palette.setColor(QPalette::Text, origin.isEmpty() ? w.palette().color(QPalette::WindowText)
                                                      : QColor(128, 128, 128));
    w.setPalette(origin.isEmpty() ? QPalette() : palette);
    w.setToolTip(origin.isEmpty() ? tip : tip + QStringLiteral(" (") + origin + QLatin1Char(')'));
}

} // namespace

IntField::IntField(const QString& accessibleName, QWidget* parent) : QLineEdit(parent) {
    setAccessibleName(accessibleName);
    setToolTip(accessibleName);
    setValidator(new QIntValidator(std::numeric_limits<int32_t>::min(),
                                   std::numeric_limits<int32_t>::max(), this));
    setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-00000")) + 12);
    connect(this, &QLineEdit::editingFinished, this, &IntField::Commit);
}

void IntField::Show(int32_t value, const QString& origin) {
    shown_ = value;
    setText(QString::number(value));
    MarkOrigin(*this, origin, accessibleName());
}

void IntField::ShowNothing() {
    shown_.reset();
    clear();
    MarkOrigin(*this, {}, accessibleName());
}

void IntField::Commit() {
    bool ok = false;
    const int32_t value = text().toInt(&ok);
    if (!ok) {
        if (shown_) setText(QString::number(*shown_));
        return;
    }
    if (shown_ == value) return;
    shown_ = value;
    emit Committed(value);
}

ChoiceField::ChoiceField(const QString& accessibleName,
                         std::vector<std::pair<QString, int32_t>> choices, bool editable,
                         QWidget* parent)
    : QComboBox(parent), choices_(std::move(choices)) {
    setAccessibleName(accessibleName);
    setToolTip(accessibleName);
    setEditable(editable);
    for (const auto& [word, value] : choices_)
        addItem(word, value);
    if (editable) {
        setInsertPolicy(QComboBox::NoInsert);
        connect(lineEdit(), &QLineEdit::editingFinished, this, &ChoiceField::Commit);
    }
    connect(this, &QComboBox::activated, this, &ChoiceField::Commit);
}

void ChoiceField::Show(int32_t value, const QString& origin) {
    showing_ = true;
    shown_ = value;
    const int index = findData(value);
    if (index >= 0) {
        setCurrentIndex(index);
    } else if (isEditable()) {
        setCurrentIndex(-1);
        setEditText(QString::number(value));
    } else {
        // A value with no word of its own reads as the first choice, as the skin reads it.
        setCurrentIndex(0);
    }
    MarkOrigin(*this, origin, accessibleName());
    showing_ = false;
}

void ChoiceField::Commit() {
    if (showing_) return;
    std::optional<int32_t> value;
    if (currentIndex() >= 0 && itemText(currentIndex()) == currentText())
        value = itemData(currentIndex()).toInt();
    if (!value && isEditable()) {
        // A number typed, or a word's leading number.
        bool ok = false;
        const int32_t typed = currentText().section(QLatin1Char(' '), 0, 0).toInt(&ok);
        if (ok) value = typed;
    }
    if (!value) {
        if (shown_) Show(*shown_);
        return;
    }
    if (value == shown_) return;
    shown_ = value;
    emit Chosen(*value);
}

ColourField::ColourField(const QString& accessibleName, bool optional, QWidget* parent)
    : QWidget(parent) {
    setAccessibleName(accessibleName);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    if (optional) {
        on_ = new QCheckBox(this);
        on_->setAccessibleName(accessibleName + QStringLiteral(" set"));
        on_->setToolTip(QStringLiteral("Whether the skin gives a colour here"));
        row->addWidget(on_);
        connect(on_, &QCheckBox::clicked, this, [this](bool on) {
            if (!on) {
                emit Changed(std::nullopt);
                return;
            }
            emit Changed(shown_.value_or(Color::FromRgb(255, 0, 255)));
        });
    }
    swatch_ = new QToolButton(this);
    swatch_->setAccessibleName(accessibleName);
    swatch_->setToolTip(accessibleName + QStringLiteral(": click to choose"));
    swatch_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    row->addWidget(swatch_);
    dropper_ = new QToolButton(this);
    dropper_->setText(QStringLiteral("Pick"));
    dropper_->setCheckable(true);
    dropper_->setAccessibleName(accessibleName + QStringLiteral(" eyedropper"));
    dropper_->setToolTip(
        QStringLiteral("Pick the colour of a pixel: click it in the preview or in the picture"));
    row->addWidget(dropper_);
    row->addStretch();
    connect(swatch_, &QToolButton::clicked, this, [this, accessibleName] {
        const Color c = shown_.value_or(kBlack);
        const QColor chosen =
            QColorDialog::getColor(QColor(c.R(), c.G(), c.B()), this, accessibleName);
        if (chosen.isValid())
            emit Changed(Color::FromRgb(static_cast<uint8_t>(chosen.red()),
                                        static_cast<uint8_t>(chosen.green()),
                                        static_cast<uint8_t>(chosen.blue())));
    });
    connect(dropper_, &QToolButton::toggled, this, &ColourField::PickRequested);
}

void ColourField::Paint(std::optional<Color> colour) {
    const int side = fontMetrics().height();
    QPixmap chip(side, side);
    chip.fill(colour ? QColor(colour->R(), colour->G(), colour->B()) : QColor(Qt::transparent));
    swatch_->setIcon(QIcon(chip));
    swatch_->setText(
        colour ? QStringLiteral("%1, %2, %3").arg(colour->R()).arg(colour->G()).arg(colour->B())
               : QStringLiteral("none"));
}

void ColourField::Show(std::optional<Color> colour, const QString& origin) {
    shown_ = colour;
    if (on_) on_->setChecked(colour.has_value());
    Paint(colour);
    MarkOrigin(*swatch_, origin, accessibleName());
}

bool ColourField::Picking() const {
    return dropper_->isChecked();
}

void ColourField::StopPicking() {
    dropper_->setChecked(false);
}

CallTypesField::CallTypesField(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Call types"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    all_ = new QCheckBox(QStringLiteral("All"), this);
    all_->setToolTip(QStringLiteral("Shown under every call type"));
    row->addWidget(all_);
    for (size_t i = 0; i < boxes_.size(); ++i) {
        boxes_[i] = new QCheckBox(QLatin1String(kCallTypeWords[i]), this);
        boxes_[i]->setToolTip(QStringLiteral("Shown for: %1").arg(QLatin1String(kCallTypeTips[i])));
        row->addWidget(boxes_[i]);
        connect(boxes_[i], &QCheckBox::clicked, this, &CallTypesField::Commit);
    }
    row->addStretch();
    connect(all_, &QCheckBox::clicked, this, [this](bool on) {
        for (QCheckBox* box : boxes_)
            box->setChecked(on);
        Commit();
    });
}

void CallTypesField::Show(int32_t mask, const QString& origin) {
    showing_ = true;
    bool every = true;
    for (size_t i = 0; i < boxes_.size(); ++i) {
        const bool on = ShownFor(mask, kCallTypes[i]);
        boxes_[i]->setChecked(on);
        every = every && on;
    }
    all_->setChecked(every);
    MarkOrigin(*this, origin, accessibleName());
    showing_ = false;
}

void CallTypesField::Commit() {
    if (showing_) return;
    int32_t mask = 0;
    for (size_t i = 0; i < boxes_.size(); ++i)
        if (boxes_[i]->isChecked()) mask |= static_cast<int32_t>(kCallTypes[i]);
    all_->setChecked(mask == 31);
    // Every call type is written as the skins' own default.
    emit Changed(mask == 31 ? 255 : mask);
}

PictureField::PictureField(const QString& accessibleName, QWidget* parent) : QComboBox(parent) {
    setAccessibleName(accessibleName);
    setToolTip(accessibleName);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(12);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (showing_) return;
        if (index == count() - 1) {
            emit ChooseOther();
            return;
        }
        emit Chosen(itemText(index));
    });
}

void PictureField::Show(const QString& folder, const QString& name, const QString& origin) {
    showing_ = true;
    clear();
    QStringList names = QDir(folder).entryList({QStringLiteral("*.bmp"), QStringLiteral("*.BMP")},
                                               QDir::Files, QDir::Name | QDir::IgnoreCase);
    if (!name.isEmpty() && !names.contains(name)) names.prepend(name);
    addItems(names);
    addItem(QStringLiteral("Choose\u2026"));
    setCurrentIndex(name.isEmpty() ? -1 : static_cast<int>(names.indexOf(name)));
    MarkOrigin(*this, origin, accessibleName());
    showing_ = false;
}

PlacementGrid::PlacementGrid(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Position and size"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int w = 0; w < 4; ++w) {
        auto* head = new QLabel(QLatin1String(kPlaceWords[static_cast<size_t>(w)]), this);
        head->setAlignment(Qt::AlignCenter);
        grid->addWidget(head, 0, w + 1);
    }
    for (int32_t o = 0; o < 3; ++o) {
        const QString orientation = QLatin1String(kOrientationWords[static_cast<size_t>(o)]);
        grid->addWidget(new QLabel(orientation, this), o + 1, 0);
        for (int w = 0; w < 4; ++w) {
            auto* field =
                new IntField(QStringLiteral("%1 %2").arg(
                                 orientation, QLatin1String(kPlaceTips[static_cast<size_t>(w)])),
                             this);
            fields_[static_cast<size_t>(o)][static_cast<size_t>(w)] = field;
            grid->addWidget(field, o + 1, w + 1);
            connect(field, &IntField::Committed, this,
                    [this, o, w](int32_t value) { emit Committed(o, w, value); });
        }
    }
}

IntField& PlacementGrid::Field(int32_t o, int which) const {
    return *fields_[static_cast<size_t>(o)][static_cast<size_t>(which)];
}

} // namespace pindrel
