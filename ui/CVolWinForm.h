// A form: a top-level window whose client area holds the controls an application form creates
// in CreateChildControls, optionally with a menu bar made from a menu object.
//
// A form created with the modal field runs inside a CVolEnvelopeDialog and stores its result.
// Keyboard rules (run from the application's input walk, see CVolMFCApp): FormPreTranslateHook
// sees each key and mouse event first; Escape ends a modal form with -1 or closes a form marked
// to close on Escape; Enter clicks the default push button when the form has one; accelerators
// of the menu deliver their command ids. Tab moving between edits is Qt's own. Escape and Enter
// stay with a widget that wants all keys (kWantsAllKeysProperty), such as an in-place editor.
// F1 opens the form's help file when it has one and the file exists. Alt pressed and released
// alone, or F10, takes the keyboard to the menu bar (arrows move, Enter chooses, Escape leaves)
// and, pressed again, back. Activated, a form hands the keyboard focus to its first control that
// takes keys (see FocusHandOn.h).
//
// A form created inside another window's child widget (CreateChild of a container, or a parent
// that is no window) is a child form: it sits in its parent at its position (0, 0 when unset)
// and is never placed on a monitor. A form given a top-level parent is a window of its own over
// it.
//
// A derived form whose handlers use its own members may call DestroyWindow() first in its
// destructor, so that nothing fires while those members are going.
#pragma once

#include <QFont>
#include <QPoint>
#include <QPointer>
#include <optional>

#include "ui/FormPositionLimits.h"
#include "ui/rg_ZuJianBuJuQi.h"

class QDialog;
class QIcon;
class QMenuBar;
class QSystemTrayIcon;
class CRefVolMenu;
class CVolEnvelopeDialog;
class CVolWinForm;

// The widget of a form: the menu bar, when there is one, above the client area.
class CVWnd_WinForm : public CVWnd_Container {
  public:
    CVWnd_WinForm(CVolWinForm* form, QWidget* parent);
    QWidget* ClientArea() const { return client_; }
    QMenuBar* MenuBar() const { return menuBar_; }
    void SetMenuBar(QMenuBar* menuBar);  // replaces (and deletes) the previous one

  private:
    QWidget* client_;
    QMenuBar* menuBar_ = nullptr;
};

class CVolWinForm : public rg_ZuJianBuJuQi {
  public:
    CVolWinForm();
    ~CVolWinForm() override;

    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

    // Window properties, read at creation. BorderKind: 0 none, 1 sizable, 2 fixed, 3 sizable
    // tool window, 4 fixed tool window, 5 sizable, 6 fixed. StartPosition: 0 normal, 1 centred
    // on its monitor, 2 minimised, 3 maximised.
    int BorderKind() const { return borderKind_; }
    void SetBorderKind(int kind) { borderKind_ = kind; }
    bool HasSystemMenu() const { return systemMenu_; }
    void SetSystemMenu(bool on) { systemMenu_ = on; }
    void SetMaximizeBox(bool on) { maximizeBox_ = on; }
    void SetMinimizeBox(bool on) { minimizeBox_ = on; }
    int StartPosition() const { return startPosition_; }
    void SetStartPosition(int position) { startPosition_ = position; }
    void SetCloseOnEscape(bool on) { closeOnEscape_ = on; }
    void SetTopMost(bool on) { topMost_ = on; }
    void SetMovableByClientArea(bool on) { movableByClientArea_ = on; }
    // A form that may not be moved goes back to its place when the operator drags it away
    // (maximised and minimised states aside).
    bool IsMovable() const { return movable_; }
    void SetMovable(bool on) { movable_ = on; }
    // The help file F1 opens (see FormHelp.h) and its topic; 0 opens its contents.
    void SetHelpFile(const QString& name, int32_t context = 0) {
        helpFile_ = name;
        helpContext_ = context;
    }
    // True when the form was created inside another window (see above).
    bool IsChildForm() const { return childForm_; }

    // The menu shown as the menu bar (the form keeps a reference); null removes it.
    void SetMenu(CRefVolMenu* menu);
    CRefVolMenu* Menu() const { return menu_; }
    // Enables or greys a menu bar item by command id.
    void SetMenuItemEnabled(int32_t commandId, bool enabled);
    QMenuBar* MenuBar() const;

    // The id of the default push button (0: none); recorded when such a button is created.
    int32_t DefaultButtonId() const { return defaultButtonId_; }
    void SetDefaultButtonId(int32_t id) { defaultButtonId_ = id; }

    int CreateControl(CreateParams& params) override;
    // A top-level form at the position and size the form's rules give; 1 on success.
    int CreateForm(QWidget* parent = nullptr);
    // Runs the form modally over `owner` (or the active window) and returns its result: -1 for
    // Escape or the close box, or the value given to EndModal.
    int64_t RunModal(QWidget* owner = nullptr, bool boxStyle = false);

    bool IsModal() const { return host_ != nullptr; }
    QDialog* Host() const;
    // Ends a modal form's dialog with `result`.
    void EndModal(int64_t result);
    // Asks the form to close, as the close box does.
    void Close();

    QWidget* ClientWidget() const override;

    // A modal OK box owned by the form (ownerless when the form has no widget); the focus goes
    // back to the widget that had it. Returns the box's result.
    int ShowMessage(const QString& text, const QString& caption);
    // The input dialog over the form; see IInputService.
    bool AskInput(const QString& prompt, const QString& title, const QString& initialText, int mode,
                  QString& result);
    // Shows drop-down `index` of `menu` as a popup at `screenPos`; the chosen command reaches
    // CommandEvent after the calling handler has returned.
    void TrackPopupMenu(CRefVolMenu& menu, int index, const QPoint& screenPos);

    // Fires CommandEvent now; returns its answer.
    int DeliverCommand(int32_t commandId);
    // Delivers the command from the event loop, once the current handler has returned.
    void PostCommand(int32_t commandId);

    // Asked when the session ends: the close-query event; false keeps the session going.
    bool QueryEndSession();
    // Shows the form's tray icon (id 100 of the form); its clicks reach MouseRelayEvent. It goes
    // with the form's window.
    void ShowTrayIcon(const QIcon& icon, const QString& tip);
    QSystemTrayIcon* TrayIcon() const;
    // Hands a mouse event to MouseRelayEvent from the event loop: kind 1 left button up, 2 left
    // double click, 3 right button up or context menu.
    void RelayMouse(int kind);

    // Sees each key and mouse event inside the form first; 0 swallows it.
    virtual int FormPreTranslateHook(QObject* receiver, QEvent* event);
    bool PreTranslate(QObject* receiver, QEvent* event) override;

    EventBinding<> CloseRequestEvent;  // answer 0 keeps the window (default: close)
    EventBinding<> CloseQueryEvent;    // answer 0 keeps the window (default: close)
    EventBinding<> FirstActivationEvent;
    EventBinding<> ActivatedEvent;
    EventBinding<> DeactivatedEvent;
    EventBinding<int32_t> MenuItemHighlightedEvent;  // 0 when the menu closes
    // Asked as the window is made, with what the window system allows; a nonzero answer makes
    // the window keep to the (changed) tracking sizes.
    EventBinding<rg_ChuangKouWeiZhiXianZhiXinXi*> PositionLimitEvent;
    EventBinding<int> MouseRelayEvent;  // see RelayMouse

  protected:
    void PrepareCreateParams(CreateParams& params) override;
    void ComputeCreateRect(CreateParams& params) override;
    QWidget* CreateWindowObject(CreateParams& params) override;
    void AfterCreate(CreateParams& params) override;
    bool OnWidgetEvent(QEvent* event) override;
    void ApplyText(QWidget* window, const QString& text) override;

  private:
    void AttachMenu(CVWnd_WinForm* window);
    int MenuBarHeight(const QFont& font) const;
    Qt::WindowFlags TopLevelFlags(const QString& text) const;
    void KeepInPlace();
    // Moves the keyboard into the menu bar, or out of it; false without a visible menu bar.
    bool ToggleMenuBarKeyboard();

    int borderKind_ = 1;
    bool systemMenu_ = true;
    bool maximizeBox_ = true;
    bool minimizeBox_ = true;
    int startPosition_ = 0;
    bool closeOnEscape_ = false;
    bool topMost_ = false;
    bool movableByClientArea_ = false;
    bool movable_ = true;
    std::optional<QPoint> place_;  // where a form that may not be moved stays
    QString helpFile_;
    int32_t helpContext_ = 0;
    bool childForm_ = false;
    CRefVolMenu* menu_ = nullptr;
    int32_t defaultButtonId_ = 0;
    CVolEnvelopeDialog* host_ = nullptr;
    bool activated_ = false;
    bool everActivated_ = false;
    bool menuBarCounted_ = false;  // the created size already holds the menu bar
};
