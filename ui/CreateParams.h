// The creation record of a control: one per CreateControl call.
#pragma once

#include <QFont>
#include <QString>
#include <climits>
#include <cstdint>

class QWidget;
class CVolWinContainer;
class CRefVolMenu;

struct CreateParams {
    static constexpr int32_t kUnset = INT32_MIN;  // 0x80000000: position or size not given

    QWidget* parent = nullptr;          // parent window (the parent form's client area)
    CVolWinContainer* owner = nullptr;  // the form that owns the control, when a parent is given
    int32_t x = kUnset;
    int32_t y = kUnset;
    int32_t width = kUnset;
    int32_t height = kUnset;
    int32_t id = 0;               // control id: 101 upwards in a form, in creation order
    int32_t tag = -1;             // stored on the control; the application passes -1
    QString text;                 // filled from the control's stored text
    CRefVolMenu* menu = nullptr;  // forms only: overrides the form's own menu when given
    int32_t modal = 0;            // forms only: nonzero runs the form as a modal dialog
    int32_t boxStyle = 0;         // forms only: modal with a fixed message-box frame
    int64_t result = 0;           // out: the modal result of a modal form
    QFont font;                   // filled by PrepareCreateParams
};
