// Event bindings: how a control's event reaches the handler a form bound to it.
//
// A binding holds a fired flag, the handler and a shared pointer to the handler's target (the
// form). The target pointer is shared by all bindings into one form; the form clears it when it
// goes, so no handler runs on a destroyed form. While one handler of a target runs, any other
// firing for the same target is skipped instead of entering the form again (a nested firing
// would see the form half-way through its handler). Commands that must reach a busy form, such
// as the choice made in a context menu its handler opened, are posted instead (see
// CVolWinForm::PostCommand).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

class CVolObject;
class CVolWinControl;

class CVolEventObjectPointer {
  public:
    explicit CVolEventObjectPointer(CVolObject* target) : target_(target) {}
    CVolObject* Target() const { return target_; }
    void Clear() { target_ = nullptr; }
    // True while one of the target's handlers runs.
    bool Busy() const { return calls_ > 0; }

  private:
    template <typename...>
    friend class EventBinding;
    CVolObject* target_;
    int calls_ = 0;
};
using EventTarget = std::shared_ptr<CVolEventObjectPointer>;

// An event whose handler takes the sender and Args; events that ask a question use the int
// answer, the others ignore it.
template <typename... Args>
class EventBinding {
  public:
    using Handler = std::function<int(CVolWinControl* sender, Args... args)>;

    // `handler` may take (sender, args...), (args...) or nothing, and return int or void.
    template <typename F>
    void Bind(EventTarget target, F&& handler) {
        target_ = std::move(target);
        handler_ = Adapt(std::forward<F>(handler));
    }
    void Unbind() {
        target_.reset();
        handler_ = nullptr;
    }
    bool IsBound() const { return target_ != nullptr && handler_ != nullptr; }

    // Set each time the event fires, bound or not.
    bool Fired() const { return fired_; }
    void ResetFired() { fired_ = false; }

    int Fire(CVolWinControl* sender, Args... args) { return FireOr(0, sender, args...); }

    // `defaultAnswer` when nothing was called: no handler, target gone, or target busy.
    int FireOr(int defaultAnswer, CVolWinControl* sender, Args... args) {
        fired_ = true;
        const EventTarget target = target_;  // keeps the pointer alive through the call
        const Handler handler = handler_;    // a handler may rebind its own event
        if (!target || !handler || target->target_ == nullptr || target->calls_ > 0) {
            return defaultAnswer;
        }
        struct Entry {
            CVolEventObjectPointer& p;
            explicit Entry(CVolEventObjectPointer& pointer) : p(pointer) { ++p.calls_; }
            ~Entry() { --p.calls_; }
        } entry(*target);
        return handler(sender, args...);
    }

  private:
    template <typename F>
    static Handler Adapt(F&& f) {
        if constexpr (std::is_invocable_v<F, CVolWinControl*, Args...>) {
            return [f = std::forward<F>(f)](CVolWinControl* s, Args... a) mutable {
                if constexpr (std::is_void_v<std::invoke_result_t<F, CVolWinControl*, Args...>>) {
                    f(s, a...);
                    return 0;
                } else {
                    return static_cast<int>(f(s, a...));
                }
            };
        } else if constexpr (std::is_invocable_v<F, Args...>) {
            return [f = std::forward<F>(f)](CVolWinControl*, Args... a) mutable {
                if constexpr (std::is_void_v<std::invoke_result_t<F, Args...>>) {
                    f(a...);
                    return 0;
                } else {
                    return static_cast<int>(f(a...));
                }
            };
        } else {
            static_assert(std::is_invocable_v<F>,
                          "handler takes (sender, args...), (args...) or ()");
            return [f = std::forward<F>(f)](CVolWinControl*, Args...) mutable {
                if constexpr (std::is_void_v<std::invoke_result_t<F>>) {
                    f();
                    return 0;
                } else {
                    return static_cast<int>(f());
                }
            };
        }
    }

    bool fired_ = false;
    Handler handler_;
    EventTarget target_;
};
