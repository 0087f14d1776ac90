// A driver session worked by a person at its dialogs, in process: the headless desktop and
// its user, R7.INI in memory (so that a test can make its writes fail), the real file
// system, and lines answered exactly as `r7 batch` answers them (calls, dialog lines, the
// boxes and file dialogs that showed).
#pragma once

#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/r7/batch_runner.h"
#include "fakes/assembled_driver.h"
#include "fakes/fake_platform.h"
#include "fakes/r7_session.h"
#include "platform/posix/headless_actions.h"

namespace r7::testing {

class UserSession {
 public:
  // R7.INI lines as R7Session takes them, with the System Directory given.
  UserSession(std::string_view system_directory, std::string_view settings) {
    std::istringstream lines{std::string(settings)};
    for (std::string line; std::getline(lines, line);) {
      const std::size_t equals = line.find('=');
      if (equals != std::string::npos) {
        profiles.Set(kR7Section, line.substr(0, equals), line.substr(equals + 1));
      }
    }
    profiles.Set(kR7Section, "System Directory", system_directory);
    driver.AttachLibrary();  // as loading the library does
  }
  ~UserSession() { driver.Cleanup(); }
  UserSession(const UserSession&) = delete;
  UserSession& operator=(const UserSession&) = delete;

  // The output of the batch `lines`, line for line as r7 writes it.
  std::string Run(const std::string& lines) {
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = ::open_memstream(&text, &size);
    std::istringstream in(lines);
    cli::DriverEntryPoints entry_points{
        [this](int code, const std::string& argument) -> std::optional<cli::CallResult> {
          char result[600] = {};
          const int status = driver.Call(code, argument.c_str(), result);
          return cli::CallResult{status, result};
        },
        [this] { return driver.Cleanup(); }};
    cli::RunBatch(in, out, entry_points, actions, "r7");
    std::fclose(out);
    std::string output(text, size);
    std::free(text);
    return output;
  }

  // The value R7.INI holds for `key`, or "(none)".
  std::string Ini(std::string_view key) const {
    return profiles.Get(kR7Section, key).value_or("(none)");
  }

  MemoryProfileStore profiles;
  platform::posix::PosixFileSystem files;
  platform::posix::PosixDynamicLibraries libraries;
  FixedClock clock;
  platform::posix::HeadlessDesktop desktop;
  platform::Platform platform{
      profiles,      files, libraries,     desktop.locale, desktop.clipboard, desktop.message_boxes,
      desktop.debug, clock, desktop.input, desktop.help,   desktop.programs,  desktop.ui};
  AssembledDriver driver{platform};
  platform::posix::HeadlessUserActions actions{desktop};
};

}  // namespace r7::testing
