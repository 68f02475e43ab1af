// What a person does on the X display the desktop tests run on: xdotool's real pointer and key
// events, sent to where a widget is on the screen.
#pragma once

#include <QProcess>
#include <QTest>
#include <QWidget>
#include <cstdlib>

namespace xdesk {

inline bool Xdotool(const QStringList& args) {
    const bool ok = QProcess::execute(QStringLiteral("xdotool"), args) == 0;
    QTest::qWait(60);  // let the X events arrive
    return ok;
}

// Shows `w`'s window and gives it the focus, as a window manager would on a click.
inline bool Activate(QWidget* w) {
    if (!QTest::qWaitForWindowExposed(w)) {
        return false;
    }
    w->activateWindow();  // no window manager does it on this display
    return QTest::qWaitForWindowActive(w);
}

inline QStringList At(const QWidget* w, const QPoint& local) {
    const QPoint g = w->mapToGlobal(local);
    return {"mousemove", "--sync", QString::number(g.x()), QString::number(g.y())};
}

inline bool Click(const QWidget* w, const QPoint& local, int button = 1) {
    return Xdotool(At(w, local) << "click" << QString::number(button));
}

// Turns the mouse wheel over `local` of `w`, `notches` steps down (up when negative). The move
// does not wait for the pointer, which never reports a move to where it already is.
inline bool Wheel(const QWidget* w, const QPoint& local, int notches) {
    const QPoint g = w->mapToGlobal(local);
    return Xdotool({"mousemove", QString::number(g.x()), QString::number(g.y()), "click",
                    "--repeat", QString::number(std::abs(notches)), notches > 0 ? "5" : "4"});
}

inline bool DoubleClick(const QWidget* w, const QPoint& local) {
    return Xdotool(At(w, local) << "click" << "--repeat" << "2" << "--delay" << "40" << "1");
}

inline bool Key(const QString& name) {
    return Xdotool({"key", "--clearmodifiers", name});
}

inline bool Type(const QString& text) {
    return Xdotool({"type", "--delay", "20", text});
}

inline bool MoveWindow(const QWidget* w, int x, int y) {
    return Xdotool({"windowmove", QString::number(w->winId()), QString::number(x),
                    QString::number(y)});
}

}  // namespace xdesk
