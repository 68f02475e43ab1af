#include "ui/CVolMFCApp.h"

#include <QAbstractEventDispatcher>
#include <QFile>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QTimer>
#include <QTranslator>
#include <QWindow>

#include "base/CVolException.h"
#include "platform/IconResource.h"
#include "platform/ScreenDpi.h"
#include "ui/CVolUserApp.h"
#include "ui/CVolWinForm.h"
#include "ui/DesignScale.h"
#include "ui/DeskStyle.h"
#include "ui/MessageService.h"
#include "ui/rg_ChuangKouChengXuLei.h"

namespace {

bool TracerAttached() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return false;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("TracerPid:")) {
            return line.mid(10).trimmed() != "0";
        }
    }
    return false;
}

CVolMFCApp::DebuggerProbe debuggerProbe = &TracerAttached;

bool IsInputEvent(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
            return true;
        default:
            return false;
    }
}

// The key and mouse events that walk up to the framework's containers (see notify).
bool IsWalkedInput(QEvent::Type type) {
    return type == QEvent::KeyPress || type == QEvent::ShortcutOverride || IsInputEvent(type);
}

// Events that come out of the window system or the event queue, as opposed to those one
// object sends another on the spot. Input reaching a window is left to the widget Qt hands it
// to, so that each key or click counts once.
bool IsQueuedEvent(const QObject* receiver, const QEvent* event) {
    const QEvent::Type type = event->type();
    if (event->isInputEvent() || type == QEvent::ShortcutOverride) {
        return receiver->isWidgetType() && (event->spontaneous() || IsWalkedInput(type));
    }
    switch (type) {
        case QEvent::Timer:
        case QEvent::MetaCall:  // queued calls: the posted messages of the program
        case QEvent::DeferredDelete:
        case QEvent::UpdateRequest:
        case QEvent::LayoutRequest:
            return true;
        default:
            return event->spontaneous() || (type >= QEvent::User && type <= QEvent::MaxUser);
    }
}

// Painting does not end an idle period.
bool EndsIdle(const QEvent* event) {
    const QEvent::Type type = event->type();
    return type != QEvent::UpdateRequest && type != QEvent::Paint && type != QEvent::Expose;
}

// Qt's own dialogs (the message box's button, the print dialog, page setup, printer properties)
// speak the program's language, Chinese, whatever the desk's locale is. Without Qt's translation
// files they stay English.
void InstallQtTranslations(QCoreApplication* app) {
    auto* translator = new QTranslator(app);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

}  // namespace

CVolMFCApp::CVolMFCApp(int& argc, char** argv) : QApplication(argc, argv) {
    QObject::connect(this, &QGuiApplication::commitDataRequest, this,
                     [this](QSessionManager& manager) {
                         if (manager.allowsInteraction() && !QueryEndSession()) {
                             manager.cancel();
                         }
                     });
    InstallQtTranslations(this);
    setStyle(new DeskStyle);  // the application owns it
    // Every window without an icon of its own (message boxes, Qt's dialogs) shows the program's;
    // the desktop entry names it to Wayland's task switchers.
    setWindowIcon(vantric::IconResource(vantric::kProgramIconId));
    setDesktopFileName(QStringLiteral("vantric"));
}

CVolMFCApp::~CVolMFCApp() {
    delete program_;
}

CVolMFCApp* CVolMFCApp::Instance() {
    return dynamic_cast<CVolMFCApp*>(QCoreApplication::instance());
}

void CVolMFCApp::SetDebuggerProbe(DebuggerProbe probe) {
    debuggerProbe = probe != nullptr ? probe : &TracerAttached;
}

int CVolMFCApp::Run(const ClassDescriptor& startupClass) {
    if (!InitInstance(startupClass)) {
        if (aborted_) {
            // The process ends here: no ExitHook, the program object just goes.
            programObject_ = nullptr;
            delete program_;
            program_ = nullptr;
            return -1;
        }
        delete mainWindow_.data();
        return ExitInstance();
    }
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     this, [this] { RunIdle(); });
    exitCode_ = exec();
    return ExitInstance();
}

bool CVolMFCApp::InitInstance(const ClassDescriptor& startupClass) {
    aborted_ = false;
    exitCode_ = 0;
    SetScaleFactor(ScaleFactorForDpi(vantric::ScreenDpiY()));
    CVolObject* object = startupClass.create ? startupClass.create() : nullptr;
    auto* program = dynamic_cast<CVolUserApp*>(object);
    if (program == nullptr || !object->IsKindOf(CVolUserApp::StaticClass())) {
        delete object;
        aborted_ = true;
        return false;
    }
    program_ = program;
    if (object->IsKindOf(rg_ChuangKouChengXuLei::StaticClass())) {
        programObject_ = dynamic_cast<rg_ChuangKouChengXuLei*>(object);
    }
    const int started = RunStartRoutine(*program_);
    if (aborted_) {
        return false;
    }
    return started != 0 && mainWindow_ != nullptr;
}

int CVolMFCApp::RunStartRoutine(CVolUserApp& program) {
    if (debuggerProbe()) {
        return program.StartRoutine();  // let the debugger see the exception
    }
    QString text;
    try {
        return program.StartRoutine();
    } catch (const CVolException& e) {
        text = QStringLiteral("俘获到异常,代码值为: %1, 描述为: %2")
                   .arg(QString::number(e.Code()), e.Description());
    } catch (...) {
        text = QStringLiteral("程序在运行时抛出了未被管理的异常");
    }
    MessageService().ShowMessageBox(nullptr, text, QStringLiteral("运行时异常"),
                                    MessageIcon::Error);
    aborted_ = true;
    return 0;
}

int CVolMFCApp::ExitInstance() {
    if (programObject_ != nullptr) {
        programObject_->ExitHook();
    }
    programObject_ = nullptr;
    delete program_;
    program_ = nullptr;
    return exitCode_;
}

void CVolMFCApp::SetMainWindow(QWidget* window) {
    mainWindow_ = window;
    if (window != nullptr) {
        QObject::connect(window, &QObject::destroyed, this, [] { QCoreApplication::quit(); });
    }
}

void CVolMFCApp::SetMainWindow(CVolWinForm& form) {
    SetMainWindow(form.Widget());
}

bool CVolMFCApp::OnIdle(long count) {
    if (programObject_ == nullptr) {
        return false;  // Qt's loop does its own idle work
    }
    if (count == 0) {
        frameworkIdlePending_ = true;
        idlePeriod_.start();
    }
    if (frameworkIdlePending_) {
        frameworkIdlePending_ = false;  // nothing of the framework's own is left to do
        return true;
    }
    if (count == 1) {
        return true;
    }
    return programObject_->IdleHook(idlePeriod_.elapsed()) != 0;
}

void CVolMFCApp::RunIdle() {
    if (!idleContinues_) {
        idleCount_ = 0;
    }
    idleContinues_ = false;
    while (OnIdle(idleCount_++)) {
        if (idleCount_ > 2) {
            // The program wants more idle time: come back once the loop has looked for work.
            idleContinues_ = true;
            QMetaObject::invokeMethod(&idleWaker_, [] {}, Qt::QueuedConnection);
            return;
        }
    }
}

bool CVolMFCApp::PreTranslateQueued(QObject* receiver, QEvent* event) {
    if (!IsQueuedEvent(receiver, event)) {
        return false;
    }
    if (receiver != &idleWaker_ && EndsIdle(event)) {
        idleContinues_ = false;  // new work: the next idle period counts from 0
    }
    // Keys and clicks meet the hook on their walk below (once per key press).
    if (receiver->isWidgetType() && IsWalkedInput(event->type())) {
        return false;
    }
    return programObject_ != nullptr && programObject_->PreTranslateHook(receiver, event) == 0;
}

bool CVolMFCApp::QueryEndSession() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* form = dynamic_cast<CVWnd_WinForm*>(w);
        if (form == nullptr) {
            // A modal form's widget lives inside its host dialog.
            form = w->findChild<CVWnd_WinForm*>(QString(), Qt::FindDirectChildrenOnly);
        }
        auto* control = form != nullptr ? dynamic_cast<CVolWinForm*>(form->Control()) : nullptr;
        if (control != nullptr && !control->QueryEndSession()) {
            return false;
        }
    }
    return true;
}

bool CVolMFCApp::notify(QObject* receiver, QEvent* event) {
    if (receiver != nullptr && PreTranslateQueued(receiver, event)) {
        return true;
    }
    if (receiver != nullptr && receiver->isWidgetType()) {
        const QEvent::Type type = event->type();
        if (type == QEvent::ShortcutOverride) {
            const auto* k = static_cast<QKeyEvent*>(event);
            QKeyEvent press(QEvent::KeyPress, k->key(), k->modifiers(), k->nativeScanCode(),
                            k->nativeVirtualKey(), k->nativeModifiers(), k->text(),
                            k->isAutoRepeat(), k->count());
            const bool handled = PreTranslateMessage(receiver, &press);
            pendingKey_ = {true, k->key(), k->modifiers(), handled};
            if (handled) {
                event->accept();  // an accepted override keeps shortcuts from firing
                return true;
            }
        } else if (type == QEvent::KeyPress) {
            const auto* k = static_cast<QKeyEvent*>(event);
            const PendingKey pending = pendingKey_;
            pendingKey_.valid = false;
            const bool judged =
                pending.valid && pending.key == k->key() && pending.modifiers == k->modifiers();
            if (judged ? pending.handled : PreTranslateMessage(receiver, event)) {
                event->accept();
                return true;
            }
        } else if (IsInputEvent(type)) {
            if (type == QEvent::KeyRelease) {
                pendingKey_.valid = false;
            }
            if (PreTranslateMessage(receiver, event)) {
                event->accept();
                return true;
            }
        }
    }
    return QApplication::notify(receiver, event);
}

bool CVolMFCApp::PreTranslateMessage(QObject* receiver, QEvent* event) {
    if (programObject_ != nullptr && programObject_->PreTranslateHook(receiver, event) == 0) {
        return true;
    }
    QPointer<QWidget> w = static_cast<QWidget*>(receiver);
    while (w) {
        if (auto* container = dynamic_cast<CVWnd_Container*>(w.data())) {
            if (container->Control() != nullptr &&
                container->Control()->PreTranslate(receiver, event)) {
                return true;
            }
        }
        if (!w || w->isWindow()) {
            break;
        }
        w = w->parentWidget();
    }
    return false;
}
