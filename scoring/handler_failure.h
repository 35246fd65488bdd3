#pragma once

#include <exception>
#include <utility>

namespace orlo {

// Thrown when a handler cannot go on: a text that is not a number where one is
// required, a division by zero, or a result beyond the range of a double.
// The steps a handler completed before the throw stay done.
class HandlerAbandoned : public std::exception {
public:
    enum class Reason { NotANumber, DivisionByZero, Overflow, InvalidOperation };

    explicit HandlerAbandoned(Reason reason) noexcept : m_reason(reason) {}
    Reason reason() const noexcept { return m_reason; }
    const char *what() const noexcept override;

private:
    Reason m_reason;
};

// The one place where an abandoned handler is absorbed: every event is
// delivered through here, so a failure ends that handler and nothing else.
// Returns whether the handler ran to its end.
template <typename Handler>
bool runHandler(Handler &&handler)
{
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (const HandlerAbandoned &) {
        return false;
    }
}

// Double arithmetic that refuses to produce infinities or NaNs: C++ doubles
// do not trap, so every operation that could leave the double range is checked.
namespace checked {
double add(double a, double b);
double multiply(double a, double b);
double divide(double numerator, double denominator);
} // namespace checked

} // namespace orlo
