// What every fuzz target shares. A target is one function, LLVMFuzzerTestOneInput, that hands its
// input to one of the game's readers and checks a property of what comes back; libFuzzer calls it
// with mutated inputs (the fuzz build), seed_runner.cpp with the committed seeds (every build).
// A target keeps nothing from one input to the next, so an input always does the same.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace mojara::fuzz {

inline std::string_view textOf(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Stops the run when a property does not hold: libFuzzer keeps the input that broke it.
inline void require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

// Whether an error message names a line of the input: "line N: ..." with N from 1 to `lines`.
inline bool namesALine(std::string_view message, std::size_t lines) {
  if (!message.starts_with("line ")) return false;
  message.remove_prefix(5);
  std::size_t n = 0, digits = 0;
  for (; digits < message.size() && message[digits] >= '0' && message[digits] <= '9'; ++digits)
    n = n * 10 + static_cast<std::size_t>(message[digits] - '0');
  return digits > 0 && digits < 10 && n >= 1 && n <= lines && message.substr(digits).starts_with(": ");
}

}  // namespace mojara::fuzz
