// A driver session as the r7 host runs one, in process: a fake platform whose R7.INI holds a
// System Directory and some settings, a driver assembled as the exports assemble theirs, and
// calls answered as `r7 batch` writes them.
#pragma once

#include <gtest/gtest.h>

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
                 fake.help,     fake.programs,  fake.ui} {
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

  // One call from a batch line "CODE<tab>ARGUMENT", then the posted messages handled, as the
  // host's message loop does; the answer as the batch writes it, "STATUS<tab>RESULT" without
  // the result's line end.
  std::string Answer(const std::string& line) {
    const std::size_t tab = line.find('\t');
    const int status = Call(std::stoi(line.substr(0, tab)),
                            tab == std::string::npos ? "" : line.c_str() + tab + 1);
    fake.ui.PumpPosted();
    std::string_view text = result;
    if (text.size() >= 2 && text.substr(text.size() - 2) == "\r\n") text.remove_suffix(2);
    return std::to_string(status) + "\t" + std::string(text);
  }

  // Each call answered in turn, as one batch, and checked against its expected answer.
  void ExpectCalls(const std::vector<BatchCall>& calls) {
    for (const BatchCall& call : calls) EXPECT_EQ(Answer(call.line), call.expected) << call.line;
  }

  FakePlatform fake;
  platform::Platform platform;
  AssembledDriver driver{platform};
  std::string result;  // of the last call
};

// One fresh session with this R7.INI, each call answered and checked in turn.
inline void ExpectCalls(std::string_view system_directory, std::string_view settings,
                        const std::vector<BatchCall>& calls) {
  R7Session(system_directory, settings).ExpectCalls(calls);
}

}  // namespace r7::testing
