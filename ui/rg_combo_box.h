// A combo box: a drop-down list by default, or an editable drop-down. Items come from a
// ComboItemsDefinition text; each carries an integer as its data. The selection-changed event
// fires from the event loop after the combo box has finished updating.
#pragma once

#include <QComboBox>
#include <vector>

#include "ui/CVolWinControl.h"
#include "ui/ComboItemsDefinition.h"

class rg_combo_box;

class CVWnd_ComboBox : public QComboBox {
  public:
    CVWnd_ComboBox(rg_combo_box* combo, QWidget* parent) : QComboBox(parent), combo_(combo) {}
    void DetachCombo() { combo_ = nullptr; }
    void showPopup() override;
    void hidePopup() override;

  private:
    rg_combo_box* combo_;
};

class rg_combo_box : public CVolWinControl {
  public:
    ~rg_combo_box() override;
    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

    bool IsEditable() const { return editable_; }
    void SetEditable(bool on);  // before creation

    // Replaces the items with those of the definition text; an empty text only clears them.
    // Without a widget the items wait for creation.
    void SetComboItems(const QString& definitionText);
    void AddItem(const QString& text, int32_t value);
    int ItemCount() const;
    QString ItemText(int index) const;
    int32_t ItemData(int index) const;  // 0 for an index out of range
    // -1 when nothing is selected.
    int CurrentIndex() const;
    void SetCurrentIndex(int index);

    EventBinding<> SelectionChangedEvent;
    EventBinding<> EditTextChangedEvent;
    EventBinding<> DroppedDownEvent;
    EventBinding<> ClosedUpEvent;

  protected:
    QWidget* CreateWindowObject(CreateParams& params) override;
    void AfterCreate(CreateParams& params) override;
    void ApplyText(QWidget* window, const QString& text) override;
    QString ReadText(const QWidget* window) const override;

  private:
    friend class CVWnd_ComboBox;
    QComboBox* Combo() const { return static_cast<QComboBox*>(Widget()); }
    void Fill();

    bool editable_ = false;
    std::vector<ComboItemsDefinition> items_;  // kept while there is no widget
    int currentIndex_ = -1;
};
