// The print margin dialog of the preview: the grid's seven print layout values, in tenths of a
// millimetre, for the current run only. OK writes them into the grid's live values; nothing is
// saved (the application's settings file is written by its own settings window).
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

class CGridCtrl;
class QPushButton;

namespace vantric {

class ClampedNumberEdit;

class CSetMarginDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kRestoreDefaults = 29564;
    static constexpr int kOk = 29565;
    static constexpr int kCancel = 29566;
    static constexpr int32_t kMaxValue = 999;

    // One edit of the dialog and the grid value it stands for.
    struct Field {
        const char16_t* label;
        int editId;
        int upDownId;
        int layoutValue;  // 1..7 as the grid numbers its print layout values
    };
    // In the dialog's order: top, bottom, left, right, header, footer, header-to-table gap.
    static const std::array<Field, 7> kFields;

    explicit CSetMarginDialog(CGridCtrl& grid, QWidget* parent = nullptr);

    // The edit of the given id (29550 ...), or null.
    ClampedNumberEdit* Edit(int editId) const;
    QPushButton* Button(int id) const;

  public Q_SLOTS:
    void RestoreDefaults();
    void accept() override;

  private:
    CGridCtrl& grid_;
    std::array<ClampedNumberEdit*, 7> edits_{};
    QPushButton* restore_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace vantric
