// The in-place editor of a list view's cells (see CVWnd_ListView): a line edit that ends its
// edit on Enter and on losing the focus, and drops it on Escape. It takes every key itself, so
// a form's Enter and Escape rules leave it alone.
#pragma once

#include <QLineEdit>
#include <functional>

class CVWnd_ListViewEdit : public QLineEdit {
  public:
    // `finished(take)`: true to take the text (Enter, focus lost), false to drop it (Escape).
    CVWnd_ListViewEdit(QWidget* parent, std::function<void(bool)> finished);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    std::function<void(bool)> finished_;
};
