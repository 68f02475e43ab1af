#include "ui/CVolWinControl.h"

#include <QEvent>
#include <QVariant>
#include <QWidget>

#include "platform/ScreenDpi.h"
#include "ui/CVolWinContainer.h"
#include "ui/FocusHandOn.h"
#include "ui/FontDescription.h"

// Forwards a widget's events to its control and tells the control when the widget goes. A child
// of the widget, so it dies with it wherever the deletion comes from.
class WidgetWatcher final : public QObject {
  public:
    WidgetWatcher(QWidget* window, CVolWinControl* control)
        : QObject(window), control_(control), kind_(window->metaObject()) {
        window->installEventFilter(this);
    }
    ~WidgetWatcher() override {
        if (control_ != nullptr) {
            control_->WindowGone();
        }
    }
    void Detach() { control_ = nullptr; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A widget half-way through its destructor has lost its own kind (and still gets
        // focus and hide events): those never reach the control.
        if (control_ != nullptr && watched == parent() && watched->metaObject() == kind_) {
            return control_->OnWidgetEvent(event);
        }
        return false;
    }

  private:
    CVolWinControl* control_;
    const QMetaObject* kind_;
};

CVolWinControl::CVolWinControl() = default;

CVolWinControl::~CVolWinControl() {
    DestroyWindow();
}

const ClassDescriptor& CVolWinControl::StaticClass() {
    static const ClassDescriptor d =
        MakeClassDescriptor("CVolWinControl", nullptr, {&CVolRefObject::StaticClass()});
    return d;
}

void CVolWinControl::DestroyWindow() {
    if (window_ == nullptr) {
        return;
    }
    QWidget* window = window_;
    // No event of a dying widget reaches a control that may itself be half destroyed.
    watcher_->Detach();
    WindowGone();
    delete window;
}

void CVolWinControl::WindowGone() {
    window_ = nullptr;
    watcher_ = nullptr;
    OnWindowDestroyed();
}

int CVolWinControl::CreateControl(CreateParams& params) {
    if (HasWindow()) {
        return 0;
    }
    tag_ = params.tag;
    PrepareCreateParams(params);
    ComputeCreateRect(params);
    QWidget* window = CreateWindowObject(params);
    if (window == nullptr) {
        return 0;
    }
    id_ = params.id;
    owner_ = params.owner;
    AttachWindow(window);
    AfterCreate(params);
    return 1;
}

void CVolWinControl::AttachWindow(QWidget* window) {
    window_ = window;
    window->setProperty(kControlIdProperty, id_);
    window->setProperty(kMovesFormProperty, movesForm_);
    watcher_ = new WidgetWatcher(window, this);
}

void CVolWinControl::PrepareCreateParams(CreateParams& params) {
    params.text = text_;
    params.font = LogFontToQFont(font_ ? *font_ : DefaultControlLogFont(vantric::ScreenDpiY()));
}

void CVolWinControl::AfterCreate(CreateParams& params) {
    window_->setFont(params.font);
    ApplyText(window_, params.text);
    if (params.width != CreateParams::kUnset && params.height != CreateParams::kUnset) {
        const int x = params.x == CreateParams::kUnset ? 0 : params.x;
        const int y = params.y == CreateParams::kUnset ? 0 : params.y;
        window_->setGeometry(x, y, params.width, params.height);
    }
    window_->setEnabled(enabled_);
    if (!window_->isWindow()) {
        window_->setVisible(visible_);
    }
    if (owner_ != nullptr && owner_->HasWindow()) {
        owner_->ControlCreatedEvent.Fire(owner_, this, id_);
    }
}

void CVolWinControl::ApplyText(QWidget* window, const QString& text) {
    window->setWindowTitle(text);
}

QString CVolWinControl::ReadText(const QWidget* window) const {
    return window->windowTitle();
}

bool CVolWinControl::OnWidgetEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn:
            FocusGainedEvent.Fire(this);
            break;
        case QEvent::FocusOut:
            FocusLostEvent.Fire(this);
            break;
        default:
            break;
    }
    return false;
}

QString CVolWinControl::GetText() const {
    return HasWindow() ? ReadText(window_) : text_;
}

void CVolWinControl::SetText(const QString& text) {
    text_ = text;
    if (HasWindow()) {
        ApplyText(window_, text);
        window_->update();
    }
}

bool CVolWinControl::IsEnabled() const {
    return HasWindow() ? window_->isEnabled() : enabled_;
}

void CVolWinControl::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (HasWindow()) {
        window_->setEnabled(enabled);
    }
}

bool CVolWinControl::IsVisible() const {
    return HasWindow() ? !window_->isHidden() : visible_;
}

void CVolWinControl::SetVisible(bool visible) {
    visible_ = visible;
    if (HasWindow()) {
        window_->setVisible(visible);
    }
}

void CVolWinControl::SetFont(const LogFont& font) {
    font_ = font;
    if (HasWindow()) {
        window_->setFont(LogFontToQFont(font));
    }
}

void CVolWinControl::SetFontDescription(const QString& description) {
    SetFont(ParseFontDescription(description));
}

void CVolWinControl::SetFocus() {
    if (HasWindow()) {
        GiveFocus(window_);
    }
}

bool CVolWinControl::HasFocus() const {
    return HasWindow() && window_->hasFocus();
}

void CVolWinControl::SetMovesForm(bool on) {
    movesForm_ = on;
    if (HasWindow()) {
        window_->setProperty(kMovesFormProperty, on);
    }
}
