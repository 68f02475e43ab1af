// The editor that opens over a cell: closes on Enter, Escape, Tab, leaving the field, or a
// navigation key that would leave the text, and says which key closed it.
#pragma once

#include <QLineEdit>

namespace vantric {

class CInPlaceEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit CInPlaceEdit(QWidget* parent);

  Q_SIGNALS:
    // key: the closing key (Qt::Key_Return, Key_Tab, Key_Up, ...), 0 when focus left the
    // editor. cancelled: Escape, the cell keeps its text.
    void Closed(int key, bool cancelled);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void Close(int key, bool cancelled);
    bool closing_ = false;
};

}  // namespace vantric
