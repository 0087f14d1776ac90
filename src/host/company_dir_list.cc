// The list of company directories under the System Directory. (platform-independent)
#include "host/company_dir_list.h"

#include "base/limits.h"
#include "common/text_util.h"

namespace r7 {
namespace {

constexpr std::size_t kCompanyRecordPrefix = 264;  // what is read of compfile.dat
constexpr std::size_t kCompanyNameOffset = 50;

bool IsCompanyDirectory(std::string_view name) {
  return !name.empty() && name.front() != '.' &&
         (EqualsIgnoreCase(name, "TUTORIAL") || StartsWithIgnoreCase(name, "DATA"));
}

std::string WithBackslash(std::string_view directory) {
  std::string path(directory);
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

}  // namespace

std::string CompanyCodeOfDirectory(std::string_view name) {
  if (!name.empty() && ToUpperAscii(name.front()) == 'T') return "00";
  if (name.size() >= 5 && name[4] == '_') return std::string(name.substr(5, 2));
  return "01";
}

std::vector<std::string> BuildCompanyDirList(platform::FileSystem& files,
                                             std::string_view system_directory,
                                             DirListSeparator separator) {
  const std::string root = WithBackslash(system_directory);
  std::vector<std::string> entries;
  for (const std::string& name : files.ListExtensionless(root)) {
    if (!IsCompanyDirectory(name)) continue;
    std::string entry = CompanyCodeOfDirectory(name);
    std::optional<std::string> record =
        files.ReadPrefix(root + name + "\\compfile.dat", kCompanyRecordPrefix);
    if (record && !record->empty()) {
      entry += separator == DirListSeparator::kTab ? "\t" : "    ";
      // A file too short to hold a name contributes none, rather than bytes it never had.
      if (record->size() > kCompanyNameOffset) {
        entry +=
            FieldText(std::string_view(*record).substr(kCompanyNameOffset), kCompanyNameInDirList);
      }
    }
    entries.insert(entries.begin(), CutTo(entry, kMaxCompanyDirEntry));
  }
  return entries;
}

}  // namespace r7
