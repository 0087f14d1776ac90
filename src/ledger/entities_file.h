// The financial entities file of a company: opening, creating and closing it, looking an
// entity name up, and listing its values and entities. (platform-independent)
//
// The file ("<company code>.sad", EntitiesFilePath() of the catalogue) is the driver's own:
// segment values with descriptions (segment codes 1 to 3) and financial entities, named
// segment specifiers (codes 101 to 103). The company's entities slot holds its open and
// exists flags; the file stays open until the company is closed or a new file is created.
// Reads land in the record manager's shared buffer; every routine here copies what it
// keeps before the next read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/company_catalogue.h"
#include "platform/file_system.h"
#include "recordmgr/record_manager.h"

namespace r7 {

// What the lists show of an entities file.
enum class EntityListMode { kValues = 0, kBoth = 1, kEntities = 2 };

struct EntityLists {
  std::vector<std::string> main;
  std::vector<std::string> second;  // filled only when asked for
};

class EntitiesFile {
 public:
  EntitiesFile(RecordManager& records, CompanyCatalogue& companies, platform::FileSystem& files)
      : records_(records), companies_(companies), files_(files) {}

  int Open(CompanyContext& company, int8_t mode = btr::kModeNormal);
  void Close(CompanyContext& company);

  // Creates an empty file at the company's place, replacing any file there (an open one is
  // closed first), and sets the exists flag. Returns the record manager's status.
  int Create(CompanyContext& company);

  // Writes one record: a segment value (code 1 to 3) or an entity (101 to 103). The value
  // text is cut to 130 characters, the description to 50. Returns the record manager's
  // status (0 done).
  int Add(CompanyContext& company, int segment_code, std::string_view value,
          std::string_view description);

  // The value text that `name` stands for in segment `segment` (1 to 3): an entity of that
  // name, else a segment value whose description is that name. Nothing when the company has
  // no file, the name is too long for the name field, or nothing is found.
  std::optional<std::string> LookupEntity(CompanyContext& company, std::string_view name,
                                          int segment);

  // The description of segment value `value` (segment code 1 to 3), else of the entity of
  // that code + 100 whose value text it is; nothing when none is there.
  std::optional<std::string> ValueDescription(CompanyContext& company, std::string_view value,
                                              int segment_code);

  // Entities (modes 1, 2) in name order, then values (modes 0, 1) in value order. Without a
  // second list an entity gives its name and a value "value; description"; with one, the
  // main list gets the value text and the second the name or description. `filter` is a
  // comma-separated list of values, patterns and ranges of this segment.
  EntityLists ListEntityRecords(CompanyContext& company, int segment, EntityListMode mode,
                                bool second_list, std::string_view filter = {});

 private:
  RecordManager& records_;
  CompanyCatalogue& companies_;
  platform::FileSystem& files_;
};

// Creates an empty entities file at `path` (a Windows path), replacing any file there.
// Returns the record manager's status.
int16_t CreateEntitiesFileAt(RecordManager& records, platform::FileSystem& files,
                             std::string_view path);

// "value; description" for each value, the value alone where there is no description.
std::vector<std::string> JoinValueDescriptions(const std::vector<std::string>& values,
                                               const std::vector<std::string>& descriptions);

}  // namespace r7
