#include "ui/rg_combo_box.h"

#include <QLineEdit>

void CVWnd_ComboBox::showPopup() {
    if (combo_ != nullptr) {
        combo_->DroppedDownEvent.Fire(combo_);
    }
    QComboBox::showPopup();
}

void CVWnd_ComboBox::hidePopup() {
    QComboBox::hidePopup();
    if (combo_ != nullptr) {
        combo_->ClosedUpEvent.Fire(combo_);
    }
}

rg_combo_box::~rg_combo_box() {
    if (auto* w = dynamic_cast<CVWnd_ComboBox*>(Widget())) {
        w->DetachCombo();
    }
}

const ClassDescriptor& rg_combo_box::StaticClass() {
    static const ClassDescriptor d = MakeClassDescriptor(
        "rg_combo_box", [] { return new rg_combo_box; }, {&CVolWinControl::StaticClass()});
    return d;
}

void rg_combo_box::SetEditable(bool on) {
    editable_ = on;
    if (HasWindow()) {
        Combo()->setEditable(on);
    }
}

QWidget* rg_combo_box::CreateWindowObject(CreateParams& params) {
    auto* combo = new CVWnd_ComboBox(this, params.parent);
    combo->setEditable(editable_);
    // Only the operator's choice counts as a selection change, and it is reported once the
    // combo box has settled.
    QObject::connect(combo, &QComboBox::activated, combo, [this, combo] {
        QMetaObject::invokeMethod(
            combo, [this] { SelectionChangedEvent.Fire(this); }, Qt::QueuedConnection);
    });
    QObject::connect(combo, &QComboBox::editTextChanged, combo,
                     [this] { EditTextChangedEvent.Fire(this); });
    return combo;
}

void rg_combo_box::AfterCreate(CreateParams& params) {
    Fill();
    CVolWinControl::AfterCreate(params);
}

void rg_combo_box::Fill() {
    QComboBox* combo = Combo();
    combo->clear();
    for (const ComboItemsDefinition& item : items_) {
        combo->addItem(item.text, item.value);
    }
    items_.clear();
    combo->setCurrentIndex(currentIndex_);
}

void rg_combo_box::ApplyText(QWidget* window, const QString& text) {
    auto* combo = static_cast<QComboBox*>(window);
    if (combo->isEditable()) {
        combo->setEditText(text);
    }
}

QString rg_combo_box::ReadText(const QWidget* window) const {
    return static_cast<const QComboBox*>(window)->currentText();
}

void rg_combo_box::SetComboItems(const QString& definitionText) {
    items_ = ParseComboItemsDefinition(definitionText);
    if (HasWindow()) {
        currentIndex_ = -1;
        Fill();
    }
}

void rg_combo_box::AddItem(const QString& text, int32_t value) {
    if (HasWindow()) {
        Combo()->addItem(text, value);
    } else {
        items_.push_back({text, value});
    }
}

int rg_combo_box::ItemCount() const {
    return HasWindow() ? Combo()->count() : static_cast<int>(items_.size());
}

QString rg_combo_box::ItemText(int index) const {
    if (HasWindow()) {
        return Combo()->itemText(index);
    }
    return index >= 0 && index < ItemCount() ? items_[static_cast<size_t>(index)].text : QString();
}

int32_t rg_combo_box::ItemData(int index) const {
    if (HasWindow()) {
        return Combo()->itemData(index).toInt();
    }
    return index >= 0 && index < ItemCount() ? items_[static_cast<size_t>(index)].value : 0;
}

int rg_combo_box::CurrentIndex() const {
    return HasWindow() ? Combo()->currentIndex() : currentIndex_;
}

void rg_combo_box::SetCurrentIndex(int index) {
    currentIndex_ = index;
    if (HasWindow()) {
        Combo()->setCurrentIndex(index);
    }
}
