// Decimal numbers read and written as text, with the same results on every platform: through the
// standard library's charconv where it has the floating-point forms, and otherwise through the C
// library's exact conversions held to charconv's syntax (the browser build's library has only the
// integer forms).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mojara {

// The whole text as a number in fixed notation ("12", "-0.5", "3.", ".25", "inf", "nan"): no sign
// "+", no exponent, no space; nothing when the text is anything else or out of range.
std::optional<double> parseFixed(std::string_view text);
// `v` with `decimals` digits after the point, as printf's "%.*f" writes it in the C locale.
std::string fixedText(double v, int decimals);

// The C library's way, which parseFixed and fixedText take where charconv lacks them; kept
// callable everywhere so that the two can be checked against each other.
std::optional<double> parseFixedPortable(std::string_view text);
std::string fixedTextPortable(double v, int decimals);

}  // namespace mojara
