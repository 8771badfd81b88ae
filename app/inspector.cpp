#include "app/inspector.h"

#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "app/designer_dialog.h"
#include "app/inspector_fields.h"
#include "app/label_fields_editor.h"
#include "app/skin_editor.h"
#include "app/workbench.h"
#include "ini/skin_ini_file.h"
#include "skin/key_values.h"
#include "skin/skin_element.h"

namespace pindrel {

namespace {

constexpr std::array<const char*, 3> kOrientationWords = {"Portrait", "Landscape", "Square"};

QString FromStd(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string ToStd(const QString& s) {
    return s.toStdString();
}

QString KindWord(SectionKind kind) {
    switch (kind) {
    case SectionKind::Image:
        return QStringLiteral("Image");
    case SectionKind::Button:
        return QStringLiteral("Button");
    case SectionKind::Label:
        return QStringLiteral("Label");
    case SectionKind::PhotoRect:
        return QStringLiteral("Photo");
    default:
        return FromStd(SectionName(kind));
    }
}

const SkinElement* ElementOf(const Skin& skin, const PlacedElement& e) {
    switch (e.kind) {
    case PlacedKind::Image:
        return e.index < skin.images.size() ? &skin.images[e.index] : nullptr;
    case PlacedKind::Button:
        return e.index < skin.buttons.size() ? &skin.buttons[e.index] : nullptr;
    case PlacedKind::Label:
        return e.index < skin.labels.size() ? &skin.labels[e.index] : nullptr;
    case PlacedKind::Photo:
        return &skin.photoRect;
    }
    return nullptr;
}

// A picture of the element, scaled up by a whole factor, whose pixels can be picked.
class PickablePicture final : public QLabel {
public:
    explicit PickablePicture(QWidget* parent) : QLabel(parent) {
        setAccessibleName(QStringLiteral("The element's picture"));
        setToolTip(QStringLiteral("The element's own picture; with the eyedropper on, click a "
                                  "pixel to take its colour"));
    }
    void Show(const QImage& picture) {
        picture_ = picture;
        scale_ =
            picture.isNull() ? 1 : std::max(1, 96 / std::max(picture.width(), picture.height()));
        setPixmap(picture.isNull() ? QPixmap()
                                   : QPixmap::fromImage(picture.scaled(picture.size() * scale_)));
    }
    std::function<void(QRgb)> picked;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        const QPoint p = event->position().toPoint() / scale_;
        if (picked && picture_.valid(p)) picked(picture_.pixel(p));
    }

private:
    QImage picture_;
    int scale_ = 1;
};

QImage ToImage(const DibImage& dib) {
    const ConstPixelView v = dib.View();
    QImage image(v.width, v.height, QImage::Format_RGB32);
    for (int32_t y = 0; y < v.height; ++y) {
        const uint8_t* in = v.Row(y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int32_t x = 0; x < v.width; ++x, in += 3)
            out[x] = qRgb(in[2], in[1], in[0]);
    }
    return image;
}

} // namespace

Inspector::Inspector(DesignerDialog& dialog, SkinEditor& editor, Workbench& bench, QWidget* parent)
    : QScrollArea(parent), dialog_(dialog), editor_(editor), bench_(bench) {
    setAccessibleName(QStringLiteral("Inspector"));
    setWidgetResizable(true);
    Build();
    connect(&editor, &SkinEditor::SelectionChanged, this, &Inspector::ShowSelection);
    connect(&editor, &SkinEditor::TextChanged, this, &Inspector::ShowSelection);
    ShowSelection();
}

void Inspector::Build() {
    page_ = new QWidget(this);
    auto* column = new QVBoxLayout(page_);
    title_ = new QLabel(page_);
    title_->setAccessibleName(QStringLiteral("What the inspector shows"));
    title_->setWordWrap(true);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    reason_ = new QLabel(page_);
    reason_->setAccessibleName(QStringLiteral("Why the section does not load"));
    reason_->setWordWrap(true);
    reason_->setStyleSheet(QStringLiteral("color: #b00000"));
    column->addWidget(title_);
    column->addWidget(reason_);
    form_ = new QFormLayout;
    column->addLayout(form_);
    column->addStretch();

    backgroundColour_ = new ColourField(QStringLiteral("Background colour"), false, page_);
    backgroundPicture_ = new PictureField(QStringLiteral("Background picture"), page_);
    borderPicture_ = new PictureField(QStringLiteral("Border picture"), page_);
    file_ = new PictureField(QStringLiteral("Picture"), page_);
    fileDown_ = new PictureField(QStringLiteral("Picture while pressed"), page_);
    types_ = new CallTypesField(page_);
    border_ = new ChoiceField(
        QStringLiteral("Frame"),
        {{QStringLiteral("None"), 0}, {QStringLiteral("Framed by the border picture"), 1}}, false,
        page_);
    id_ = new ChoiceField(QStringLiteral("Command sent when clicked"),
                          {{QStringLiteral("-1 (none given)"), -1},
                           {QStringLiteral("3 (sent at the press; stays down)"), 3}},
                          true, page_);
    keyColour_ = new ColourField(QStringLiteral("Key colour"), true, page_);
    fields_ = new LabelFieldsEditor(page_);
    horAlign_ = new ChoiceField(
        QStringLiteral("Horizontal alignment"),
        {{QStringLiteral("Left"), 0}, {QStringLiteral("Right"), 1}, {QStringLiteral("Centre"), 2}},
        false, page_);
    vertAlign_ = new ChoiceField(
        QStringLiteral("Vertical alignment"),
        {{QStringLiteral("Top"), 0}, {QStringLiteral("Bottom"), 1}, {QStringLiteral("Centre"), 2}},
        false, page_);
    placement_ = new PlacementGrid(page_);
    auto* picture = new PickablePicture(page_);
    thumbnail_ = picture;

    form_->addRow(QStringLiteral("Background colour:"), backgroundColour_);
    form_->addRow(QStringLiteral("Background picture:"), backgroundPicture_);
    form_->addRow(QStringLiteral("Border picture:"), borderPicture_);
    form_->addRow(QStringLiteral("Picture:"), file_);
    form_->addRow(QStringLiteral("Pressed:"), fileDown_);
    form_->addRow(QStringLiteral("Shown for:"), types_);
    form_->addRow(QStringLiteral("Command:"), id_);
    form_->addRow(QStringLiteral("Frame:"), border_);
    form_->addRow(QStringLiteral("Key colour:"), keyColour_);
    form_->addRow(QStringLiteral("Fields:"), fields_);
    form_->addRow(QStringLiteral("Across:"), horAlign_);
    form_->addRow(QStringLiteral("Down:"), vertAlign_);
    form_->addRow(QStringLiteral("Place:"), placement_);
    form_->addRow(QString(), thumbnail_);
    setWidget(page_);

    connect(backgroundColour_, &ColourField::Changed, this, [this](std::optional<Color> c) {
        if (c)
            Change(SectionKind::BackgroundColor, {},
                   {{std::string(KeyName(SkinKey::Color)), ColorValue(*c)}});
    });
    connect(backgroundPicture_, &PictureField::Chosen, this, [this](const QString& name) {
        Change(SectionKind::BackgroundImage, {},
               {{std::string(KeyName(SkinKey::File)), ToStd(name)}});
    });
    connect(borderPicture_, &PictureField::Chosen, this, [this](const QString& name) {
        Change(SectionKind::BorderImage, {}, {{std::string(KeyName(SkinKey::File)), ToStd(name)}});
    });
    connect(file_, &PictureField::Chosen, this, [this](const QString& name) {
        SetKey(shown_ && shown_->kind == SectionKind::Button ? SkinKey::FileUp : SkinKey::File,
               ToStd(name));
    });
    connect(fileDown_, &PictureField::Chosen, this,
            [this](const QString& name) { SetKey(SkinKey::FileDown, ToStd(name)); });
    connect(backgroundPicture_, &PictureField::ChooseOther, this,
            [this] { ChoosePicture(SectionKind::BackgroundImage, SkinKey::File, true); });
    connect(borderPicture_, &PictureField::ChooseOther, this,
            [this] { ChoosePicture(SectionKind::BorderImage, SkinKey::File, true); });
    connect(file_, &PictureField::ChooseOther, this, [this] {
        if (shown_)
            ChoosePicture(shown_->kind,
                          shown_->kind == SectionKind::Button ? SkinKey::FileUp : SkinKey::File,
                          false);
    });
    connect(fileDown_, &PictureField::ChooseOther, this,
            [this] { ChoosePicture(SectionKind::Button, SkinKey::FileDown, false); });
    connect(types_, &CallTypesField::Changed, this,
            [this](int32_t mask) { SetKey(SkinKey::Type, std::to_string(mask)); });
    connect(border_, &ChoiceField::Chosen, this,
            [this](int32_t v) { SetKey(SkinKey::Border, std::to_string(v)); });
    connect(id_, &ChoiceField::Chosen, this,
            [this](int32_t v) { SetKey(SkinKey::Id, std::to_string(v)); });
    connect(horAlign_, &ChoiceField::Chosen, this,
            [this](int32_t v) { SetKey(SkinKey::HorAlign, std::to_string(v)); });
    connect(vertAlign_, &ChoiceField::Chosen, this,
            [this](int32_t v) { SetKey(SkinKey::VertAlign, std::to_string(v)); });
    connect(keyColour_, &ColourField::Changed, this, [this](std::optional<Color> c) {
        SetKey(SkinKey::TranspColor, c ? std::optional<std::string>(ColorValue(*c)) : std::nullopt);
    });
    connect(placement_, &PlacementGrid::Committed, this, &Inspector::Place);
    connect(fields_, &LabelFieldsEditor::ListChanged, this,
            [this](const std::vector<std::string>& names, const std::vector<size_t>& from) {
                if (!shown_) return;
                // The list is the shown label's own; the others keep theirs.
                editor_.ChangeKeys(
                    shown_->kind, {shown_->section},
                    LabelFieldChanges(dialog_.Session().Parsed(), shown_->section, names, from));
            });
    connect(fields_, &LabelFieldsEditor::FontChanged, this, [this](size_t n, const FontSpec& f) {
        if (!shown_) return;
        Change(shown_->kind, shown_->sections,
               {{std::string(kFieldFontKeys.prefix) + std::to_string(n), FontValue(f)}});
    });
    connect(fields_, &LabelFieldsEditor::ColourChanged, this, [this](size_t n, Color c) {
        if (!shown_) return;
        Change(shown_->kind, shown_->sections,
               {{std::string(kFieldColorKeys.prefix) + std::to_string(n), ColorValue(c)}});
    });
    for (ColourField* field : {backgroundColour_, keyColour_, &fields_->Colour()})
        connect(field, &ColourField::PickRequested, this,
                [this, field](bool on) { Pick(*field, on); });
    picture->picked = [this](QRgb rgb) {
        for (ColourField* field : {backgroundColour_, keyColour_, &fields_->Colour()}) {
            if (!field->Picking()) continue;
            field->StopPicking();
            emit field->Changed(Color::FromRgb(static_cast<uint8_t>(qRed(rgb)),
                                               static_cast<uint8_t>(qGreen(rgb)),
                                               static_cast<uint8_t>(qBlue(rgb))));
        }
    };
}

PictureField& Inspector::Picture(int which) const {
    return which == 0 ? *file_ : *fileDown_;
}

std::optional<Inspector::Target> Inspector::Current() const {
    if (const std::optional<PlacedElement> e = editor_.Selection()) {
        const SkinElement* element = ElementOf(dialog_, *e);
        if (!element) return std::nullopt;
        Target t{element->section, SectionKindOf(e->kind), e, {}, editor_.Selected(), {}};
        for (const PlacedElement& other : editor_.Selected()) {
            const SkinElement* o = ElementOf(dialog_, other);
            if (!o) continue;
            if (o->section >= 0) t.sections.push_back(o->section);
            t.sameKind = t.sameKind && SectionKindOf(other.kind) == t.kind;
            t.anyPhoto = t.anyPhoto || other.kind == PlacedKind::Photo;
            t.anyLabel = t.anyLabel || other.kind == PlacedKind::Label;
        }
        return t;
    }
    if (const std::optional<int32_t> s = editor_.SelectedSection()) {
        const SkinIniFile& parsed = dialog_.Session().Parsed();
        if (*s < 0 || static_cast<size_t>(*s) >= parsed.sections.size()) return std::nullopt;
        const auto kind = FindSectionKind(parsed.sections[static_cast<size_t>(*s)].name);
        if (!kind) return std::nullopt;
        return Target{*s, *kind, std::nullopt, {*s}, {}, {*s}};
    }
    return std::nullopt;
}

void Inspector::ShowSelection() {
    shown_ = Current();
    if (shown_)
        ShowSection(*shown_);
    else
        ShowSkin();
}

void Inspector::ShowSkin() {
    const SkinIniFile& parsed = dialog_.Session().Parsed();
    const QString folder = QFileInfo(dialog_.SkinPath()).absolutePath();
    title_->setText(dialog_.Session().HasText() ? QStringLiteral("The skin")
                                                : QStringLiteral("No skin loaded"));
    reason_->hide();
    const auto single = [&](SectionKind kind) { return parsed.FindSection(SectionName(kind), 0); };
    const int32_t colour = single(SectionKind::BackgroundColor);
    const bool colourWritten = !parsed.FindValue(colour, KeyName(SkinKey::Color)).empty();
    backgroundColour_->Show(dialog_.backgroundColor,
                            colourWritten ? QString() : QStringLiteral("the default"));
    for (const auto& [kind, field] : {std::pair{SectionKind::BackgroundImage, backgroundPicture_},
                                      std::pair{SectionKind::BorderImage, borderPicture_}}) {
        const int32_t s = single(kind);
        const std::string_view name = parsed.FindValue(s, KeyName(SkinKey::File));
        const QString origin =
            s < 0 ? QStringLiteral("none: the skin has no such section")
                  : (name.empty() ? QStringLiteral("the default name") : QString());
        field->Show(folder, FromStd(name.empty() && s >= 0 ? Section(kind).defaultFile : name),
                    origin);
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{backgroundColour_, backgroundPicture_, borderPicture_})
        form_->setRowVisible(w, true);
    for (QWidget* w :
         std::initializer_list<QWidget*>{file_, fileDown_, types_, id_, border_, keyColour_,
                                         fields_, horAlign_, vertAlign_, placement_, thumbnail_})
        form_->setRowVisible(w, false);
    page_->setEnabled(dialog_.Session().HasText());
}

void Inspector::ShowSection(const Target& t) {
    const SkinIniFile& parsed = dialog_.Session().Parsed();
    const QString folder = QFileInfo(dialog_.SkinPath()).absolutePath();
    const int32_t s = t.section;
    const auto value = [&](SkinKey key) { return parsed.FindValue(s, KeyName(key)); };
    const int32_t line = parsed.sectionLines[static_cast<size_t>(s)].header;
    QString title = KindWord(t.kind);
    if (t.element && t.kind != SectionKind::PhotoRect)
        title += QStringLiteral(" %1").arg(t.element->index);
    title = QStringLiteral("%1, line %2").arg(title).arg(line);
    if (t.elements.size() > 1)
        title = QStringLiteral("%1 elements: the keys they share, as %2 has them; a change sets "
                               "it on all of them")
                    .arg(t.elements.size())
                    .arg(title);
    title_->setText(title);
    if (t.element) {
        reason_->hide();
    } else {
        reason_->setText(QStringLiteral("This section does not load; mend it here. ") +
                         editor_.WhyNotLoaded(s));
        reason_->show();
    }

    // Keys of one kind only when every element selected is of it.
    const bool image = t.kind == SectionKind::Image && t.sameKind;
    const bool button = t.kind == SectionKind::Button && t.sameKind;
    const bool label = t.kind == SectionKind::Label && t.sameKind;
    const bool photo = t.kind == SectionKind::PhotoRect || t.anyPhoto;
    const bool pictures = (t.kind == SectionKind::Image || t.kind == SectionKind::Button) &&
                          !t.anyPhoto && !t.anyLabel;
    for (QWidget* w :
         std::initializer_list<QWidget*>{backgroundColour_, backgroundPicture_, borderPicture_})
        form_->setRowVisible(w, false);
    form_->setRowVisible(file_, image || button);
    form_->setRowVisible(fileDown_, button);
    form_->setRowVisible(types_, !photo);
    form_->setRowVisible(id_, button);
    form_->setRowVisible(border_, image);
    form_->setRowVisible(keyColour_, pictures);
    form_->setRowVisible(fields_, label);
    form_->setRowVisible(horAlign_, label);
    form_->setRowVisible(vertAlign_, label);
    form_->setRowVisible(placement_, true);
    form_->setRowVisible(thumbnail_, image || button);
    page_->setEnabled(true);

    const QString missing = QStringLiteral("not in the skin: needed");
    const QString byDefault = QStringLiteral("the default");
    if (image || button) {
        const std::string_view file = value(image ? SkinKey::File : SkinKey::FileUp);
        file_->Show(folder, FromStd(file), file.empty() ? missing : QString());
    }
    if (button) {
        const std::string_view down = value(SkinKey::FileDown);
        fileDown_->Show(folder, FromStd(down), down.empty() ? missing : QString());
        const std::string_view id = value(SkinKey::Id);
        id_->Show(id.empty() ? -1 : ParseSkinInt(id), id.empty() ? byDefault : QString());
    }
    if (!photo) {
        const std::string_view type = value(SkinKey::Type);
        types_->Show(type.empty() ? 255 : ParseSkinInt(type), type.empty() ? byDefault : QString());
    }
    if (image) {
        const std::string_view border = value(SkinKey::Border);
        border_->Show(border.empty() || ParseSkinInt(border) == 0 ? 0 : 1,
                      border.empty() ? byDefault : QString());
    }
    if (pictures) {
        Color key;
        const bool keyed = parsed.GetColor(s, KeyName(SkinKey::TranspColor), key);
        keyColour_->Show(keyed ? std::optional(key) : std::nullopt);
        const DibImage* picture = nullptr;
        if (t.element && image) {
            const SkinImage& i = dialog_.images[t.element->index];
            if (i.bitmap) picture = &*i.bitmap;
        } else if (t.element && button) {
            const SkinButton& b = dialog_.buttons[t.element->index];
            if (b.upBitmap) picture = &*b.upBitmap;
        }
        static_cast<PickablePicture*>(thumbnail_)->Show(picture ? ToImage(*picture) : QImage());
    }
    if (label) {
        std::vector<std::string> names;
        parsed.GetList(s, KeyName(SkinKey::Fields), names);
        const auto fonts = parsed.FindNumberedValues(s, kFieldFontKeys.prefix, names.size());
        const auto colours = parsed.FindNumberedValues(s, kFieldColorKeys.prefix, names.size());
        std::vector<LabelFieldRow> rows;
        for (size_t i = 0; i < names.size(); ++i) {
            LabelFieldRow row;
            row.name = names[i];
            ParseFontSpec(fonts[i], row.font.size, row.font.face, row.font.bold, row.font.italic);
            ParseColor(colours[i], row.font.color);
            row.fontWritten = !fonts[i].empty();
            row.colourWritten = !colours[i].empty();
            rows.push_back(std::move(row));
        }
        fields_->Show(std::move(rows));
        const std::string_view hor = value(SkinKey::HorAlign);
        const std::string_view vert = value(SkinKey::VertAlign);
        horAlign_->Show(hor.empty() ? 0 : ParseSkinInt(hor), hor.empty() ? byDefault : QString());
        vertAlign_->Show(vert.empty() ? 0 : ParseSkinInt(vert),
                         vert.empty() ? byDefault : QString());
    }
    ShowPlacement(t);
}

void Inspector::ShowPlacement(const Target& t) {
    const SkinIniFile& parsed = dialog_.Session().Parsed();
    // What the loader made of the section; for one that did not load, its keys as the loader
    // would read them, without a picture's size.
    SkinElement read;
    const SkinElement* element = t.element ? ElementOf(dialog_, *t.element) : nullptr;
    if (!element) {
        ReadCarriedPlacement(parsed, t.section, read);
        element = &read;
    }
    const bool picture = t.kind == SectionKind::Image || t.kind == SectionKind::Button;
    for (int32_t o = 0; o < kOrientationCount; ++o) {
        const auto i = static_cast<size_t>(o);
        const Rect& r = element->rects[i];
        const int32_t by = element->placedBy[i];
        QString posOrigin, sizeOrigin;
        if (by < 0) {
            posOrigin = t.kind == SectionKind::Label
                            ? QStringLiteral("not shown in this orientation")
                            : QStringLiteral("the default place");
            sizeOrigin = posOrigin;
        } else if (by != o) {
            posOrigin = QStringLiteral("from %1").arg(
                QLatin1String(kOrientationWords[static_cast<size_t>(by)]));
            sizeOrigin = posOrigin;
        }
        Point size;
        const bool sized =
            by >= 0 && parsed.GetPair(t.section, kSizeKeys[static_cast<size_t>(by)], size);
        if (picture && (!sized || size.x == 0)) sizeOrigin = QStringLiteral("the picture's width");
        placement_->Field(o, 0).Show(r.left, posOrigin);
        placement_->Field(o, 1).Show(r.top, posOrigin);
        placement_->Field(o, 2).Show(r.Width(), picture && (!sized || size.x == 0)
                                                    ? QStringLiteral("the picture's width")
                                                    : sizeOrigin);
        placement_->Field(o, 3).Show(r.Height(), picture && (!sized || size.y == 0)
                                                     ? QStringLiteral("the picture's height")
                                                     : sizeOrigin);
    }
}

void Inspector::SetKey(SkinKey key, std::optional<std::string> value) {
    if (!shown_) return;
    Change(shown_->kind, shown_->sections, {{std::string(KeyName(key)), std::move(value)}});
}

void Inspector::Change(SectionKind kind, const std::vector<int32_t>& sections,
                       std::vector<KeyChange> changes) {
    if (changes.empty()) return;
    if (!editor_.ChangeKeys(kind, sections, changes)) ShowSelection();
}

void Inspector::Place(int32_t orientation, int which, int32_t value) {
    if (!shown_) return;
    editor_.PlaceInspected(shown_->elements, shown_->unloaded, orientation, which, value);
}

void Inspector::ChoosePicture(SectionKind kind, SkinKey key, bool single) {
    if (!single && !shown_) return;
    editor_.ChoosePicture(kind, single ? std::vector<int32_t>{} : shown_->sections, key);
    ShowSelection();
}

void Inspector::Pick(ColourField& field, bool on) {
    for (ColourField* other : {backgroundColour_, keyColour_, &fields_->Colour()})
        if (other != &field && other->Picking()) other->StopPicking();
    if (!on) {
        editor_.PickPixel(nullptr);
        return;
    }
    editor_.PickPixel([this, &field](QRgb rgb) {
        field.StopPicking();
        emit field.Changed(Color::FromRgb(static_cast<uint8_t>(qRed(rgb)),
                                          static_cast<uint8_t>(qGreen(rgb)),
                                          static_cast<uint8_t>(qBlue(rgb))));
    });
}

} // namespace pindrel
