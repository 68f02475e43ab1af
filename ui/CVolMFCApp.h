// The application object: the QApplication of a framework program.
//
// Run() starts the program the way the framework always does: InitInstance fixes
// ScaleFactor() from the screen's logical DPI, creates the program object from the start-up
// class's descriptor and runs its start routine under the exception guard; the event loop runs
// while the main window lives; ExitInstance calls the program's ExitHook and releases it.
// Every event the window system or the event queue delivers (input, window-system events,
// timers, queued calls) passes notify(), which offers it to the program object's
// PreTranslateHook; key and mouse events then walk up from the receiving widget to its window,
// letting each framework container (and so each form's keyboard rules) handle it. Such an event
// also ends the current idle period, so idle counting starts again at 0. Its widgets take the
// desk's style (DeskStyle.h).
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include "base/ClassDescriptor.h"

class CVolUserApp;
class CVolWinForm;
class rg_ChuangKouChengXuLei;

class CVolMFCApp : public QApplication {
  public:
    CVolMFCApp(int& argc, char** argv);
    ~CVolMFCApp() override;

    // The running application object, or null when the QApplication is another kind.
    static CVolMFCApp* Instance();

    // Start-up, event loop, shut-down; returns the process exit code. -1 without running the
    // loop or ExitInstance when the start-up class is no CVolUserApp or its start routine threw.
    int Run(const ClassDescriptor& startupClass);
    // False when the event loop must not run; Aborted() tells whether ExitInstance is skipped.
    bool InitInstance(const ClassDescriptor& startupClass);
    bool Aborted() const { return aborted_; }
    int ExitInstance();
    // One idle step: `count` steps have run since the loop last had work; true asks for more.
    // Counts 0 and 1 are the framework's; the program's IdleHook is asked from count 2 on.
    bool OnIdle(long count);

    // Set once the program object is known to be a window program.
    rg_ChuangKouChengXuLei* ProgramObject() const { return programObject_; }

    // The window whose end ends the event loop; start routines set it.
    void SetMainWindow(QWidget* window);
    void SetMainWindow(CVolWinForm& form);
    QWidget* MainWindow() const { return mainWindow_; }

    // Whether a debugger watches the process (start routine exceptions then go unguarded).
    using DebuggerProbe = bool (*)();
    static void SetDebuggerProbe(DebuggerProbe probe);  // null restores the real probe

    bool notify(QObject* receiver, QEvent* event) override;

    // Asks every open form whether the session may end (the forms' close-query events); false
    // when one refuses. Run when the session manager asks.
    bool QueryEndSession();

  private:
    bool PreTranslateMessage(QObject* receiver, QEvent* event);
    int RunStartRoutine(CVolUserApp& program);
    void RunIdle();
    bool PreTranslateQueued(QObject* receiver, QEvent* event);

    CVolUserApp* program_ = nullptr;
    rg_ChuangKouChengXuLei* programObject_ = nullptr;
    QPointer<QWidget> mainWindow_;
    bool aborted_ = false;
    int exitCode_ = 0;

    bool frameworkIdlePending_ = false;
    QElapsedTimer idlePeriod_;
    long idleCount_ = 0;
    bool idleContinues_ = false;
    QObject idleWaker_;  // receives the wake-ups of a program that asked for more idle calls

    // Qt offers a key press first as a shortcut override; the verdict reached then stands for
    // the key press that follows, so each press is judged once.
    struct PendingKey {
        bool valid = false;
        int key = 0;
        Qt::KeyboardModifiers modifiers;
        bool handled = false;
    } pendingKey_;
};
