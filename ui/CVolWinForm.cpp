#include "ui/CVolWinForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QSystemTrayIcon>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <memory>

#include "platform/IconResource.h"
#include "ui/CRefVolMenu.h"
#include "ui/CVolEnvelopeDialog.h"
#include "ui/CVolMFCApp.h"
#include "ui/FocusHandOn.h"
#include "ui/FormGeometry.h"
#include "ui/FormHelp.h"
#include "ui/MessageService.h"

namespace {

QRect ScreenRect(const QWidget* near) {
    const QScreen* screen = near != nullptr ? near->screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
}

// After a modal box or dialog: the window that had the focus becomes active again and the
// focus returns to the widget that had it, when that widget still exists.
void GiveFocusBack(const QPointer<QWidget>& focus) {
    if (!focus) {
        return;
    }
    if (!focus->window()->isActiveWindow()) {
        focus->window()->activateWindow();
    }
    GiveFocus(focus);
}

bool WithoutModifiers(const QKeyEvent* key) {
    return (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool HasProperty(const QWidget* w, const char* name) {
    return w != nullptr && w->property(name).toBool();
}

// The owner of a modal form: the parent's window, else the active window, else the program's
// main window, else none.
QWidget* ModalOwner(QWidget* parent) {
    if (parent != nullptr) {
        return parent->window();
    }
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    const CVolMFCApp* app = CVolMFCApp::Instance();
    return app != nullptr ? app->MainWindow() : nullptr;
}

}  // namespace

CVWnd_WinForm::CVWnd_WinForm(CVolWinForm* form, QWidget* parent)
    : CVWnd_Container(form, parent), client_(new QWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(client_);
}

void CVWnd_WinForm::SetMenuBar(QMenuBar* menuBar) {
    delete menuBar_;
    menuBar_ = menuBar;
    layout()->setMenuBar(menuBar);
}

CVolWinForm::CVolWinForm() = default;

CVolWinForm::~CVolWinForm() {
    Target()->Clear();
    DestroyWindow();
    if (menu_ != nullptr) {
        menu_->Release();
    }
}

const ClassDescriptor& CVolWinForm::StaticClass() {
    static const ClassDescriptor d =
        MakeClassDescriptor("CVolWinForm", nullptr, {&rg_ZuJianBuJuQi::StaticClass()});
    return d;
}

void CVolWinForm::SetMenu(CRefVolMenu* menu) {
    if (menu == menu_) {
        return;
    }
    if (menu != nullptr) {
        menu->AddRef();
    }
    if (menu_ != nullptr) {
        menu_->Release();
    }
    menu_ = menu;
    if (auto* window = dynamic_cast<CVWnd_WinForm*>(Widget())) {
        AttachMenu(window);
    }
}

void CVolWinForm::AttachMenu(CVWnd_WinForm* window) {
    for (QShortcut* old : window->findChildren<QShortcut*>(Qt::FindDirectChildrenOnly)) {
        delete old;
    }
    if (menu_ == nullptr || !menu_->IsLoaded()) {
        window->SetMenuBar(nullptr);
        return;
    }
    CRefVolMenu::Sink sink;
    sink.command = [this](int32_t id) { DeliverCommand(id); };
    sink.highlighted = [this](int32_t id) { MenuItemHighlightedEvent.Fire(this, id); };
    window->SetMenuBar(menu_->CreateMenuBar(window, sink));
    for (const MenuAccelerator& a : menu_->Definition().accelerators) {
        const QKeyCombination keys = ShortcutKeyCombination(a.code);
        if (keys.key() == Qt::Key_unknown) {
            continue;
        }
        auto* shortcut = new QShortcut(QKeySequence(keys), window);
        shortcut->setContext(Qt::WindowShortcut);
        const int32_t id = a.commandId;
        QObject::connect(shortcut, &QShortcut::activated, window, [this, id] {
            // A greyed menu item sends no command through its accelerator either.
            if (menu_ != nullptr && menu_->IsItemEnabled(id)) {
                DeliverCommand(id);
            }
        });
    }
}

void CVolWinForm::SetMenuItemEnabled(int32_t commandId, bool enabled) {
    if (menu_ != nullptr) {
        menu_->SetItemEnabled(commandId, enabled);
    }
}

QMenuBar* CVolWinForm::MenuBar() const {
    auto* window = dynamic_cast<CVWnd_WinForm*>(Widget());
    return window != nullptr ? window->MenuBar() : nullptr;
}

QWidget* CVolWinForm::ClientWidget() const {
    auto* window = dynamic_cast<CVWnd_WinForm*>(Widget());
    return window != nullptr ? window->ClientArea() : nullptr;
}

QDialog* CVolWinForm::Host() const {
    return host_;
}

int CVolWinForm::CreateForm(QWidget* parent) {
    CreateParams params;
    params.parent = parent;
    return CreateControl(params);
}

int64_t CVolWinForm::RunModal(QWidget* owner, bool boxStyle) {
    CreateParams params;
    params.parent = owner;
    params.modal = 1;
    params.boxStyle = boxStyle ? 1 : 0;
    CreateControl(params);
    return params.result;
}

int CVolWinForm::CreateControl(CreateParams& params) {
    if (HasWindow()) {
        return 0;
    }
    if (params.menu != nullptr) {
        SetMenu(params.menu);
    }
    if (params.modal == 0) {
        return CVolWinContainer::CreateControl(params);
    }
    if (params.boxStyle != 0) {
        borderKind_ = 2;
        systemMenu_ = true;
        maximizeBox_ = false;
        minimizeBox_ = false;
    }
    const QPointer<QWidget> focus = QApplication::focusWidget();
    CVolEnvelopeDialog host(ModalOwner(params.parent), this);
    // The dialog takes the form's frame: caption, system menu, minimise and maximise boxes.
    host.setWindowFlags((TopLevelFlags(GetText()) & ~Qt::WindowType_Mask) | Qt::Dialog);
    host_ = &host;
    const int created = CVolWinContainer::CreateControl(params);
    params.result = created != 0 ? host.exec() : -1;
    host_ = nullptr;
    DestroyWindow();
    GiveFocusBack(focus);
    return created;
}

void CVolWinForm::PrepareCreateParams(CreateParams& params) {
    CVolWinContainer::PrepareCreateParams(params);
    if (params.text.isEmpty() && systemMenu_) {
        params.text = QStringLiteral("Vantric");
    }
}

// The height the form's menu bar will take, measured on a bar made for the purpose with the
// form's font; 0 without a menu.
int CVolWinForm::MenuBarHeight(const QFont& font) const {
    if (menu_ == nullptr || !menu_->IsLoaded()) {
        return 0;
    }
    std::unique_ptr<QMenuBar> bar(menu_->CreateMenuBar(nullptr, CRefVolMenu::Sink{}));
    if (bar == nullptr || bar->actions().isEmpty()) {
        return 0;
    }
    bar->setFont(font);
    return bar->sizeHint().height();
}

void CVolWinForm::ComputeCreateRect(CreateParams& params) {
    childForm_ = host_ == nullptr && params.parent != nullptr && !params.parent->isWindow();
    // The design size is the client area: a menu bar comes on top of it, and counts before the
    // form is centred.
    const bool designSize =
        params.width == CreateParams::kUnset || params.height == CreateParams::kUnset;
    const int menuBar = designSize ? MenuBarHeight(params.font) : 0;
    menuBarCounted_ = menuBar > 0;
    const QRect r =
        FormCreateRect(params.x, params.y, params.width, params.height, DesignClientWidth(),
                       DesignClientHeight(), menuBar, childForm_, ScreenRect(nullptr));
    params.x = r.x();
    params.y = r.y();
    params.width = r.width();
    params.height = r.height();
}

Qt::WindowFlags CVolWinForm::TopLevelFlags(const QString& text) const {
    Qt::WindowFlags flags = Qt::Window;
    if (borderKind_ == 0) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::CustomizeWindowHint;
        if (!text.isEmpty() || systemMenu_) {
            flags |= Qt::WindowTitleHint;
        }
        if (systemMenu_) {
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        }
        if (maximizeBox_) {
            flags |= Qt::WindowMaximizeButtonHint;
        }
        if (minimizeBox_) {
            flags |= Qt::WindowMinimizeButtonHint;
        }
        if (borderKind_ == 3 || borderKind_ == 4) {
            flags |= Qt::Tool;
        }
    }
    if (topMost_) {
        flags |= Qt::WindowStaysOnTopHint;
    }
    return flags;
}

QWidget* CVolWinForm::CreateWindowObject(CreateParams& params) {
    auto* window = new CVWnd_WinForm(this, host_ != nullptr ? host_ : params.parent);
    if (host_ != nullptr) {
        auto* layout = new QVBoxLayout(host_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(window);
    } else {
        if (!childForm_) {
            window->setWindowFlags(TopLevelFlags(params.text));
        }
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    AttachMenu(window);
    return window;
}

void CVolWinForm::AfterCreate(CreateParams& params) {
    CVolWinContainer::AfterCreate(params);
    QWidget* window = Widget();
    if (window == nullptr) {
        return;
    }
    QWidget* frame = host_ != nullptr ? static_cast<QWidget*>(host_) : window;
    // A form without an icon of its own shows the program's, in its title bar and task switcher.
    if (!frame->testAttribute(Qt::WA_SetWindowIcon)) {
        frame->setWindowIcon(vantric::IconResource(vantric::kProgramIconId));
    }
    QRect rect(params.x, params.y, params.width, params.height);
    if (rect.isEmpty()) {
        frame->adjustSize();
        rect.setSize(frame->size());
    } else if (QMenuBar* bar = MenuBar(); bar != nullptr && !menuBarCounted_) {
        rect.setHeight(rect.height() + bar->sizeHint().height());
    }
    const bool fixed = borderKind_ == 0 || borderKind_ == 2 || borderKind_ == 4 || borderKind_ == 6;
    rg_ChuangKouWeiZhiXianZhiXinXi limits = DefaultPositionLimits(frame->screen());
    if (PositionLimitEvent.Fire(this, &limits) != 0) {
        ApplyPositionLimits(frame, limits);
    }
    if (childForm_) {
        window->setGeometry(rect);
        return;
    }
    if (host_ != nullptr) {
        host_->setWindowTitle(GetText());
        host_->setGeometry(rect);
        if (fixed) {
            host_->setFixedSize(rect.size());
        }
        window->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QWidget* near = params.parent != nullptr ? params.parent->window() : nullptr;
    window->setGeometry(QRect(PlaceOnMonitor(rect, ScreenRect(near), startPosition_), rect.size()));
    if (fixed) {
        window->setFixedSize(rect.size());
    }
    if (!WantsVisible()) {
        return;
    }
    switch (std::clamp(startPosition_, 0, 3)) {
        case 2:
            window->showMinimized();
            break;
        case 3:
            window->showMaximized();
            window->activateWindow();
            break;
        default:
            window->show();
            // Shown normally a form is also activated, so that its keyboard focus is live at
            // once, with or without a window manager that would do it.
            window->activateWindow();
            break;
    }
    if (!movable_) {
        place_ = window->pos();
    }
}

void CVolWinForm::KeepInPlace() {
    QWidget* window = Widget();
    if (movable_ || !place_ || childForm_ || host_ != nullptr ||
        window->windowState() != Qt::WindowNoState || window->pos() == *place_) {
        return;
    }
    const QPoint place = *place_;
    QMetaObject::invokeMethod(
        window, [window, place] { window->move(place); }, Qt::QueuedConnection);
}

void CVolWinForm::ApplyText(QWidget* window, const QString& text) {
    window->setWindowTitle(text);
    if (host_ != nullptr) {
        host_->setWindowTitle(text);
    }
}

bool CVolWinForm::OnWidgetEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::Close:
            if (host_ == nullptr &&
                (CloseRequestEvent.FireOr(1, this) == 0 || CloseQueryEvent.FireOr(1, this) == 0)) {
                event->ignore();
                return true;
            }
            break;
        case QEvent::Move:
            if (event->spontaneous()) {
                KeepInPlace();
            }
            break;
        case QEvent::WindowActivate:  // what a hosted form, a child of its dialog, is sent
        case QEvent::WindowDeactivate:
        case QEvent::ActivationChange: {
            const bool active = Widget()->isActiveWindow();
            if (active && !activated_) {
                activated_ = true;
                if (!everActivated_) {
                    everActivated_ = true;
                    FirstActivationEvent.Fire(this);
                }
                ActivatedEvent.Fire(this);
                // As the form itself receiving the focus: handed on, unless the program put it
                // somewhere while the window was inactive.
                if (HasWindow() && !TakeWaitingFocus(Widget()->window())) {
                    if (QWidget* target = FocusHandOnTarget(ClientWidget())) {
                        target->setFocus(Qt::ActiveWindowFocusReason);
                    }
                }
            } else if (!active && activated_) {
                activated_ = false;
                DeactivatedEvent.Fire(this);
            }
            break;
        }
        default:
            break;
    }
    return CVolWinContainer::OnWidgetEvent(event);
}

void CVolWinForm::EndModal(int64_t result) {
    if (host_ != nullptr) {
        host_->done(static_cast<int>(result));
    }
}

void CVolWinForm::Close() {
    if (host_ != nullptr) {
        host_->reject();
    } else if (HasWindow()) {
        Widget()->close();
    }
}

int CVolWinForm::ShowMessage(const QString& text, const QString& caption) {
    const QPointer<QWidget> focus = QApplication::focusWidget();
    const int result = MessageService().ShowMessageBox(HasWindow() ? Widget() : nullptr, text,
                                                       caption, MessageIcon::None);
    GiveFocusBack(focus);
    return result;
}

bool CVolWinForm::AskInput(const QString& prompt, const QString& title, const QString& initialText,
                           int mode, QString& result) {
    return InputService().AskInput(HasWindow() ? Widget() : nullptr, prompt, title, initialText,
                                   mode, result);
}

void CVolWinForm::TrackPopupMenu(CRefVolMenu& menu, int index, const QPoint& screenPos) {
    CRefVolMenu::Sink sink;
    sink.command = [this](int32_t id) { PostCommand(id); };
    QMenu* popup = menu.CreatePopupMenu(index, Widget(), sink);
    if (popup == nullptr) {
        return;
    }
    popup->exec(screenPos);
    delete popup;
}

int CVolWinForm::DeliverCommand(int32_t commandId) {
    return CommandEvent.Fire(this, commandId);
}

void CVolWinForm::PostCommand(int32_t commandId) {
    if (!HasWindow()) {
        return;
    }
    QMetaObject::invokeMethod(
        Widget(), [this, commandId] { DeliverCommand(commandId); }, Qt::QueuedConnection);
}

bool CVolWinForm::QueryEndSession() {
    return CloseQueryEvent.FireOr(1, this) != 0;
}

void CVolWinForm::ShowTrayIcon(const QIcon& icon, const QString& tip) {
    if (!HasWindow()) {
        return;
    }
    QSystemTrayIcon* tray = TrayIcon();
    if (tray == nullptr) {
        tray = new QSystemTrayIcon(Widget());
        tray->setObjectName(QStringLiteral("trayIcon100"));
        QObject::connect(tray, &QSystemTrayIcon::activated, tray,
                         [this](QSystemTrayIcon::ActivationReason reason) {
                             switch (reason) {
                                 case QSystemTrayIcon::Trigger:
                                     RelayMouse(1);
                                     break;
                                 case QSystemTrayIcon::DoubleClick:
                                     RelayMouse(2);
                                     break;
                                 case QSystemTrayIcon::Context:
                                     RelayMouse(3);
                                     break;
                                 default:
                                     break;
                             }
                         });
    }
    tray->setIcon(icon);
    tray->setToolTip(tip);
    tray->show();
}

QSystemTrayIcon* CVolWinForm::TrayIcon() const {
    return HasWindow() ? Widget()->findChild<QSystemTrayIcon*>(QStringLiteral("trayIcon100"),
                                                               Qt::FindDirectChildrenOnly)
                       : nullptr;
}

void CVolWinForm::RelayMouse(int kind) {
    if (HasWindow()) {
        QMetaObject::invokeMethod(
            Widget(), [this, kind] { MouseRelayEvent.Fire(this, kind); }, Qt::QueuedConnection);
    }
}

bool CVolWinForm::ToggleMenuBarKeyboard() {
    QMenuBar* bar = MenuBar();
    if (bar == nullptr || !bar->isVisible()) {
        return false;
    }
    // The bar's own keyboard mode, which a lone Alt toggles: the same press and release, once
    // the F10 that asked has been dealt with. As the window system sends them, each carries the
    // modifiers from before it: none on the press, Alt on the release.
    QMetaObject::invokeMethod(
        bar,
        [bar] {
            QWidget* window = bar->window();
            QKeyEvent press(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
            QCoreApplication::sendEvent(window, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier);
            QCoreApplication::sendEvent(window, &release);
        },
        Qt::QueuedConnection);
    return true;
}

int CVolWinForm::FormPreTranslateHook(QObject*, QEvent*) {
    return 1;
}

bool CVolWinForm::PreTranslate(QObject* receiver, QEvent* event) {
    if (!HasWindow()) {
        return false;
    }
    if (FormPreTranslateHook(receiver, event) == 0 || !HasWindow()) {
        return true;
    }
    auto* target = qobject_cast<QWidget*>(receiver);
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (target != nullptr && !target->isEnabled()) {
            return false;
        }
        if (HasProperty(target, kWantsAllKeysProperty)) {
            return false;
        }
        if (key->key() == Qt::Key_Escape && WithoutModifiers(key)) {
            if (host_ != nullptr) {
                EndModal(-1);
                return true;
            }
            if (closeOnEscape_) {
                QMetaObject::invokeMethod(Widget(), &QWidget::close, Qt::QueuedConnection);
                return true;
            }
            return false;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            WithoutModifiers(key) && defaultButtonId_ != 0) {
            auto* button = qobject_cast<QAbstractButton*>(FindChildWindow(defaultButtonId_));
            if (button != nullptr && button->isVisible() && button->isEnabled()) {
                button->click();
            }
            return true;
        }
        if (key->key() == Qt::Key_F1 && WithoutModifiers(key)) {
            return OpenFormHelp(helpFile_, helpContext_);  // handled only when the file is there
        }
        if (key->key() == Qt::Key_F10 && WithoutModifiers(key)) {
            return ToggleMenuBarKeyboard();
        }
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress && movableByClientArea_) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            (target == Widget() || target == ClientWidget() ||
             HasProperty(target, kMovesFormProperty))) {
            if (QWindow* handle = Widget()->window()->windowHandle()) {
                handle->startSystemMove();
            }
            return true;
        }
    }
    return false;
}
