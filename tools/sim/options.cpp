// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/sim/options.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>
#include <system_error>

namespace kurvex::sim {

namespace {

constexpr double kMaxRate = 1'000'000;
// Beyond Kurvex's curves, so its notice about ignored values can be seen.
constexpr unsigned kMaxValues = 100;
constexpr std::size_t kMaxName = 64;
constexpr unsigned kMaxAnswerDelayMs = 60'000;

template <typename Number>
std::optional<Number> ParseNumber(const std::string& text) {
  Number value{};
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(text.data(), last, value);
  if (text.empty() || error != std::errc() || end != last) {
    return std::nullopt;
  }
  return value;
}

std::optional<Wave> ParseWave(const std::string& text) {
  if (text == "sine") return Wave::Sine;
  if (text == "ramp") return Wave::Ramp;
  if (text == "noise") return Wave::Noise;
  if (text == "steps") return Wave::Steps;
  return std::nullopt;
}

std::optional<LineEnd> ParseLineEnd(const std::string& text) {
  if (text == "crlf") return LineEnd::CrLf;
  if (text == "lf") return LineEnd::Lf;
  if (text == "cr") return LineEnd::Cr;
  return std::nullopt;
}

// A name Kurvex reads back as the name: a letter first, then no blank and
// nothing that separates fields or values.
bool UsableName(const std::string& name) {
  return !name.empty() && name.size() <= kMaxName && std::isalpha(static_cast<unsigned char>(name.front())) &&
         name.find_first_of(" \t;,:=") == std::string::npos;
}

std::optional<std::vector<std::string>> ParseNames(const std::string& text) {
  std::vector<std::string> names;
  for (std::size_t at = 0;;) {
    const std::size_t comma = text.find(',', at);
    names.push_back(text.substr(at, comma - at));
    if (!UsableName(names.back())) return std::nullopt;
    if (comma == std::string::npos) return names;
    at = comma + 1;
  }
}

}  // namespace

ParseResult ParseOptions(const std::vector<std::string>& args) {
  Options options;
  bool givenValues = false;
  bool givenDelay = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> inlineValue;
    if (const std::size_t eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
      inlineValue = name.substr(eq + 1);
      name.resize(eq);
    }
    if (name == "--help" || name == "-h") {
      options.Help = true;
      continue;
    }
    if (name == "--answer") {
      if (inlineValue) return "--answer takes no value";
      options.Answer = true;
      continue;
    }
    if (name == "--lf-only") {
      if (inlineValue) return "--lf-only takes no value";
      options.End = LineEnd::Lf;
      continue;
    }
    if (name != "--port" && name != "--rate" && name != "--count" && name != "--wave" &&
        name != "--bad-lines" && name != "--line-end" && name != "--values" && name != "--names" &&
        name != "--answer-delay") {
      return "unknown option " + name;
    }
    if (!inlineValue && i + 1 >= args.size()) {
      return name + " needs a value";
    }
    const std::string value = inlineValue ? *inlineValue : args[++i];
    if (name == "--port") {
      const auto port = ParseNumber<unsigned>(value);
      if (!port || *port > 0xFFFF) return "--port wants a number from 0 to 65535, not " + value;
      options.Port = *port;
    } else if (name == "--rate") {
      const auto rate = ParseNumber<double>(value);
      if (!rate || !std::isfinite(*rate) || *rate <= 0 || *rate > kMaxRate) {
        return "--rate wants lines per second above 0 and at most 1000000, not " + value;
      }
      options.Rate = *rate;
    } else if (name == "--count") {
      const auto count = ParseNumber<std::uint64_t>(value);
      if (!count || *count == 0) return "--count wants a positive number, not " + value;
      options.Count = *count;
    } else if (name == "--wave") {
      const auto wave = ParseWave(value);
      if (!wave) return "--wave wants sine, ramp, noise or steps, not " + value;
      options.Shape = *wave;
    } else if (name == "--line-end") {
      const auto end = ParseLineEnd(value);
      if (!end) return "--line-end wants crlf, lf or cr, not " + value;
      options.End = *end;
    } else if (name == "--values") {
      const auto count = ParseNumber<unsigned>(value);
      if (!count || *count == 0 || *count > kMaxValues) return "--values wants a number from 1 to 100, not " + value;
      options.Values = *count;
      givenValues = true;
    } else if (name == "--answer-delay") {
      const auto delay = ParseNumber<unsigned>(value);
      if (!delay || *delay > kMaxAnswerDelayMs) return "--answer-delay wants milliseconds from 0 to 60000, not " + value;
      options.AnswerDelayMs = *delay;
      givenDelay = true;
    } else if (name == "--names") {
      const auto names = ParseNames(value);
      if (!names || names->size() > kMaxValues)
        return "--names wants up to 100 names separated by commas, each a letter first and without blanks, "
               "\";\", \",\", \":\" or \"=\", not " + value;
      options.Names = *names;
    } else {
      const auto every = ParseNumber<std::uint64_t>(value);
      if (!every || *every == 0) return "--bad-lines wants a positive number, not " + value;
      options.BadLines = *every;
    }
  }
  if (givenDelay && !options.Answer) return "--answer-delay needs --answer";
  if (!options.Names.empty()) {
    if (givenValues && options.Values != options.Names.size())
      return "--names gives " + std::to_string(options.Names.size()) + " names for " + std::to_string(options.Values) +
             " values";
    options.Values = static_cast<unsigned>(options.Names.size());
  }
  return options;
}

std::string Usage() {
  return "Usage: kurvex-sim [options]\n"
         "Streams numbers line by line on a pseudo-terminal linked as COM<n> in the\n"
         "Kurvex port folder ($XDG_CONFIG_HOME/kurvex/ports, else ~/.config/kurvex/ports)\n"
         "until stopped (Ctrl+C) or until --count lines are sent; the link is removed\n"
         "at the end. With --answer it answers queries instead: MEAS? or READ? gets\n"
         "one line of values, *IDN? the identity, anything else ERR: unknown command.\n"
         "\n"
         "  --port N        link the pty as COM<N> (default 5)\n"
         "  --rate R        lines per second (default 2000)\n"
         "  --wave W        sine, ramp, noise or steps (default sine); values lie in 0..10\n"
         "  --count N       stop after N lines\n"
         "  --values N      values per line, 1 to 100 (default 1), as 1.500;2.500\n"
         "  --names A,B     name the values, as A:1.500;B:2.500 (their count is the\n"
         "                  number of values)\n"
         "  --line-end E    crlf, lf or cr (default crlf)\n"
         "  --lf-only       the same as --line-end lf\n"
         "  --bad-lines N   make every N-th line not a number\n"
         "  --answer        answer queries (lines ended by CR, LF or CR LF) instead\n"
         "                  of streaming; --rate and --count do not apply\n"
         "  --answer-delay MS  take MS milliseconds for each answer (default 0)\n"
         "  -h, --help      show this text\n";
}

}  // namespace kurvex::sim
