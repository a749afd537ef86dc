#include "play/options/command_line.h"

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

// A flag (--demo, --trace, --help ...) is on by being there: "--demo=0" would read as on or off
// depending on the value, so a flag given a value is refused. The arguments are walked as the
// parse walks them, a subcommand's name bringing in its own options.
void refuseFlagValues(const CLI::App& app, const std::vector<std::string>& args) {
  const CLI::App* at = &app;
  for (const std::string& arg : args) {
    if (!arg.starts_with('-')) {
      for (const CLI::App* sub : at->get_subcommands([](const CLI::App*) { return true; }))
        if (sub->get_name() == arg) at = sub;
      continue;
    }
    // --name=value, or -c=value for a one-letter name.
    const auto equals = arg.find('=');
    if (equals == std::string::npos || (!arg.starts_with("--") && equals != 2)) continue;
    const std::string name = arg.substr(0, equals);
    const CLI::Option* option = at->get_option_no_throw(name);
    if (option && option->get_items_expected_max() == 0)
      throw UsageError(name + " takes no value, not " + quote(arg));
  }
}

// The arguments after "--" are operands, never options: they go to the positional arguments of
// the program or of its chosen subcommand, in order, and any left over are unexpected.
void takeOperands(CLI::App& app, const std::vector<std::string>& operands) {
  CLI::App* at = &app;
  while (!at->get_subcommands().empty()) at = at->get_subcommands().front();
  std::vector<CLI::Option*> filled;
  for (const std::string& operand : operands) {
    CLI::Option* into = nullptr;
    for (CLI::Option* positional : at->get_options([](const CLI::Option* o) { return o->get_positional(); }))
      if (static_cast<int>(positional->count()) < positional->get_items_expected_max()) {
        into = positional;
        break;
      }
    if (!into) throw UsageError("unexpected argument " + quote(operand));
    into->add_result(operand);
    if (std::find(filled.begin(), filled.end(), into) == filled.end()) filled.push_back(into);
  }
  for (CLI::Option* positional : filled) positional->run_callback();
}

}  // namespace

void parseOrThrow(CLI::App& app, std::vector<std::string> args) {
  allowExtras(app);  // left-overs are refused with our own message, below
  // "--" ends the options, as everywhere: what follows is operands.
  const auto mark = std::find(args.begin(), args.end(), "--");
  const std::vector<std::string> operands(mark == args.end() ? mark : mark + 1, args.end());
  args.erase(mark, args.end());
  try {
    refuseFlagValues(app, args);
    std::reverse(args.begin(), args.end());  // CLI11 reads a vector from its back
    app.parse(args);
    refuseExtras(app);
    takeOperands(app, operands);
  } catch (const CLI::Success&) {
    throw;
  } catch (const CLI::ParseError& e) {
    throw UsageError(e.what());
  }
}

std::optional<int> parse(CLI::App& app, std::vector<std::string> args, std::ostream& out, std::ostream& err) {
  const std::string program = app.get_name();
  try {
    parseOrThrow(app, std::move(args));
    return std::nullopt;
  } catch (const CLI::Success& e) {
    app.exit(e, out, err);
    // The usage or version that could not be written (a full disk, a closed output) is a failure.
    out.flush();
    if (!out) {
      err << program << ": cannot write to standard output\n";
      return 1;
    }
    return 0;
  } catch (const UsageError& e) {
    err << program << ": " << e.what() << "\n(" << program << " --help shows the usage)\n";
  } catch (const InputError& e) {
    err << program << ": " << e.what() << "\n";
  }
  return 2;
}

}  // namespace mojara::cli
