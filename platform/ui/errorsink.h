#pragma once

#include <exception>
#include <functional>
#include <utility>

// The single place where an error that leaves an event handler ends up. The application
// object installs the handler (it shows the default error box); code that runs from a Qt
// signal wraps its body in guarded() so that no exception unwinds through Qt.
namespace errorsink {

using Handler = std::function<void(std::exception_ptr)>;

// Installs the handler; returns the previous one so tests can restore it.
Handler install(Handler handler);

// Hands the error to the installed handler; without one the error is rethrown.
void report(std::exception_ptr error);

template<typename F>
void guarded(F &&fn)
{
    try {
        std::forward<F>(fn)();
    } catch (...) {
        report(std::current_exception());
    }
}

} // namespace errorsink
