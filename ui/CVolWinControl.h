// The root of the framework's controls: an object that owns one Qt widget once it is created.
//
// Properties set before the widget exists (text, enabled, visible, font) are stored and applied
// at creation; afterwards they go straight to the widget. Creation runs the same steps for every
// kind: PrepareCreateParams, ComputeCreateRect, the kind's own CreateWindowObject, AfterCreate.
// Controls are members of their forms; the control deletes its widget when it goes, and notices
// when a parent took the widget with it (HasWindow() turns false).
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "base/ClassDescriptor.h"
#include "grid/model/GridTypes.h"
#include "ui/CreateParams.h"
#include "ui/EventBinding.h"

class QEvent;
class QWidget;
class CVolWinContainer;
class WidgetWatcher;

// The dynamic property that carries a control's id on its widget.
inline constexpr char kControlIdProperty[] = "vantricControlId";
// Widgets that take every key themselves, Enter and Escape included (in-place editors): a
// form's keyboard rules leave their keys alone.
inline constexpr char kWantsAllKeysProperty[] = "vantricWantsAllKeys";
// Widgets whose left button press moves a form that is movable by its client area.
inline constexpr char kMovesFormProperty[] = "vantricMovesForm";

class CVolWinControl : public CVolRefObject {
  public:
    CVolWinControl();
    ~CVolWinControl() override;  // public: controls live as members of their forms
    CVolWinControl(const CVolWinControl&) = delete;
    CVolWinControl& operator=(const CVolWinControl&) = delete;

    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

    // 1 on success; 0 when the widget already exists or cannot be made.
    virtual int CreateControl(CreateParams& params);
    // Deletes the widget (and the widgets of any child controls).
    void DestroyWindow();

    bool HasWindow() const { return window_ != nullptr; }
    QWidget* Widget() const { return window_; }
    int32_t Id() const { return id_; }
    int32_t Tag() const { return tag_; }
    CVolWinContainer* Owner() const { return owner_; }

    // The widget's current text when it exists, else the stored one.
    QString GetText() const;
    void SetText(const QString& text);
    bool IsEnabled() const;
    void SetEnabled(bool enabled);
    bool IsVisible() const;
    void SetVisible(bool visible);
    // The control's own font; without one the kind's default font is used.
    void SetFont(const LogFont& font);
    void SetFontDescription(const QString& description);
    std::optional<LogFont> Font() const { return font_; }
    virtual void SetFocus();
    bool HasFocus() const;
    // A press on this control moves a form that is movable by its client area, as a press on
    // the form itself does.
    void SetMovesForm(bool on);
    bool MovesForm() const { return movesForm_; }

    EventBinding<> FocusGainedEvent;
    EventBinding<> FocusLostEvent;

  protected:
    virtual void PrepareCreateParams(CreateParams& params);
    virtual void ComputeCreateRect(CreateParams&) {}
    // The kind's own widget, made as a child of params.parent; null when it cannot be made.
    virtual QWidget* CreateWindowObject(CreateParams&) { return nullptr; }
    virtual void AfterCreate(CreateParams& params);
    // How the kind shows and reads its text.
    virtual void ApplyText(QWidget* window, const QString& text);
    virtual QString ReadText(const QWidget* window) const;
    // Every event of the widget passes here first; true swallows it.
    virtual bool OnWidgetEvent(QEvent* event);
    // The widget is being destroyed (by this control or by a parent).
    virtual void OnWindowDestroyed() {}

    // Takes `window` as this control's widget and starts watching its events.
    void AttachWindow(QWidget* window);
    QString StoredText() const { return text_; }
    // The visibility asked for, whether or not the widget is shown yet.
    bool WantsVisible() const { return visible_; }

  private:
    friend class WidgetWatcher;
    void WindowGone();

    QWidget* window_ = nullptr;
    WidgetWatcher* watcher_ = nullptr;
    CVolWinContainer* owner_ = nullptr;
    int32_t id_ = 0;
    int32_t tag_ = -1;
    QString text_;
    bool enabled_ = true;
    bool visible_ = true;
    bool movesForm_ = false;
    std::optional<LogFont> font_;
};
