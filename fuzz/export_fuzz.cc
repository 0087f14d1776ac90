// The export itself, as the add-in calls it: each input is up to eight calls, one per line
// ("CODE<tab>ARGUMENT", as `r7 batch` reads them), made by a fresh driver over a small ledger
// that is built once per process. Every result must be NUL-terminated within its 258 bytes
// and nothing may be written past them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/r7-ledger/company_images.h"
#include "cli/r7-ledger/ledger_writer.h"
#include "common/text_util.h"
#include "exports/driver_assembly.h"
#include "fuzz_check.h"
#include "host/driver.h"
#include "platform/posix/dynamic_library_posix.h"
#include "platform/posix/file_system_posix.h"
#include "platform/posix/headless.h"
#include "scratch_directory.h"

namespace {

constexpr std::size_t kResultBytes = 258;  // 255 characters, CR LF and the NUL
constexpr std::size_t kMaxCalls = 8;
constexpr char kUnwritten = 'Z';

// R7.INI in memory: the System Directory of the ledger; what a call saves lasts for this
// input's driver only.
class MemoryProfiles : public r7::platform::ProfileStore {
 public:
  std::string ReadText(std::string_view file, std::string_view section, std::string_view key,
                       std::string_view fallback) override {
    auto found = values_.find(Key(file, section, key));
    return found == values_.end() ? std::string(fallback) : found->second;
  }
  int ReadInt(std::string_view file, std::string_view section, std::string_view key,
              int fallback) override {
    auto found = values_.find(Key(file, section, key));
    return found == values_.end() || found->second.empty() ? fallback
                                                           : r7::LeadingInt(found->second);
  }
  bool WriteText(std::string_view file, std::string_view section, std::string_view key,
                 std::string_view value) override {
    values_[Key(file, section, key)] = std::string(value);
    return true;
  }
  bool DeleteKey(std::string_view file, std::string_view section, std::string_view key) override {
    values_.erase(Key(file, section, key));
    return true;
  }

 private:
  static std::string Key(std::string_view file, std::string_view section, std::string_view key) {
    return r7::ToUpperAscii(std::string(file) + "|" + std::string(section) + "|" +
                            std::string(key));
  }
  std::map<std::string, std::string> values_;
};

class QuietDebugOutput : public r7::platform::DebugOutput {
 public:
  void Write(std::string_view) override {}
};

// The companies of the balances fixture, built into a directory of this process's own.
const std::string& SystemDirectory() {
  static const std::string directory = [] {
    ::setenv("R7_RECORDSTORE_SYNCHRONOUS", "OFF", 0);
    std::ifstream in(R7_SOURCE_DIR "/tests/fixtures/balances.json");
    std::stringstream json;
    json << in.rdbuf();
    auto parsed = r7::ledger_tool::ParseFixtureText(json.str());
    const auto* companies = std::get_if<std::vector<r7::ledger_tool::CompanyImages>>(&parsed);
    FUZZ_CHECK(companies != nullptr);
    static const r7::fuzz::ScratchDirectory system("ledger");
    std::ostringstream problem;
    FUZZ_CHECK(r7::ledger_tool::BuildCompanies(*companies, system.path(), problem) == 0);
    return system.path();
  }();
  return directory;
}

struct ExportCall {
  int code = 0;
  std::string argument;
};

// "CODE<tab>ARGUMENT": the code from an optional '-' and up to nine digits (a line without
// digits calls the code of its first byte); the argument up to the NUL, as the add-in
// passes it.
ExportCall ReadCall(std::string_view line) {
  ExportCall call;
  const std::size_t tab = line.find('\t');
  std::string_view code = line.substr(0, tab);
  const bool negative = !code.empty() && code.front() == '-';
  if (negative) code.remove_prefix(1);
  std::size_t digits = 0;
  while (digits < code.size() && digits < 9 && code[digits] >= '0' && code[digits] <= '9') {
    call.code = call.code * 10 + (code[digits++] - '0');
  }
  if (digits == 0 && !line.empty()) call.code = static_cast<unsigned char>(line.front());
  if (negative) call.code = -call.code;
  if (tab != std::string_view::npos) {
    const std::string_view rest = line.substr(tab + 1);
    call.argument = std::string(rest.substr(0, rest.find('\0')));
  }
  return call;
}

void CheckResult(const ExportCall& call, const char* buffer, std::size_t size) {
  const void* end = std::memchr(buffer, '\0', kResultBytes);
  FUZZ_CHECK(end != nullptr);
  for (std::size_t i = kResultBytes; i < size; ++i) FUZZ_CHECK(buffer[i] == kUnwritten);
  std::string_view text(buffer);
  if (call.code >= 100 && call.code <= 127 && text.size() >= 2 &&
      text.substr(text.size() - 2) == "\r\n") {
    text.remove_suffix(2);
  }
  FUZZ_CHECK(text.size() <= 255);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string& system = SystemDirectory();
  std::vector<ExportCall> calls;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  for (std::size_t start = 0; start < input.size() && calls.size() < kMaxCalls;) {
    std::size_t end = input.find('\n', start);
    if (end == std::string_view::npos) end = input.size();
    calls.push_back(ReadCall(input.substr(start, end - start)));
    start = end + 1;
  }

  MemoryProfiles profiles;
  profiles.WriteText("R7.INI", "R7 for Tessary", "System Directory", system);
  profiles.WriteText("R7.INI", "R7 for Tessary", "Company", "01");
  profiles.WriteText("R7.INI", "R7 for Tessary", "Current Year", "2002");
  r7::platform::posix::PosixFileSystem files;
  r7::platform::posix::PosixDynamicLibraries libraries;
  QuietDebugOutput debug;
  r7::platform::posix::HeadlessDesktop desktop;
  r7::platform::Platform platform{profiles,
                                  files,
                                  libraries,
                                  desktop.locale,
                                  desktop.clipboard,
                                  desktop.message_boxes,
                                  debug,
                                  desktop.clock,
                                  desktop.input,
                                  desktop.help,
                                  desktop.programs,
                                  desktop.ui};
  std::unique_ptr<r7::Driver> driver = r7::MakeDriver(platform);
  for (const ExportCall& call : calls) {
    char buffer[1024];
    std::memset(buffer, kUnwritten, sizeof buffer);
    driver->Call(call.code, call.argument.c_str(), buffer);
    CheckResult(call, buffer, sizeof buffer);
    desktop.ui.PumpPosted();
  }
  driver->Cleanup();
  desktop.ui.PumpPosted();
  return 0;
}
