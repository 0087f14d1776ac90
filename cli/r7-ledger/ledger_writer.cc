// Writes companies' files through the record manager's call interface.
#include "cli/r7-ledger/ledger_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <system_error>

#include "common/text_util.h"
#include "wbtrv32.h"

namespace r7::ledger_tool {
namespace {

namespace fs = std::filesystem;

// One open record-manager file; closed when it goes.
class RecordFile {
 public:
  ~RecordFile() {
    if (open_) Call(btr::kClose, nullptr, nullptr, nullptr, 0);
  }

  std::int16_t Create(const std::string& path, std::string spec) {
    std::string key = PathKey(path);
    auto length = static_cast<std::uint32_t>(spec.size());
    // Key number -1: never replace a file that is somehow already there.
    return Call(btr::kCreate, spec.data(), &length, key.data(), -1);
  }

  std::int16_t Open(const std::string& path, std::int8_t mode) {
    std::string key = PathKey(path);
    char owner[1] = {'\0'};
    std::uint32_t length = 1;
    std::int16_t status = Call(btr::kOpen, owner, &length, key.data(), mode);
    open_ = status == btr::kOk;
    return status;
  }

  std::int16_t Insert(std::string record) {
    auto length = static_cast<std::uint32_t>(record.size());
    return Call(btr::kInsert, record.data(), &length, key_.data(), 0);
  }

  // Get First (first) or Get Next by key 0 into `record`.
  std::int16_t Read(bool first, std::string& record) {
    record.assign(kReadCapacity, '\0');
    auto length = static_cast<std::uint32_t>(record.size());
    std::int16_t status =
        Call(first ? btr::kGetFirst : btr::kGetNext, record.data(), &length, key_.data(), 0);
    record.resize(status == btr::kOk ? std::min<std::size_t>(length, record.size()) : 0);
    return status;
  }

 private:
  static constexpr std::size_t kReadCapacity = 65535;

  static std::string PathKey(const std::string& path) { return path + std::string(1, '\0'); }

  std::int16_t Call(std::uint16_t operation, void* data, std::uint32_t* length, void* key,
                    std::int8_t key_number) {
    std::uint32_t none = 0;
    return BTRCALL(operation, position_.data(), data, length ? length : &none, key,
                   static_cast<std::uint8_t>(btr::kMaxKeyLength), key_number);
  }

  std::array<char, btr::kPositionBlockSize> position_{};
  std::array<char, btr::kMaxKeyLength + 1> key_{};
  bool open_ = false;
};

std::string StatusText(std::int16_t status) {
  return "record manager status " + std::to_string(status);
}

// Writes one company into `dir`, which exists and is empty.
bool WriteCompany(const CompanyImages& company, const fs::path& dir, std::ostream& error) {
  auto plain = [&](const char* name, const std::string& bytes) {
    std::ofstream out(dir / name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
      error << "r7-ledger: company \"" << company.directory << "\": cannot write " << name << "\n";
    return static_cast<bool>(out);
  };
  if (!plain("compfile.dat", company.company_file) || !plain("glprdv66.dat", company.calendar_file))
    return false;
  for (const FileImage& image : company.files) {
    std::string path = (dir / image.file_name).string();
    auto fail = [&](const char* step, std::int16_t status) {
      error << "r7-ledger: company \"" << company.directory << "\": " << image.file_name << ": "
            << step << " failed with " << StatusText(status) << "\n";
      return false;
    };
    RecordFile file;
    if (std::int16_t status = file.Create(path, ledger::EncodeCreateSpec(image.definition)))
      return fail("create", status);
    if (std::int16_t status = file.Open(path, btr::kModeExclusive)) return fail("open", status);
    for (const std::string& record : image.records)
      if (std::int16_t status = file.Insert(record)) return fail("insert", status);
  }
  return true;
}

// The entry of `parent` whose name equals `name` without regard to case, if any.
std::optional<fs::path> ExistingEntry(const fs::path& parent, const std::string& name) {
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(parent, ec))
    if (EqualsIgnoreCase(entry.path().filename().string(), name)) return entry.path();
  return std::nullopt;
}

// Flushes every file of `dir` and the directory itself to disk.
bool SyncDirectory(const fs::path& dir) {
  bool ok = true;
  std::error_code ec;
  auto sync = [&](const fs::path& path, int flags) {
    int fd = ::open(path.c_str(), flags);
    ok = ok && fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0) ::close(fd);
  };
  for (const fs::directory_entry& entry : fs::directory_iterator(dir, ec))
    if (entry.is_regular_file()) sync(entry.path(), O_RDONLY);
  sync(dir, O_RDONLY | O_DIRECTORY);
  return ok && !ec;
}

std::string Scratch(const std::string& what, const std::string& directory) {
  return ".r7-ledger-" + what + "-" + std::to_string(::getpid()) + "-" + directory;
}

}  // namespace

int BuildCompanies(const std::vector<CompanyImages>& companies, const std::string& system_dir,
                   std::ostream& error) {
  std::error_code ec;
  fs::path root(system_dir);
  fs::create_directories(root, ec);
  if (!fs::is_directory(root)) {
    error << "r7-ledger: cannot make the system directory " << system_dir << "\n";
    return 1;
  }
  std::vector<fs::path> scratch;
  auto clean_up = [&] {
    for (const fs::path& dir : scratch) fs::remove_all(dir, ec);
    return 1;
  };
  for (const CompanyImages& company : companies) {
    fs::path dir = root / Scratch("new", company.directory);
    fs::remove_all(dir, ec);
    scratch.push_back(dir);
    if (!fs::create_directory(dir, ec)) {
      error << "r7-ledger: company \"" << company.directory << "\": cannot make " << dir.string()
            << "\n";
      return clean_up();
    }
    if (!WriteCompany(company, dir, error)) return clean_up();
    if (!SyncDirectory(dir)) {
      error << "r7-ledger: company \"" << company.directory
            << "\": cannot flush its files to disk\n";
      return clean_up();
    }
  }
  // Everything is written: move the companies into place.
  std::vector<fs::path> replaced;
  for (std::size_t i = 0; i < companies.size(); ++i) {
    const std::string& name = companies[i].directory;
    if (std::optional<fs::path> old = ExistingEntry(root, name)) {
      fs::path aside = root / Scratch("old", name);
      fs::remove_all(aside, ec);
      fs::rename(*old, aside, ec);
      if (ec) {
        error << "r7-ledger: company \"" << name << "\": cannot replace " << old->string() << ": "
              << ec.message() << "\n";
        return clean_up();
      }
      replaced.push_back(aside);
    }
    fs::rename(scratch[i], root / name, ec);
    if (ec) {
      error << "r7-ledger: company \"" << name << "\": cannot move it into place: " << ec.message()
            << "\n";
      return clean_up();
    }
  }
  for (const fs::path& aside : replaced) fs::remove_all(aside, ec);
  SyncDirectory(root);
  return 0;
}

int DumpFile(const std::string& path, std::ostream& out, std::ostream& error) {
  RecordFile file;
  if (std::int16_t status = file.Open(path, btr::kModeReadOnly)) {
    error << "r7-ledger: " << path << ": open failed with " << StatusText(status) << "\n";
    return 1;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string record, line;
  for (bool first = true;; first = false) {
    std::int16_t status = file.Read(first, record);
    if (status == btr::kEndOfFile) return 0;
    if (status != btr::kOk) {
      error << "r7-ledger: " << path << ": read failed with " << StatusText(status) << "\n";
      return 1;
    }
    line.clear();
    for (unsigned char c : record) {
      line += kHex[c >> 4];
      line += kHex[c & 15];
    }
    out << line << '\n';
  }
}

}  // namespace r7::ledger_tool
