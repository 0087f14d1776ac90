// r7win-platform-check: exercises the Win32 platform layer on a real Windows (or Wine)
// system, where the unit suite cannot run. Prints one line per check and exits with the
// number of failed checks. Works in a scratch directory under %TEMP% and removes it.
#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

#include "platform/platform.h"

namespace {

int failures = 0;

void Check(bool passed, const std::string& what) {
  std::printf("%s %s\n", passed ? "ok  " : "FAIL", what.c_str());
  if (!passed) ++failures;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  ::CloseHandle(file);
  return ok;
}

std::string ScratchDirectory() {
  char temp[MAX_PATH];
  DWORD length = ::GetTempPathA(sizeof temp, temp);
  std::string dir = std::string(temp, length) + "r7check" + std::to_string(::GetCurrentProcessId());
  ::CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATAA found;
  HANDLE find = ::FindFirstFileA((dir + "\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = dir + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        ::DeleteFileA(path.c_str());
      }
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
  }
  ::RemoveDirectoryA(dir.c_str());
}

void CheckProfiles(r7::platform::ProfileStore& profiles, const std::string& dir) {
  const std::string ini = dir + "\\R7.INI";
  const std::string section = "R7 for Tessary";
  Check(profiles.ReadText(ini, section, "Company", "00 ") == "00 ",
        "profile: a missing file gives the fallback unchanged, trailing blank kept");
  Check(profiles.ReadInt(ini, section, "NA Label", 5) == 5, "profile: a missing integer gives 5");
  Check(profiles.WriteText(ini, section, "Company", "05"), "profile: write Company=05");
  Check(profiles.ReadText(ini, "r7 FOR tessary", "COMPANY", "00") == "05",
        "profile: section and key match without regard to case");
  const std::vector<std::pair<std::string, int>> integers = {
      {"42abc", 42}, {"-7", -7}, {"abc", 0}, {"", 99}};
  for (const auto& [text, value] : integers) {
    profiles.WriteText(ini, section, "Scaling", text);
    Check(profiles.ReadInt(ini, section, "Scaling", 99) == value,
          "profile: integer '" + text + "' reads " + std::to_string(value));
  }
  Check(profiles.WriteText(ini, section, "Zero Label", "\"  -  \""),
        "profile: write a quoted value");
  Check(profiles.ReadText(ini, section, "Zero Label", "x") == "  -  ",
        "profile: enclosing quotes are removed, inner blanks kept");
  const std::string long_value(3000, 'A');
  profiles.WriteText(ini, section, "Chart Account", long_value);
  Check(profiles.ReadText(ini, section, "Chart Account", "") == long_value,
        "profile: a 3000-character value reads back whole");
  Check(!profiles.WriteText(ini, section, "Company", "06\r\n[Evil]"),
        "profile: a value with a line end is refused");
  Check(!profiles.WriteText(ini, section, "Com=pany", "06"), "profile: a key with '=' is refused");
  Check(profiles.ReadText(ini, section, "Company", "00") == "05",
        "profile: a refused write leaves the old value");
  Check(profiles.ReadText(ini, "Evil", "Company", "none") == "none",
        "profile: no section was injected");
  Check(profiles.DeleteKey(ini, "r7 FOR tessary", "company") &&
            profiles.ReadText(ini, section, "Company", "gone") == "gone" &&
            profiles.ReadText(ini, section, "Zero Label", "x") == "  -  ",
        "profile: a deleted key reads as missing, the others stay");
  Check(profiles.DeleteKey(ini, section, "Company"), "profile: deleting a missing key succeeds");

  // A bare file name lives in the Windows directory, as R7.INI does.
  char windows[MAX_PATH];
  UINT length = ::GetWindowsDirectoryA(windows, sizeof windows);
  const std::string bare = "R7CHECK" + std::to_string(::GetCurrentProcessId()) + ".INI";
  const std::string in_windows = std::string(windows, length) + "\\" + bare;
  Check(profiles.WriteText(bare, section, "Company", "07") &&
            ::GetFileAttributesA(in_windows.c_str()) != INVALID_FILE_ATTRIBUTES,
        "profile: a bare file name is written in the Windows directory");
  ::DeleteFileA(in_windows.c_str());
}

void CheckFiles(r7::platform::FileSystem& files, const std::string& dir) {
  const std::string system = dir + "\\Tessary";
  ::CreateDirectoryA(system.c_str(), nullptr);
  ::CreateDirectoryA((system + "\\DATA_05").c_str(), nullptr);
  ::CreateDirectoryA((system + "\\TUTORIAL").c_str(), nullptr);
  std::string compfile(300, ' ');
  compfile.replace(50, 19, "Northwind Ledger Co");
  WriteFileBytes(system + "\\DATA_05\\compfile.dat", compfile);
  WriteFileBytes(system + "\\notes.txt", "x");
  WriteFileBytes(system + "\\EMPTY", "");

  for (const std::string& name : {system, system + "\\"}) {
    std::vector<std::string> listed = files.ListExtensionless(name);
    auto has = [&](const char* wanted) {
      for (const std::string& entry : listed)
        if (entry == wanted) return true;
      return false;
    };
    std::string all;
    for (const std::string& entry : listed) all += " " + entry;
    Check(has("DATA_05") && has("TUTORIAL") && has("EMPTY") && !has("notes.txt"),
          "files: '*.' lists the names without a dot:" + all);
  }
  Check(files.ListExtensionless(dir + "\\missing").empty(),
        "files: a missing directory lists nothing");

  auto prefix = files.ReadPrefix(system + "\\data_05\\COMPFILE.DAT", 264);
  Check(prefix && *prefix == compfile.substr(0, 264), "files: the first 264 bytes, case ignored");
  prefix = files.ReadPrefix(system + "\\DATA_05\\compfile.dat", 100000);
  Check(prefix && prefix->size() == 300, "files: a short file reads whole");
  prefix = files.ReadPrefix(system + "\\EMPTY", 264);
  Check(prefix && prefix->empty(), "files: an empty file reads as empty");
  Check(!files.ReadPrefix(system + "\\DATA_05\\missing.dat", 264),
        "files: a missing file gives nothing");
  Check(!files.ReadPrefix(system + "\\DATA_05", 264), "files: a directory gives nothing");
  std::string with_nul = system + "\\EMPTY";
  with_nul += '\0';
  with_nul += "x";
  Check(!files.ReadPrefix(with_nul, 264), "files: a path with a NUL inside is refused");

  Check(files.FileExists(system + "\\DATA_05\\compfile.dat") &&
            !files.FileExists(system + "\\DATA_05"),
        "files: FileExists tells files from directories");
  Check(files.DirectoryExists(system + "\\DATA_05") && !files.DirectoryExists(system + "\\EMPTY"),
        "files: DirectoryExists tells directories from files");
  Check(files.NativePath("C:\\Tessary\\DATA_05") == "C:\\Tessary\\DATA_05",
        "files: native paths are the paths as written");

  WriteFileBytes(system + "\\00.sad", "old");
  WriteFileBytes(system + "\\00.sad.new", "new");
  Check(files.PutFileInPlace(system + "\\00.sad.new", system + "\\00.SAD") &&
            files.ReadPrefix(system + "\\00.sad", 10) == "new" &&
            !files.FileExists(system + "\\00.sad.new"),
        "files: a new file takes the place of the old one");
  Check(!files.PutFileInPlace(system + "\\00.sad.new", system + "\\00.sad") &&
            files.ReadPrefix(system + "\\00.sad", 10) == "new",
        "files: nothing to move leaves the file");
  Check(files.RemoveFile(system + "\\00.sad") && !files.FileExists(system + "\\00.sad") &&
            !files.RemoveFile(system + "\\00.sad"),
        "files: a file is removed once");
}

void CheckLibraries(r7::platform::DynamicLibraries& libraries) {
  auto kernel = libraries.Load("KERNEL32.DLL");
  Check(kernel != nullptr, "libraries: KERNEL32.DLL loads");
  Check(kernel && libraries.Symbol(kernel, "GetTickCount") != nullptr,
        "libraries: an entry point binds");
  Check(kernel && libraries.Symbol(kernel, "NoSuchEntryPoint") == nullptr,
        "libraries: a missing entry point gives null");
  if (kernel) libraries.Unload(kernel);
  Check(libraries.Load("NOSUCHR7.DLL") == nullptr, "libraries: a missing library gives null");
}

void CheckDesktop(r7::platform::Platform& platform) {
  using r7::platform::LocaleItem;
  auto decimal = platform.locale.Read(LocaleItem::kDecimalSeparator);
  auto thousands = platform.locale.Read(LocaleItem::kThousandsSeparator);
  auto grouping = platform.locale.Read(LocaleItem::kDigitGrouping);
  Check(decimal && !decimal->empty() && thousands && grouping && !grouping->empty(),
        "locale: separators '" + decimal.value_or("?") + "' '" + thousands.value_or("?") +
            "', grouping '" + grouping.value_or("?") + "'");

  const std::string text = "1000\tCash\r\n2000\tBank\r\n";
  bool set = platform.clipboard.SetText(text);
  auto back = platform.clipboard.GetText();
  Check(set && back == text, "clipboard: plain text round trip");
  Check(platform.clipboard.Clear() && !platform.clipboard.GetText(), "clipboard: emptied");

  r7::platform::CalendarDate today = platform.clock.Today();
  Check(today.year >= 2000 && today.month >= 1 && today.month <= 12 && today.day >= 1 &&
            today.day <= 31,
        "clock: today is " + std::to_string(today.year) + "-" + std::to_string(today.month) + "-" +
            std::to_string(today.day));
  Check(!platform.input.TakeStopRequest(r7::platform::kNoWindow), "input: no stop request pending");
  platform.debug.Write("r7win-platform-check\n");
}

}  // namespace

int main() {
  r7::platform::Platform& platform = r7::platform::DefaultPlatform();
  const std::string dir = ScratchDirectory();
  CheckProfiles(platform.profiles, dir);
  CheckFiles(platform.files, dir);
  CheckLibraries(platform.libraries);
  CheckDesktop(platform);
  RemoveTree(dir);
  std::printf("%d failed\n", failures);
  return failures;
}
