#include "handler_failure.h"

#include <cmath>

namespace orlo {

const char *HandlerAbandoned::what() const noexcept
{
    switch (m_reason) {
    case Reason::NotANumber: return "text is not a number";
    case Reason::DivisionByZero: return "division by zero";
    case Reason::Overflow: return "overflow";
    case Reason::InvalidOperation: return "invalid operation";
    }
    return "handler abandoned";
}

namespace checked {
namespace {

double verified(double result)
{
    if (std::isnan(result))
        throw HandlerAbandoned(HandlerAbandoned::Reason::InvalidOperation);
    if (std::isinf(result))
        throw HandlerAbandoned(HandlerAbandoned::Reason::Overflow);
    return result;
}

} // namespace

double add(double a, double b)
{
    return verified(a + b);
}

double multiply(double a, double b)
{
    return verified(a * b);
}

double divide(double numerator, double denominator)
{
    if (denominator == 0.0)
        throw HandlerAbandoned(numerator == 0.0 || std::isnan(numerator)
                                   ? HandlerAbandoned::Reason::InvalidOperation
                                   : HandlerAbandoned::Reason::DivisionByZero);
    return verified(numerator / denominator);
}

} // namespace checked
} // namespace orlo
