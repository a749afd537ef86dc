// The command lines of every program, read one way: CLI11, with strict readers of our own for the
// values, so that a bad argument is refused with a message naming it.
#pragma once

#include <CLI/CLI.hpp>
#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "play/options/cli_numbers.h"
#include "play/input/input_file.h"

namespace mojara::cli {

// A bad argument: the message names it.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// An option with one value, handed to `read` as text (`read` throws UsageError when it is bad).
// Given without a value, or twice, it is an error naming it.
template <class Read>
CLI::Option* addValue(CLI::App& app, const std::string& name, const std::string& valueName,
                      const std::string& help, Read read) {
  return app
      .add_option_function<std::string>(
          name,
          [name, read](const std::string& text) {
            if (text.empty()) throw UsageError(name + " needs a value");
            read(text);
          },
          help)
      ->expected(0, 1)
      ->type_name(valueName);
}

// A whole number from `low` to `high`, or UsageError "OPTION needs a whole number from LOW to HIGH".
template <class T>
T wholeNumber(const std::string& option, const std::string& text, T low, T high) {
  const auto v = parseInteger<T>(text);
  if (!v || *v < low || *v > high)
    throw UsageError(option + " needs a whole number from " + std::to_string(low) + " to " +
                     std::to_string(high) + ", not " + quote(text));
  return *v;
}

// "A,B", both whole numbers from `low` to `high`.
template <class T>
std::array<T, 2> wholeNumberPair(const std::string& option, const std::string& text, T low, T high) {
  const auto comma = text.find(',');
  std::optional<T> a, b;
  if (comma != std::string::npos) {
    a = parseInteger<T>(std::string_view(text).substr(0, comma));
    b = parseInteger<T>(std::string_view(text).substr(comma + 1));
  }
  if (!a || !b || *a < low || *a > high || *b < low || *b > high)
    throw UsageError(option + " needs two whole numbers A,B from " + std::to_string(low) + " to " +
                     std::to_string(high) + ", not " + quote(text));
  return {*a, *b};
}

// Milliseconds from `low` to `high`, as nanoseconds.
std::int64_t millis(const std::string& option, const std::string& text, double low, double high);

// A roster slot 0..7 given as `which` (P0, P1, ...).
std::int32_t rosterSlot(const std::string& which, const std::string& text);

// Adds --version, printing `text`, to the program and each of its subcommands.
void addVersion(CLI::App& app, const std::string& text);

// Reads `args` (without the program name); a bad argument or one left over, or a flag given a
// value (--demo=0), throws UsageError, and --help or --version throw CLI::Success. "--" ends the
// options: every argument after it is an operand, for the positional arguments.
void parseOrThrow(CLI::App& app, std::vector<std::string> args);

// Reads `args` (without the program name). Returns the exit status when the program is to stop
// at once: 0 after --help or --version (printed to `out`; 1 when `out` cannot take them), 2 after a
// bad argument (a message on `err`, then where the usage is). Arguments left over are bad arguments.
std::optional<int> parse(CLI::App& app, std::vector<std::string> args, std::ostream& out, std::ostream& err);

}  // namespace mojara::cli
