// Files and directories on POSIX, addressed with Windows paths. (POSIX implementation)
#include "platform/posix/file_system_posix.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include <dirent.h>
#include <sys/stat.h>

#include "common/text_util.h"

namespace r7::platform::posix {
namespace {

bool Exists(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0;
}

std::vector<std::string> EntriesOf(const std::string& directory) {
  std::vector<std::string> names;
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(directory.empty() ? "." : directory.c_str()),
                                          ::closedir);
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir.get())) names.emplace_back(entry->d_name);
  return names;
}

// Directory order on Windows' own file systems is the names sorted without regard to case;
// give the same order here instead of the hash order of the POSIX file system.
void SortAsWindowsDoes(std::vector<std::string>& names) {
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    std::string ua = ToUpperAscii(a), ub = ToUpperAscii(b);
    return ua != ub ? ua < ub : a < b;
  });
}

}  // namespace

std::string ResolveWindowsPath(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':' &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'))) {
    path.remove_prefix(2);
  }
  std::string resolved = (!path.empty() && (path[0] == '\\' || path[0] == '/')) ? "/" : "";
  std::size_t pos = 0;
  while (pos <= path.size()) {
    std::size_t end = path.find_first_of("\\/", pos);
    if (end == std::string_view::npos) end = path.size();
    std::string component(path.substr(pos, end - pos));
    pos = end + 1;
    if (component.empty()) continue;
    std::string base = resolved;
    std::string candidate = base + component;
    if (!Exists(candidate) && component != "." && component != "..") {
      for (const std::string& name : EntriesOf(base.empty() ? "." : base)) {
        if (EqualsIgnoreCase(name, component)) {
          candidate = base + name;
          break;
        }
      }
    }
    resolved = candidate + (pos <= path.size() ? "/" : "");
  }
  return resolved;
}

std::vector<std::string> PosixFileSystem::ListExtensionless(std::string_view directory) {
  std::vector<std::string> names = EntriesOf(ResolveWindowsPath(directory));
  std::erase_if(names, [](const std::string& name) {
    return name != "." && name != ".." && name.find('.') != std::string::npos;
  });
  SortAsWindowsDoes(names);
  return names;
}

std::optional<std::string> PosixFileSystem::ReadPrefix(std::string_view path,
                                                       std::size_t max_bytes) {
  std::string native = ResolveWindowsPath(path);
  struct stat info;
  if (::stat(native.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(native.c_str(), "rb"), std::fclose);
  if (!file) return std::nullopt;
  std::string data(max_bytes, '\0');
  data.resize(std::fread(data.data(), 1, max_bytes, file.get()));
  return data;
}

bool PosixFileSystem::FileExists(std::string_view path) {
  struct stat info;
  return ::stat(ResolveWindowsPath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool PosixFileSystem::DirectoryExists(std::string_view path) {
  struct stat info;
  return ::stat(ResolveWindowsPath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool PosixFileSystem::PutFileInPlace(std::string_view from, std::string_view to) {
  // rename() swaps the directory entry atomically; a directory is never replaced.
  const std::string source = ResolveWindowsPath(from);
  if (!FileExists(from) || DirectoryExists(to)) return false;
  return std::rename(source.c_str(), ResolveWindowsPath(to).c_str()) == 0;
}

bool PosixFileSystem::RemoveFile(std::string_view path) {
  return FileExists(path) && std::remove(ResolveWindowsPath(path).c_str()) == 0;
}

}  // namespace r7::platform::posix
