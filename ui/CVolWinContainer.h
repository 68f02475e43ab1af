// A control that holds other controls: the base of layouters and forms.
//
// A container creates its children from design measures (CreateChild scales each of x, y,
// width and height by ScaleFactor()), runs CreateChildControls as soon as its widget exists and
// then raises its first container event (CreatedEvent). Handlers are bound with Connect, which
// ties them to the container's event target, so they never run after the container is gone.
// A container that receives the keyboard focus hands it on (see FocusHandOn.h).
#pragma once

#include <QWidget>

#include "ui/CVolWinControl.h"

class QEvent;
class CVolWinContainer;

// The widget of a container. Marks framework containers for the application's input walk
// (see CVolMFCApp::notify).
class CVWnd_Container : public QWidget {
  public:
    CVWnd_Container(CVolWinContainer* control, QWidget* parent);
    CVolWinContainer* Control() const { return control_; }
    void DetachControl() { control_ = nullptr; }

  private:
    CVolWinContainer* control_;
};

class CVolWinContainer : public CVolWinControl {
  public:
    CVolWinContainer();
    ~CVolWinContainer() override;

    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

    // The design client size (already scaled by the form that answers it); 0 in the base.
    virtual int DesignClientWidth() const { return 0; }
    virtual int DesignClientHeight() const { return 0; }

    // The widget child controls are created in (a form's client area below its menu bar).
    virtual QWidget* ClientWidget() const { return Widget(); }

    // Creates `control` in this container with `id` at design measures scaled by
    // ScaleFactor(); returns CreateControl's result.
    int CreateChild(CVolWinControl& control, int32_t id, int x, int y, int width, int height,
                    int32_t tag = -1);

    // The widget of the descendant control with this id, or null.
    QWidget* FindChildWindow(int32_t id) const;

    // Binds `event` to `handler` with this container as the target. The handler may take
    // (sender, args...), (args...) or nothing.
    template <typename... Args, typename F>
    void Connect(EventBinding<Args...>& event, F&& handler) {
        event.Bind(target_, std::forward<F>(handler));
    }
    const EventTarget& Target() const { return target_; }

    // Answers an input event on the way to a widget inside this container; true handles it.
    // Containers pass everything on; forms run their keyboard rules here.
    virtual bool PreTranslate(QObject* receiver, QEvent* event);

    EventBinding<> CreatedEvent;  // the first container event, right after CreateChildControls
    EventBinding<> DestroyedEvent;
    EventBinding<> ResizedEvent;
    EventBinding<> MovedEvent;
    EventBinding<> ShownEvent;
    EventBinding<> HiddenEvent;
    EventBinding<int32_t> CommandEvent;  // menu and accelerator commands; nonzero: handled
    EventBinding<CVolWinControl*, int32_t> ControlCreatedEvent;

  protected:
    // Creates the child controls; run while the widget is being created.
    virtual void CreateChildControls() {}

    void ComputeCreateRect(CreateParams& params) override;
    QWidget* CreateWindowObject(CreateParams& params) override;
    void AfterCreate(CreateParams& params) override;
    bool OnWidgetEvent(QEvent* event) override;
    void OnWindowDestroyed() override;

  private:
    EventTarget target_;
};
