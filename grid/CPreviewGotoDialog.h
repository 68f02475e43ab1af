// The page-jump dialog of the print preview: the operator types (or steps to) a page number.
#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>

class QPushButton;

namespace vantric {

class ClampedNumberEdit;

class CPreviewGotoDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kPageEdit = 29548;
    static constexpr int kOk = 29565;
    static constexpr int kCancel = 29566;
    static constexpr int32_t kMaxTyped = 9999;

    CPreviewGotoDialog(int32_t totalPages, int32_t currentPage, QWidget* parent = nullptr);

    // The page chosen by OK.
    int32_t Page() const { return page_; }
    ClampedNumberEdit* PageEdit() const { return edit_; }
    QPushButton* Button(int id) const;

    // Runs the dialog; the new page, or nothing when it was cancelled or left on the current
    // page.
    static std::optional<int32_t> Ask(QWidget* parent, int32_t totalPages, int32_t currentPage);

  public Q_SLOTS:
    // OK on the current page closes the dialog as cancelled: there is nowhere to go.
    void accept() override;

  private:
    int32_t total_;
    int32_t current_;
    int32_t page_;
    ClampedNumberEdit* edit_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace vantric
