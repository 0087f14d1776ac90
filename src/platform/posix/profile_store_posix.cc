// R7.INI and other profile files on POSIX. (POSIX implementation)
#include "platform/posix/profile_store_posix.h"

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include <unistd.h>

#include "common/text_util.h"

namespace r7::platform::posix {
namespace {

std::string_view TrimSpace(std::string_view text) {
  auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// "[name]" gives name; anything else nullopt.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = TrimSpace(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimSpace(line.substr(1, close - 1));
}

// "key=value" gives the trimmed key; lines without "=" and comments give nullopt.
std::optional<std::string_view> KeyOf(std::string_view line) {
  std::string_view trimmed = TrimSpace(line);
  if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
  std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return TrimSpace(line.substr(0, eq));
}

std::optional<std::string> FindValue(const std::vector<std::string>& lines,
                                     std::string_view section, std::string_view key) {
  bool in_section = false;
  for (const std::string& line : lines) {
    if (auto name = SectionName(line)) {
      in_section = EqualsIgnoreCase(*name, section);
    } else if (in_section) {
      auto found = KeyOf(line);
      if (found && EqualsIgnoreCase(*found, key)) {
        std::string_view value = TrimSpace(std::string_view(line).substr(line.find('=') + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
          value = value.substr(1, value.size() - 2);
        }
        return std::string(value);
      }
    }
  }
  return std::nullopt;
}

// Writes the file anew through a temporary file and a rename: a failure leaves it whole.
bool SaveLines(const std::string& path, const std::vector<std::string>& lines) {
  std::ostringstream text;
  for (const std::string& line : lines) text << line << "\n";
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << text.str();
    out.flush();
    if (!out) {
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace

std::string PosixProfileStore::PathOf(std::string_view file) const {
  if (file.find('/') != std::string_view::npos || file.find('\\') != std::string_view::npos) {
    return std::string(file);
  }
  std::string dir = windows_directory_.empty() ? "." : windows_directory_;
  return dir + "/" + std::string(file);
}

std::string PosixProfileStore::ReadText(std::string_view file, std::string_view section,
                                        std::string_view key, std::string_view fallback) {
  auto value = FindValue(ReadLines(PathOf(file)), section, key);
  return value ? *value : std::string(fallback);
}

int PosixProfileStore::ReadInt(std::string_view file, std::string_view section,
                               std::string_view key, int fallback) {
  auto value = FindValue(ReadLines(PathOf(file)), section, key);
  // An empty value reads as missing, as the Windows profile API reads it.
  if (!value || value->empty()) return fallback;
  return LeadingInt(*value);
}

bool PosixProfileStore::WriteText(std::string_view file, std::string_view section,
                                  std::string_view key, std::string_view value) {
  // What the file could not hold as one line of its own section, Windows refuses too: a
  // line end inside the value, a '=' inside the key, a ']' inside the section name.
  if (value.find_first_of("\r\n") != std::string_view::npos ||
      key.find_first_of("=\r\n") != std::string_view::npos ||
      section.find_first_of("]\r\n") != std::string_view::npos) {
    return false;
  }
  const std::string path = PathOf(file);
  std::vector<std::string> lines = ReadLines(path);
  std::string entry = std::string(key) + "=" + std::string(value);

  // Replace the key in its section, or add it at the end of the section, or add both.
  bool in_section = false, written = false;
  std::optional<std::size_t> section_end;
  for (std::size_t i = 0; i < lines.size() && !written; ++i) {
    if (auto name = SectionName(lines[i])) {
      if (in_section) break;
      in_section = EqualsIgnoreCase(*name, section);
      if (in_section) section_end = i + 1;
      continue;
    }
    if (!in_section) continue;
    auto found = KeyOf(lines[i]);
    if (found && EqualsIgnoreCase(*found, key)) {
      lines[i] = std::string(*found) + "=" + std::string(value);  // the key keeps its spelling
      written = true;
    } else if (!TrimSpace(lines[i]).empty()) {
      section_end = i + 1;
    }
  }
  if (!written) {
    if (section_end) {
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*section_end), entry);
    } else {
      lines.push_back("[" + std::string(section) + "]");
      lines.push_back(entry);
    }
  }

  return SaveLines(path, lines);
}

bool PosixProfileStore::DeleteKey(std::string_view file, std::string_view section,
                                  std::string_view key) {
  const std::string path = PathOf(file);
  std::vector<std::string> lines = ReadLines(path);
  bool in_section = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (auto name = SectionName(lines[i])) {
      in_section = EqualsIgnoreCase(*name, section);
      continue;
    }
    auto found = in_section ? KeyOf(lines[i]) : std::nullopt;
    if (found && EqualsIgnoreCase(*found, key)) {
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
      return SaveLines(path, lines);
    }
  }
  return true;  // nothing to remove: the file is not touched
}

}  // namespace r7::platform::posix
