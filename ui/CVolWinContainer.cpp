#include "ui/CVolWinContainer.h"

#include <QFocusEvent>
#include <QVariant>

#include "ui/DesignScale.h"
#include "ui/FocusHandOn.h"

CVWnd_Container::CVWnd_Container(CVolWinContainer* control, QWidget* parent)
    : QWidget(parent), control_(control) {}

CVolWinContainer::CVolWinContainer() : target_(std::make_shared<CVolEventObjectPointer>(this)) {}

CVolWinContainer::~CVolWinContainer() {
    target_->Clear();
    if (auto* w = dynamic_cast<CVWnd_Container*>(Widget())) {
        w->DetachControl();
    }
}

const ClassDescriptor& CVolWinContainer::StaticClass() {
    static const ClassDescriptor d =
        MakeClassDescriptor("CVolWinContainer", nullptr, {&CVolWinControl::StaticClass()});
    return d;
}

int CVolWinContainer::CreateChild(CVolWinControl& control, int32_t id, int x, int y, int width,
                                  int height, int32_t tag) {
    CreateParams params;
    params.parent = ClientWidget();
    params.owner = this;
    params.x = ScaleDesignMeasure(x);
    params.y = ScaleDesignMeasure(y);
    params.width = ScaleDesignMeasure(width);
    params.height = ScaleDesignMeasure(height);
    params.id = id;
    params.tag = tag;
    return control.CreateControl(params);
}

QWidget* CVolWinContainer::FindChildWindow(int32_t id) const {
    if (!HasWindow()) {
        return nullptr;
    }
    const QList<QWidget*> children = Widget()->findChildren<QWidget*>();
    for (QWidget* w : children) {
        const QVariant v = w->property(kControlIdProperty);
        if (v.isValid() && v.toInt() == id) {
            return w;
        }
    }
    return nullptr;
}

bool CVolWinContainer::PreTranslate(QObject*, QEvent*) {
    return false;
}

void CVolWinContainer::ComputeCreateRect(CreateParams& params) {
    if (params.width == CreateParams::kUnset || params.height == CreateParams::kUnset) {
        const int w = DesignClientWidth();
        const int h = DesignClientHeight();
        params.width = w > 0 && h > 0 ? w : 0;
        params.height = w > 0 && h > 0 ? h : 0;
    }
    if (params.x == CreateParams::kUnset || params.y == CreateParams::kUnset) {
        params.x = 0;
        params.y = 0;
    }
}

QWidget* CVolWinContainer::CreateWindowObject(CreateParams& params) {
    return new CVWnd_Container(this, params.parent);
}

void CVolWinContainer::AfterCreate(CreateParams& params) {
    // The widget exists: children first, then the first container event.
    CreateChildControls();
    CreatedEvent.Fire(this);
    CVolWinControl::AfterCreate(params);
}

bool CVolWinContainer::OnWidgetEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::Resize:
            ResizedEvent.Fire(this);
            break;
        case QEvent::Move:
            MovedEvent.Fire(this);
            break;
        case QEvent::Show:
            ShownEvent.Fire(this);
            break;
        case QEvent::Hide:
            HiddenEvent.Fire(this);
            break;
        case QEvent::FocusIn:
            // A container never keeps the focus: it goes on to the control that takes keys.
            if (QWidget* target = FocusHandOnTarget(ClientWidget())) {
                target->setFocus(static_cast<QFocusEvent*>(event)->reason());
            }
            break;
        default:
            break;
    }
    return CVolWinControl::OnWidgetEvent(event);
}

void CVolWinContainer::OnWindowDestroyed() {
    DestroyedEvent.Fire(this);
}
