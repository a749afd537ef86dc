#include "play/command_line.h"

#include <algorithm>
#include <cstdio>

namespace mojara::cli {

std::int64_t millis(const std::string& option, const std::string& text, double low, double high) {
  const auto v = parseMillis(text, low, high);
  if (!v) {
    char range[64];
    std::snprintf(range, sizeof range, "from %g to %g", low, high);
    throw UsageError(option + " needs a number of milliseconds " + range + ", not " + quote(text));
  }
  return *v;
}

std::int32_t rosterSlot(const std::string& which, const std::string& text) {
  const auto v = parseInteger<std::int32_t>(text);
  if (!v || *v < 0 || *v > 7)
    throw UsageError(which + " must be a roster slot from 0 to 7, not " + quote(text));
  return *v;
}

void addVersion(CLI::App& app, const std::string& text) {
  app.set_version_flag("--version", text, "Show the version and exit");
  for (CLI::App* sub : app.get_subcommands({})) addVersion(*sub, text);
}

namespace {

// Arguments CLI11 left over, in the program and its chosen subcommands.
void refuseExtras(const CLI::App& app) {
  for (const std::string& extra : app.remaining(false)) {
    if (extra.size() > 1 && extra[0] == '-') throw UsageError("unknown option " + shortened(extra));
    throw UsageError("unexpected argument " + quote(extra));
  }
  for (const CLI::App* sub : app.get_subcommands()) refuseExtras(*sub);
}

void allowExtras(CLI::App& app) {
  app.allow_extras();
  for (CLI::App* sub : app.get_subcommands({})) allowExtras(*sub);
}

}  // namespace

void parseOrThrow(CLI::App& app, std::vector<std::string> args) {
  allowExtras(app);                        // left-overs are refused with our own message, below
  std::reverse(args.begin(), args.end());  // CLI11 reads a vector from its back
  try {
    app.parse(args);
  } catch (const CLI::Success&) {
    throw;
  } catch (const CLI::ParseError& e) {
    throw UsageError(e.what());
  }
  refuseExtras(app);
}

std::optional<int> parse(CLI::App& app, std::vector<std::string> args, std::ostream& out, std::ostream& err) {
  const std::string program = app.get_name();
  try {
    parseOrThrow(app, std::move(args));
    return std::nullopt;
  } catch (const CLI::Success& e) {
    app.exit(e, out, err);
    return 0;
  } catch (const UsageError& e) {
    err << program << ": " << e.what() << "\n(" << program << " --help shows the usage)\n";
  } catch (const InputError& e) {
    err << program << ": " << e.what() << "\n";
  }
  return 2;
}

}  // namespace mojara::cli
