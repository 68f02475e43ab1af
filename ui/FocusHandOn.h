// Where the keyboard focus goes when a container or form receives it, and focus that the
// program gives while a window is inactive.
//
// A form or container never keeps the focus itself: it hands it to the first visible, enabled
// descendant that takes typed keys (edits, combo boxes, lists, spin boxes, and any widget that
// accepts input-method text), searching the children of nested containers too; else to the
// first one that is a tab stop; else to its first visible, enabled child. "First" is creation
// order. A form does the same whenever its window is activated, unless the program gave the
// focus to a widget of it while it was inactive (after a dialog closes, say): that focus stays.
#pragma once

#include <Qt>

class QWidget;

// Whether `widget` takes typed keys (the platform's "wants characters or arrows").
bool WidgetWantsKeys(const QWidget* widget);

// The widget inside `container` that receives the focus handed on; null when it has no
// visible, enabled child.
QWidget* FocusHandOnTarget(const QWidget* container);

// Gives `widget` the focus. When its window is not the active one, the focus waits there for
// the window's next activation and is not handed on then.
void GiveFocus(QWidget* widget, Qt::FocusReason reason = Qt::OtherFocusReason);

// True (once) when GiveFocus left a focus waiting in `window` since its last activation.
bool TakeWaitingFocus(QWidget* window);
