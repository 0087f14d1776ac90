// The financial entities file. (platform-independent)
#include "ledger/entities_file.h"

#include <array>
#include <cstring>

#include "common/text_util.h"
#include "ledger/entities_file_record.h"
#include "ledger/ledger_file_definitions.h"
#include "ledger/ledger_keys.h"
#include "specifiers/account_specifier.h"

namespace r7 {
namespace {

namespace ef = ledger::entities_file;

// A key value in a buffer as long as the longest key the record manager may read.
struct KeyBuffer {
  explicit KeyBuffer(std::string_view value) {
    std::memcpy(bytes.data(), value.data(), std::min(value.size(), bytes.size()));
  }
  std::array<char, kKeyLength + 1> bytes{};
};

std::string CopyRecord(const RecordManager& records) {
  return std::string(reinterpret_cast<const char*>(records.record_buffer()),
                     records.record_length());
}

ledger::EntitiesFileRecordView ViewOf(const std::string& copy) {
  return ledger::EntitiesFileRecordView(std::span<const char>(copy.data(), copy.size()));
}

// The first part of a record's value, without trailing blanks.
std::string FirstPart(const std::string& copy) {
  std::string_view first = std::string_view(copy).substr(0, ef::kValueFirstPart.width);
  return std::string(TrimTrailingBlanks(first));
}

struct FilterItem {
  std::string lower;  // upper-cased, compared on 30 characters
  std::string upper;  // empty: up to the end of the segment
  std::string pattern;
};

FilterItem FilterItemOf(std::string_view text) {
  FilterItem item;
  std::string upper_text = ToUpperAscii(TrimBlanks(text));
  if (upper_text.find_first_of("*?") != std::string::npos) {
    item.pattern = upper_text;
    item.lower = upper_text.substr(0, upper_text.find_first_of("*?"));
    item.upper = item.lower + std::string(ef::kValueFirstPart.width, '\x7f');
  } else if (std::size_t dots = upper_text.find(".."); dots != std::string::npos) {
    item.lower = upper_text.substr(0, dots);
    std::size_t after = upper_text.find_first_not_of('.', dots);
    item.upper = after == std::string::npos ? std::string() : upper_text.substr(after);
  } else {
    item.lower = item.upper = upper_text;
  }
  item.lower = item.lower.substr(0, ef::kValueFirstPart.width);
  if (item.upper.size() > ef::kValueFirstPart.width)
    item.upper = item.upper.substr(0, ef::kValueFirstPart.width);
  return item;
}

}  // namespace

int EntitiesFile::Open(CompanyContext& company, int8_t mode) {
  return companies_.OpenEntitiesFile(company, mode);
}

void EntitiesFile::Close(CompanyContext& company) {
  if (!company.entities.open) return;
  records_.Close(company.entities.position);
  company.entities.open = false;
}

int EntitiesFile::Create(CompanyContext& company) {
  Close(company);
  int16_t status = CreateEntitiesFileAt(records_, files_, companies_.EntitiesFilePath(company));
  if (status == 0) company.entities.exists = true;
  return status;
}

int16_t CreateEntitiesFileAt(RecordManager& records, platform::FileSystem& files,
                             std::string_view path) {
  if (!records.initialised()) {
    if (int status = records.Bind(); status != 0) return static_cast<int16_t>(status);
  }
  std::string native = files.NativePath(path);
  if (native.size() >= kKeyLength) return btr::kInvalidFileName;
  KeyBuffer key(native);
  std::string spec = ledger::EncodeCreateSpec(
      ledger::LedgerFileDefinition(ledger::LedgerFile::kFinancialEntities));
  auto length = static_cast<uint16_t>(spec.size());
  PosBlock position;
  return records.Call(btr::kCreate, &position, spec.data(), &length, key.bytes.data(), 0);
}

int EntitiesFile::Add(CompanyContext& company, int segment_code, std::string_view value,
                      std::string_view description) {
  if (int status = Open(company); status != 0) return status;
  std::string bytes(ef::kRecordLength, '\0');
  ledger::EntitiesFileRecordImage record(std::span<char>(bytes.data(), bytes.size()));
  record.set_value_text(value);
  record.set_segment_code(static_cast<int16_t>(segment_code));
  record.set_description(description);
  uint16_t length = ef::kRecordLength;
  std::array<char, kKeyLength + 1> key{};
  if (records_.Insert(company.entities.position, bytes.data(), &length, key.data(), 0) != 0)
    return records_.last_status();
  return 0;
}

std::optional<std::string> EntitiesFile::LookupEntity(CompanyContext& company,
                                                      std::string_view name, int segment) {
  if (segment < 1 || segment > 3 || Open(company) != 0) return std::nullopt;
  std::string upper = ToUpperAscii(TrimBlanks(name));
  // A name longer than the name field cannot be in the file: no key is built past it.
  if (upper.empty() || upper.size() > ef::kMaxDescription) return std::nullopt;
  for (int code : {segment + ef::kEntityCodeOffset, segment}) {
    ledger::LedgerKey key = ledger::EntitiesFileNameKey(static_cast<int16_t>(code), upper);
    KeyBuffer buffer(key.value);
    if (records_.GetEqual(company.entities.position, nullptr, buffer.bytes.data(),
                          static_cast<int8_t>(key.key_number)) == 0) {
      return ViewOf(CopyRecord(records_)).value_text();
    }
  }
  return std::nullopt;
}

std::optional<std::string> EntitiesFile::ValueDescription(CompanyContext& company,
                                                          std::string_view value,
                                                          int segment_code) {
  if (Open(company) != 0 || value.size() > ef::kValueFirstPart.width) return std::nullopt;
  for (int code : {segment_code, segment_code + ef::kEntityCodeOffset}) {
    ledger::LedgerKey key = ledger::EntitiesFileValueKey(value, static_cast<int16_t>(code));
    KeyBuffer buffer(key.value);
    if (records_.GetEqual(company.entities.position, nullptr, buffer.bytes.data(),
                          static_cast<int8_t>(key.key_number)) == 0) {
      std::string copy = CopyRecord(records_);
      return std::string(TrimTrailingBlanks(ViewOf(copy).description()));
    }
  }
  return std::nullopt;
}

EntityLists EntitiesFile::ListEntityRecords(CompanyContext& company, int segment,
                                            EntityListMode mode, bool second_list,
                                            std::string_view filter) {
  EntityLists lists;
  if (segment < 1 || segment > 3 || Open(company) != 0) return lists;
  PosBlock& position = company.entities.position;

  // Reads records of `code` by `key_number` from `start` on while `keep` accepts them.
  auto walk = [&](int16_t code, int key_number, std::string_view start, auto&& take) {
    ledger::LedgerKey key = key_number == 2 ? ledger::EntitiesFileNameKey(code, start)
                                            : ledger::EntitiesFileSegmentKey(code, start);
    KeyBuffer buffer(key.value);
    int result = records_.GetGreaterOrEqual(position, nullptr, buffer.bytes.data(),
                                            static_cast<int8_t>(key_number));
    while (result == 0) {
      std::string copy = CopyRecord(records_);
      if (ViewOf(copy).segment_code() != code || !take(copy)) break;
      result = records_.GetNext(position, nullptr, nullptr, static_cast<int8_t>(key_number));
    }
  };

  if (mode != EntityListMode::kValues) {
    walk(static_cast<int16_t>(segment + ef::kEntityCodeOffset), 2, "",
         [&](const std::string& copy) {
           ledger::EntitiesFileRecordView record = ViewOf(copy);
           if (second_list) {
             lists.main.push_back(record.value_text());
             lists.second.emplace_back(record.description());
           } else {
             lists.main.emplace_back(record.description());
           }
           return true;
         });
  }
  if (mode == EntityListMode::kEntities) return lists;

  auto add_value = [&](const std::string& copy) {
    std::string value = FirstPart(copy).substr(0, ef::kValueFirstPart.width - 1);
    if (value.empty()) return;
    std::string description(TrimTrailingBlanks(ViewOf(copy).description()));
    if (second_list) {
      lists.main.push_back(value);
      lists.second.push_back(description);
    } else {
      lists.main.push_back(description.empty() ? value : value + "; " + description);
    }
  };
  const auto code = static_cast<int16_t>(segment);
  if (TrimBlanks(filter).empty()) {
    walk(code, 1, "", [&](const std::string& copy) {
      add_value(copy);
      return true;
    });
    return lists;
  }
  std::size_t start = 0;
  while (start <= filter.size()) {
    std::size_t comma = filter.find(',', start);
    std::string_view text = filter.substr(start, comma - start);
    start = comma == std::string_view::npos ? filter.size() + 1 : comma + 1;
    if (TrimBlanks(text).empty()) continue;
    FilterItem item = FilterItemOf(text);
    walk(code, 1, item.lower, [&](const std::string& copy) {
      std::string value = ToUpperAscii(FirstPart(copy));
      if (!item.upper.empty() && value > item.upper) return false;
      if (item.pattern.empty() || MatchWildcard(value, item.pattern)) add_value(copy);
      return true;
    });
  }
  return lists;
}

std::vector<std::string> JoinValueDescriptions(const std::vector<std::string>& values,
                                               const std::vector<std::string>& descriptions) {
  std::vector<std::string> joined;
  for (std::size_t i = 0; i < values.size(); ++i) {
    std::string entry = values[i];
    if (i < descriptions.size() && !descriptions[i].empty()) entry += "; " + descriptions[i];
    joined.push_back(std::move(entry));
  }
  return joined;
}

}  // namespace r7
