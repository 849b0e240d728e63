#pragma once
// Private to the platform layer: the boundary between Qt and the program.
//
// Qt's widget code is built without exception support, so an exception of
// the program must never unwind through Qt's frames. Wherever Qt calls the
// program (event handlers, signals, timers, posted events) the call runs
// inside FromQt, which keeps an exception instead of letting it out. What
// happens to a kept exception depends on who started the call:
// - Qt's event loop (the user clicked, a timer fired, a posted event
//   arrived): when the event has been dispatched, the application's
//   exception handler shows it (Application_HandleException) and the loop
//   goes on; a failed paint is reported once, after the painting.
// - The program, through a setter that makes Qt emit a signal (SetChecked,
//   SetText ...): the setter calls Rethrow when Qt returns, and the
//   exception goes on to the program's caller as if no Qt frame had been in
//   between.

#include <exception>
#include <utility>

namespace EventGuard {

// Keeps e (the first exception kept wins until it is taken).
void Keep(std::exception_ptr e) noexcept;
// Raises the kept exception, if any (after a call into Qt made by the program).
void Rethrow();

} // namespace EventGuard

// Runs f where Qt called the program; an exception is kept, never let out.
template <class F>
void FromQt(F&& f) noexcept
{
    try {
        std::forward<F>(f)();
    } catch (...) {
        EventGuard::Keep(std::current_exception());
    }
}
