#include "ui/FocusHandOn.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QVariant>
#include <QWidget>
#include <functional>

#include "ui/CVolWinContainer.h"

namespace {

constexpr char kWaitingFocusProperty[] = "vantricWaitingFocus";

bool Usable(const QWidget* w) {
    return !w->isWindow() && !w->isHidden() && w->isEnabled();
}

// Framework containers and plain holders (a form's client area) are searched through; the
// inner parts of a control (a combo box's line edit, a list's viewport) are not.
bool SearchedThrough(const QWidget* w) {
    return dynamic_cast<const CVWnd_Container*>(w) != nullptr ||
           w->metaObject() == &QWidget::staticMetaObject;
}

// The first usable descendant of `parent`, depth first in creation order, that `wanted` accepts.
QWidget* FirstDescendant(const QWidget* parent, const std::function<bool(const QWidget*)>& wanted) {
    for (QObject* object : parent->children()) {
        auto* w = qobject_cast<QWidget*>(object);
        if (w == nullptr || !Usable(w)) {
            continue;
        }
        if (wanted(w)) {
            return w;
        }
        if (SearchedThrough(w)) {
            if (QWidget* inner = FirstDescendant(w, wanted)) {
                return inner;
            }
        }
    }
    return nullptr;
}

}  // namespace

bool WidgetWantsKeys(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) != nullptr ||
           qobject_cast<const QTextEdit*>(w) != nullptr ||
           qobject_cast<const QPlainTextEdit*>(w) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(w) != nullptr ||
           qobject_cast<const QComboBox*>(w) != nullptr ||
           qobject_cast<const QAbstractItemView*>(w) != nullptr ||
           (w->testAttribute(Qt::WA_InputMethodEnabled) && w->focusPolicy() != Qt::NoFocus);
}

QWidget* FocusHandOnTarget(const QWidget* container) {
    if (container == nullptr) {
        return nullptr;
    }
    if (QWidget* w = FirstDescendant(container, WidgetWantsKeys)) {
        return w;
    }
    if (QWidget* w = FirstDescendant(
            container, [](const QWidget* c) { return (c->focusPolicy() & Qt::TabFocus) != 0; })) {
        return w;
    }
    return FirstDescendant(container, [](const QWidget*) { return true; });
}

void GiveFocus(QWidget* widget, Qt::FocusReason reason) {
    if (widget == nullptr) {
        return;
    }
    if (!widget->isActiveWindow()) {
        widget->window()->setProperty(kWaitingFocusProperty, true);
    }
    widget->setFocus(reason);
}

bool TakeWaitingFocus(QWidget* window) {
    if (window == nullptr || !window->property(kWaitingFocusProperty).toBool()) {
        return false;
    }
    window->setProperty(kWaitingFocusProperty, QVariant());
    return true;
}
