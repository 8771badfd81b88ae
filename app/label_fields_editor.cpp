#include "app/label_fields_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "app/inspector_fields.h"
#include "app/push_button.h"
#include "skin/call_type.h"

namespace pindrel {

namespace {

QString FromStd(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString RowText(const LabelFieldRow& row) {
    QString text =
        FromStd(row.name) +
        QStringLiteral(" \u2014 %1 pt %2").arg(row.font.size).arg(FromStd(row.font.face));
    if (row.font.bold) text += QStringLiteral(" bold");
    if (row.font.italic) text += QStringLiteral(" italic");
    if (!FindCallerField(row.name)) text += QStringLiteral(" (no caller field: not shown)");
    return text;
}

QPushButton* SmallButton(const QString& caption, const QString& tip, QWidget* parent) {
    QPushButton* b = MakePushButton(caption, parent);
    b->setToolTip(tip);
    b->setAccessibleName(tip);
    return b;
}

} // namespace

LabelFieldsEditor::LabelFieldsEditor(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Caller fields"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    list_ = new QListWidget(this);
    list_->setAccessibleName(QStringLiteral("Caller fields of the label"));
    list_->setToolTip(QStringLiteral("What the label shows, one field below the other"));
    list_->setMaximumHeight(6 * list_->fontMetrics().lineSpacing());
    grid->addWidget(list_, 0, 0, 1, 4);

    add_ = new QComboBox(this);
    add_->setAccessibleName(QStringLiteral("Add a caller field"));
    add_->setToolTip(QStringLiteral("Add a caller field at the end of the list"));
    add_->addItem(QStringLiteral("Add\u2026"));
    for (const std::string_view name : kCallerFieldNames)
        add_->addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    remove_ =
        SmallButton(QStringLiteral("Remove"), QStringLiteral("Remove the field chosen"), this);
    up_ = SmallButton(QStringLiteral("Up"), QStringLiteral("Move the field chosen up"), this);
    down_ = SmallButton(QStringLiteral("Down"), QStringLiteral("Move the field chosen down"), this);
    grid->addWidget(add_, 1, 0);
    grid->addWidget(remove_, 1, 1);
    grid->addWidget(up_, 1, 2);
    grid->addWidget(down_, 1, 3);

    face_ = new QComboBox(this);
    face_->setEditable(true);
    face_->setInsertPolicy(QComboBox::NoInsert);
    face_->setAccessibleName(QStringLiteral("Font face"));
    face_->setToolTip(QStringLiteral("The font face of the field chosen"));
    face_->addItem(QStringLiteral("Tahoma"));
    face_->addItems(QFontDatabase::families());
    size_ = new IntField(QStringLiteral("Font size in points"), this);
    bold_ = new QCheckBox(QStringLiteral("Bold"), this);
    bold_->setToolTip(QStringLiteral("The field chosen in bold"));
    italic_ = new QCheckBox(QStringLiteral("Italic"), this);
    italic_->setToolTip(QStringLiteral("The field chosen in italics"));
    colour_ = new ColourField(QStringLiteral("Text colour"), false, this);
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(face_, 1);
    fontRow->addWidget(size_);
    fontRow->addWidget(new QLabel(QStringLiteral("pt"), this));
    fontRow->addWidget(bold_);
    fontRow->addWidget(italic_);
    grid->addLayout(fontRow, 2, 0, 1, 4);
    grid->addWidget(colour_, 3, 0, 1, 4);

    connect(list_, &QListWidget::currentRowChanged, this, &LabelFieldsEditor::ShowCurrent);
    connect(add_, &QComboBox::activated, this, [this](int index) {
        add_->setCurrentIndex(0);
        if (index <= 0) return;
        std::vector<std::string> names;
        std::vector<size_t> from;
        for (size_t i = 0; i < rows_.size(); ++i) {
            names.push_back(rows_[i].name);
            from.push_back(i + 1);
        }
        names.emplace_back(kCallerFieldNames[static_cast<size_t>(index - 1)]);
        from.push_back(0);
        emit ListChanged(names, from);
    });
    connect(remove_, &QPushButton::clicked, this, [this] {
        const int at = CurrentRow();
        if (at < 0 || rows_.size() <= 1) return;
        std::vector<std::string> names;
        std::vector<size_t> from;
        for (size_t i = 0; i < rows_.size(); ++i) {
            if (static_cast<int>(i) == at) continue;
            names.push_back(rows_[i].name);
            from.push_back(i + 1);
        }
        emit ListChanged(names, from);
    });
    connect(up_, &QPushButton::clicked, this, [this] { Move(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { Move(1); });
    connect(face_->lineEdit(), &QLineEdit::editingFinished, this, &LabelFieldsEditor::EmitFont);
    connect(face_, &QComboBox::activated, this, &LabelFieldsEditor::EmitFont);
    connect(size_, &IntField::Committed, this, &LabelFieldsEditor::EmitFont);
    connect(bold_, &QCheckBox::clicked, this, &LabelFieldsEditor::EmitFont);
    connect(italic_, &QCheckBox::clicked, this, &LabelFieldsEditor::EmitFont);
    connect(colour_, &ColourField::Changed, this, [this](std::optional<Color> c) {
        if (!showing_ && c && CurrentRow() >= 0)
            emit ColourChanged(static_cast<size_t>(CurrentRow()) + 1, *c);
    });
}

int LabelFieldsEditor::CurrentRow() const {
    return list_->currentRow();
}

void LabelFieldsEditor::Show(std::vector<LabelFieldRow> rows) {
    showing_ = true;
    const int was = std::max(0, list_->currentRow());
    rows_ = std::move(rows);
    list_->clear();
    for (const LabelFieldRow& row : rows_)
        list_->addItem(RowText(row));
    list_->setCurrentRow(rows_.empty() ? -1 : std::min(was, static_cast<int>(rows_.size()) - 1));
    showing_ = false;
    ShowCurrent();
}

void LabelFieldsEditor::ShowCurrent() {
    showing_ = true;
    const int at = CurrentRow();
    const bool any = at >= 0 && static_cast<size_t>(at) < rows_.size();
    for (QWidget* w : std::initializer_list<QWidget*>{face_, size_, bold_, italic_, colour_})
        w->setEnabled(any);
    remove_->setEnabled(any && rows_.size() > 1);
    up_->setEnabled(any && at > 0);
    down_->setEnabled(any && static_cast<size_t>(at) + 1 < rows_.size());
    if (any) {
        const LabelFieldRow& row = rows_[static_cast<size_t>(at)];
        const QString fontOrigin =
            row.fontWritten ? QString() : QStringLiteral("the default, not in the skin");
        face_->setEditText(FromStd(row.font.face));
        size_->Show(row.font.size, fontOrigin);
        bold_->setChecked(row.font.bold);
        italic_->setChecked(row.font.italic);
        colour_->Show(row.font.color, row.colourWritten
                                          ? QString()
                                          : QStringLiteral("the default, not in the skin"));
    }
    showing_ = false;
}

void LabelFieldsEditor::Move(int delta) {
    const int at = CurrentRow();
    const int to = at + delta;
    if (at < 0 || to < 0 || static_cast<size_t>(to) >= rows_.size()) return;
    std::vector<std::string> names;
    std::vector<size_t> from;
    for (size_t i = 0; i < rows_.size(); ++i) {
        names.push_back(rows_[i].name);
        from.push_back(i + 1);
    }
    std::swap(names[static_cast<size_t>(at)], names[static_cast<size_t>(to)]);
    std::swap(from[static_cast<size_t>(at)], from[static_cast<size_t>(to)]);
    list_->setCurrentRow(to);
    emit ListChanged(names, from);
}

void LabelFieldsEditor::EmitFont() {
    const int at = CurrentRow();
    if (showing_ || at < 0 || static_cast<size_t>(at) >= rows_.size()) return;
    FontSpec font = rows_[static_cast<size_t>(at)].font;
    font.face = face_->currentText().trimmed().toStdString();
    bool ok = false;
    const int32_t size = size_->text().toInt(&ok);
    if (ok) font.size = size;
    font.bold = bold_->isChecked();
    font.italic = italic_->isChecked();
    if (font == rows_[static_cast<size_t>(at)].font && rows_[static_cast<size_t>(at)].fontWritten)
        return;
    emit FontChanged(static_cast<size_t>(at) + 1, font);
}

} // namespace pindrel
