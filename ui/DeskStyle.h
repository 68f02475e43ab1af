// The style of the program's widgets: the desktop's own, with the two habits of Windows that a
// packing desk relies on where a Unix desktop theme differs. Dialog buttons carry words only
// ("确定", not a tick beside it), and Alt pressed and released alone takes the keyboard to the
// menu bar. Installed by the application object.
#pragma once

#include <QProxyStyle>

class DeskStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};
