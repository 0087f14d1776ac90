// A driver session as the r7 host runs one, in process: a fake platform whose R7.INI holds a
// System Directory and some settings, a driver assembled as the exports assemble theirs, and
// calls answered as `r7 batch` writes them.
#pragma once

#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/assembled_driver.h"
#include "fakes/fake_platform.h"

namespace r7::testing {

inline constexpr std::string_view kR7Section = "R7 for Tessary";

// One line of a batch ("CODE<tab>ARGUMENT") and the line it must answer ("STATUS<tab>RESULT").
struct BatchCall {
  std::string line;
  std::string expected;
};

class R7Session {
 public:
  // `settings` as for Set. `libraries`, when given, binds the record manager in place of the
  // fake platform's own and must outlive the session.
  explicit R7Session(std::string_view system_directory = {}, std::string_view settings = {},
                     platform::DynamicLibraries* libraries = nullptr)
      : platform{fake.profiles, fake.files,     libraries ? *libraries : fake.libraries,
                 fake.locale,   fake.clipboard, fake.message_boxes,
                 fake.debug,    fake.clock,     fake.input,
                 fake.help,     fake.ui} {
    Set(settings);
    if (!system_directory.empty()) Set("System Directory", system_directory);
  }
  ~R7Session() { driver.Cleanup(); }
  R7Session(const R7Session&) = delete;
  R7Session& operator=(const R7Session&) = delete;

  // One R7.INI entry of the driver's section; the first call reads them.
  void Set(std::string_view key, std::string_view value) {
    fake.profiles.Set(kR7Section, key, value);
  }

  // Entries from R7.INI lines ("Key=value\n"); of two equal keys the first is read, as from
  // the file.
  void Set(std::string_view settings) {
    std::vector<std::string> lines;
    std::istringstream text{std::string(settings)};
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
      const std::size_t equals = line->find('=');
      if (equals != std::string::npos) Set(line->substr(0, equals), line->substr(equals + 1));
    }
  }

  // One call of the export: the driver's return value; its result (line end and all) is kept
  // in `result`. The driver must write no more than its 258 bytes. What it posts waits for
  // the test to pump it.
  int Call(int code, const char* argument = "") {
    char buffer[600];
    std::memset(buffer, 'Z', sizeof buffer);
    const int status = driver.Call(code, argument, buffer);
    for (std::size_t i = 258; i < sizeof buffer; ++i) {
      if (buffer[i] != 'Z') ADD_FAILURE() << "code " << code << " wrote past its result";
    }
    result = buffer;
    return status;
  }

  // The result of one call.
  std::string Result(int code, const char* argument = "") {
    Call(code, argument);
    return result;
  }

  // One call per line, "CODE<tab>ARGUMENT" or "cleanup"; one line "STATUS<tab>RESULT" for
  // each, the result's line end dropped and \, tab, CR and LF escaped. After each call the
  // posted messages are handled, as the host's message loop does.
  std::string Batch(std::string_view input) {
    std::istringstream lines{std::string(input)};
    std::string out;
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line == "cleanup") {
        out += std::to_string(driver.Cleanup()) + "\t\n";
        fake.ui.PumpPosted();
        continue;
      }
      const std::size_t tab = line.find('\t');
      const std::string_view code_text = std::string_view(line).substr(0, tab);
      const std::string argument = tab == std::string::npos ? "" : line.substr(tab + 1);
      int code = 0;
      const char* const last = code_text.data() + code_text.size();
      const auto [end, error] = std::from_chars(code_text.data(), last, code);
      if (code_text.empty() || error != std::errc() || end != last) {
        ADD_FAILURE() << "not a command code: " << line;
        continue;
      }
      const int status = Call(code, argument.c_str());
      fake.ui.PumpPosted();
      out += std::to_string(status) + "\t" + Escaped(result) + "\n";
    }
    return out;
  }

  // Runs the calls' lines in one batch and checks each answer against its call's.
  void ExpectCalls(const std::vector<BatchCall>& calls) {
    std::string input;
    for (const BatchCall& call : calls) input += call.line + "\n";
    std::istringstream answers(Batch(input));
    for (const BatchCall& call : calls) {
      std::string answer;
      std::getline(answers, answer);
      EXPECT_EQ(answer, call.expected) << call.line;
    }
  }

  FakePlatform fake;
  platform::Platform platform;
  AssembledDriver driver{platform};
  std::string result;  // of the last call

 private:
  static std::string Escaped(std::string_view text) {
    if (text.size() >= 2 && text.substr(text.size() - 2) == "\r\n") text.remove_suffix(2);
    std::string escaped;
    for (char c : text) {
      const char* named = c == '\\'   ? "\\\\"
                          : c == '\t' ? "\\t"
                          : c == '\r' ? "\\r"
                          : c == '\n' ? "\\n"
                                      : nullptr;
      escaped += named ? std::string(named) : std::string(1, c);
    }
    return escaped;
  }
};

// One fresh session's batch over `input`: what `r7 batch` prints with this R7.INI.
inline std::string R7Batch(std::string_view system_directory, std::string_view settings,
                           std::string_view input) {
  return R7Session(system_directory, settings).Batch(input);
}

// The same, each answer checked against its call's.
inline void ExpectCalls(std::string_view system_directory, std::string_view settings,
                        const std::vector<BatchCall>& calls) {
  R7Session(system_directory, settings).ExpectCalls(calls);
}

}  // namespace r7::testing
