// A ledger fixture turned into the bytes of a company's files.
#include "cli/r7-ledger/company_images.h"

#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <set>

#include "common/text_util.h"
#include "ledger/account_number.h"
#include "ledger/amount_text.h"
#include "ledger/company_files.h"
#include "ledger/entities_file_record.h"
#include "ledger/layout_record.h"
#include "ledger/ledger_keys.h"
#include "ledger/ledger_records.h"

namespace r7::ledger_tool {
namespace {

using nlohmann::json;
using namespace r7::ledger;

// Raised while one company is read; turned into the fixture's refusal at the top.
struct Fault {
  std::string field;
  std::string problem;
};

[[noreturn]] void Fail(const std::string& field, const std::string& problem) {
  throw Fault{field, problem};
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsLetterOrDigit(char c) {
  return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

void CheckKnownFields(const json& object, const std::string& field,
                      std::initializer_list<std::string_view> known) {
  if (!object.is_object()) Fail(field, "must be an object");
  for (const auto& item : object.items()) {
    bool found = false;
    for (std::string_view name : known) found = found || item.key() == name;
    if (!found) Fail(field.empty() ? item.key() : field + "." + item.key(), "is not a known field");
  }
}

std::string Child(const std::string& field, std::string_view name) {
  return field.empty() ? std::string(name) : field + "." + std::string(name);
}
std::string Element(const std::string& field, std::size_t index) {
  return field + "[" + std::to_string(index) + "]";
}

// A text field of at most `width` characters; `fallback` when absent.
std::string Text(const json& object, const std::string& field, std::string_view name,
                 std::size_t width, bool required = false, std::string_view fallback = "") {
  std::string path = Child(field, name);
  if (!object.contains(name)) {
    if (required) Fail(path, "is missing");
    return std::string(fallback);
  }
  const json& value = object.at(name);
  if (!value.is_string()) Fail(path, "must be a text");
  std::string text = value.get<std::string>();
  if (text.find('\0') != std::string::npos) Fail(path, "must not hold a NUL character");
  if (text.size() > width)
    Fail(path, Quoted(text) + " is longer than " + std::to_string(width) + " characters");
  if (required && text.empty()) Fail(path, "must not be empty");
  return text;
}

long long Integer(const json& object, const std::string& field, std::string_view name,
                  long long low, long long high, std::optional<long long> fallback) {
  std::string path = Child(field, name);
  if (!object.contains(name)) {
    if (!fallback) Fail(path, "is missing");
    return *fallback;
  }
  const json& value = object.at(name);
  if (!value.is_number_integer()) Fail(path, "must be a whole number");
  long long number = value.get<long long>();
  if (number < low || number > high)
    Fail(path, std::to_string(number) + " is not from " + std::to_string(low) + " to " +
                   std::to_string(high));
  return number;
}

double Number(const json& value, const std::string& path) {
  if (!value.is_number()) Fail(path, "must be a number");
  double number = value.get<double>();
  if (!std::isfinite(number)) Fail(path, "must be a finite number");
  return number;
}

std::string AmountTextOf(const json& object, const std::string& field, std::string_view name) {
  if (!object.contains(name)) return *FormatAmountText(0);
  std::string path = Child(field, name);
  std::optional<std::string> text = FormatAmountText(Number(object.at(name), path));
  if (!text) Fail(path, "does not fit 14 digits with two decimals");
  return *text;
}

std::array<double, kPeriodsPerRecord> Periods(const json& object, const std::string& field) {
  std::array<double, kPeriodsPerRecord> periods{};
  if (!object.contains("periods")) return periods;
  std::string path = Child(field, "periods");
  const json& list = object.at("periods");
  if (!list.is_array()) Fail(path, "must be a list of numbers");
  if (list.size() > kPeriodsPerRecord) Fail(path, "holds more than 13 amounts");
  for (std::size_t i = 0; i < list.size(); ++i) periods[i] = Number(list[i], Element(path, i));
  return periods;
}

const json& List(const json& object, const std::string& field, std::string_view name) {
  static const json kEmpty = json::array();
  if (!object.contains(name)) return kEmpty;
  const json& list = object.at(name);
  if (!list.is_array()) Fail(Child(field, name), "must be a list");
  return list;
}

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

void CheckDate(const std::string& date, const std::string& path) {
  bool digits = date.size() == 8;
  for (char c : date) digits = digits && IsDigit(c);
  if (!digits) Fail(path, Quoted(date) + " is not a date YYYYMMDD");
  int year = std::stoi(date.substr(0, 4));
  int month = std::stoi(date.substr(4, 2));
  int day = std::stoi(date.substr(6, 2));
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int days_in_month =
      month >= 1 && month <= 12 ? kDays[month - 1] + (month == 2 && IsLeapYear(year)) : 0;
  if (year < 1 || day < 1 || day > days_in_month) Fail(path, Quoted(date) + " is not a valid date");
}

std::string Year(const json& object, const std::string& field) {
  std::string path = Child(field, "year");
  if (!object.contains("year")) Fail(path, "is missing");
  const json& value = object.at("year");
  std::string year = value.is_number_integer() ? std::to_string(value.get<long long>())
                     : value.is_string()       ? value.get<std::string>()
                                               : std::string();
  bool digits = year.size() == 4;
  for (char c : year) digits = digits && IsDigit(c);
  if (!digits) Fail(path, "must be a year of 4 digits");
  return year;
}

// One segment value in the fixture: letters and digits, at most 8 characters, letters
// upper-cased as the driver upper-cases what it looks for.
std::string SegmentValue(std::string_view value, const std::string& path, std::size_t limit) {
  if (value.empty()) Fail(path, "has an empty segment");
  for (char c : value)
    if (!IsLetterOrDigit(c))
      Fail(path, Quoted(value) + " holds a character other than a letter or digit");
  if (value.size() > limit)
    Fail(path,
         "segment " + Quoted(value) + " is longer than " + std::to_string(limit) + " characters");
  return ToUpperAscii(value);
}

class CompanyReader {
 public:
  explicit CompanyReader(const json& company) : company_(company) {}

  CompanyImages Read() {
    CheckKnownFields(company_, "",
                     {"directory", "name", "segment_lengths", "periods", "current_period",
                      "key_counts", "accounts", "balances", "comparatives", "budgets",
                      "transactions", "entities", "layouts", "financial_entities"});
    images_.directory = Directory();
    ReadSegmentLengths();
    images_.company_file = CompanyFile();
    images_.calendar_file = CalendarFile();
    ReadKeyCounts();
    AddFile(LedgerFile::kAccounts, Accounts());
    AddFile(LedgerFile::kBalances, Balances());
    AddFile(LedgerFile::kComparatives, Comparatives());
    AddFile(LedgerFile::kBudgets, Budgets());
    AddFile(LedgerFile::kTransactions, Transactions());
    AddFile(LedgerFile::kEntities, Entities());
    AddFile(LedgerFile::kLayouts, Layouts());
    FinancialEntities();
    return std::move(images_);
  }

 private:
  std::string Directory() {
    std::string directory = Text(company_, "", "directory", 255, true);
    if (directory == "." || directory == ".." ||
        directory.find_first_of("/\\:") != std::string::npos)
      Fail("directory", Quoted(directory) + " must be a plain directory name");
    return directory;
  }

  void ReadSegmentLengths() {
    const json& list = company_.contains("segment_lengths") ? company_.at("segment_lengths")
                                                            : json::array({4, 0, 0});
    if (!list.is_array() || list.empty() || list.size() > 3)
      Fail("segment_lengths", "must list 1 to 3 segment lengths");
    for (std::size_t i = 0; i < list.size(); ++i) {
      std::string path = Element("segment_lengths", i);
      if (!list[i].is_number_integer()) Fail(path, "must be a whole number");
      long long length = list[i].get<long long>();
      long long low = i == 0 ? 1 : 0;
      if (length < low || length > 8)
        Fail(path, std::to_string(length) + " is not from " + std::to_string(low) + " to 8");
      lengths_[i] = static_cast<int>(length);
    }
    if (lengths_[1] == 0 && lengths_[2] != 0)
      Fail("segment_lengths", "a department segment needs a profit-center segment");
  }

  std::string CompanyFile() {
    std::string bytes(compfile::kImageLength, ' ');
    CompanyFileImage file{std::span<char>(bytes)};
    file.set_name(Text(company_, "", "name", compfile::kName.width));
    for (int segment = 0; segment < 3; ++segment)
      file.set_segment_length(segment, lengths_[segment]);
    return bytes;
  }

  std::string CalendarFile() {
    const json& periods = List(company_, "", "periods");
    if (periods.empty()) Fail("periods", "must give at least one period");
    if (periods.size() > glprdv66::kMaxPeriods) Fail("periods", "holds more than 13 periods");
    std::string bytes(glprdv66::kImageLength, ' ');
    CalendarFileImage calendar{std::span<char>(bytes)};
    for (std::size_t i = 0; i < glprdv66::kMaxPeriods; ++i)
      calendar.set_period(i, "00000000", "00000000");
    std::string previous_end;
    for (std::size_t i = 0; i < periods.size(); ++i) {
      std::string path = Element("periods", i);
      const json& pair = periods[i];
      if (!pair.is_array() || pair.size() != 2 || !pair[0].is_string() || !pair[1].is_string())
        Fail(path, "must be a pair of dates");
      std::string start = pair[0].get<std::string>(), end = pair[1].get<std::string>();
      CheckDate(start, path + "[0]");
      CheckDate(end, path + "[1]");
      if (end < start) Fail(path, "ends before it starts");
      if (!previous_end.empty() && start <= previous_end)
        Fail(path, "starts before the previous period ends");
      previous_end = end;
      calendar.set_period(i, start, end);
    }
    int count = static_cast<int>(periods.size());
    calendar.set_period_count(count);
    calendar.set_current_period(
        static_cast<int>(Integer(company_, "", "current_period", 1, count, 1)));
    return bytes;
  }

  void ReadKeyCounts() {
    if (!company_.contains("key_counts")) return;
    const json& counts = company_.at("key_counts");
    if (!counts.is_object()) Fail("key_counts", "must be an object");
    for (const auto& item : counts.items()) {
      std::string path = Child("key_counts", item.key());
      std::optional<LedgerFile> file = LedgerFileByBaseName(item.key());
      if (!file || *file == LedgerFile::kFinancialEntities) Fail(path, "is not a ledger file");
      key_counts_[*file] = static_cast<int>(
          Integer(counts, "key_counts", item.key(), 1, FullKeyCount(*file), std::nullopt));
    }
  }

  void AddFile(LedgerFile file, std::vector<std::string> records) {
    int count = key_counts_.count(file) ? key_counts_[file] : FullKeyCount(file);
    images_.files.push_back({std::string(LedgerFileBaseName(file)) + ".btr",
                             *LedgerFileDefinition(file, count), std::move(records)});
  }

  // The stored account number of a display-form account.
  std::string Account(const json& object, const std::string& field, std::string_view name,
                      bool required = true) {
    std::string path = Child(field, name);
    std::string text = Text(object, field, name, 3 * kSegmentFieldWidth + 2, required);
    if (text.empty()) return "";
    std::array<std::string, 3> stored{std::string(kZeroSegmentField),
                                      std::string(kZeroSegmentField),
                                      std::string(kZeroSegmentField)};
    std::size_t segment = 0, start = 0;
    while (true) {
      std::size_t dash = text.find('-', start);
      std::string part =
          text.substr(start, dash == std::string::npos ? std::string::npos : dash - start);
      if (segment >= 3) Fail(path, Quoted(text) + " has more than three segments");
      std::size_t limit = lengths_[segment] > 0 ? static_cast<std::size_t>(lengths_[segment]) : 8;
      std::string value = SegmentValue(part, path, limit);
      if (lengths_[segment] == 0 && value.find_first_not_of('0') != std::string::npos)
        Fail(path, Quoted(text) + " gives a segment the company does not have");
      stored[segment] = StoredSegment(value);
      ++segment;
      if (dash == std::string::npos) break;
      start = dash + 1;
    }
    return stored[0] + stored[1] + stored[2];
  }

  // Refuses a second record with the same key 0 in one file.
  void Unique(std::set<std::string>& seen, const std::string& key, const std::string& path) {
    if (!seen.insert(key).second) Fail(path, "repeats a record that is already given");
  }

  std::vector<std::string> Accounts() {
    std::vector<std::string> records;
    std::set<std::string> seen;
    const json& list = List(company_, "", "accounts");
    for (std::size_t i = 0; i < list.size(); ++i) {
      std::string field = Element("accounts", i);
      const json& entry = list[i];
      CheckKnownFields(entry, field,
                       {"account", "description", "type", "saf", "typical", "consolidation"});
      std::string bytes(glactfil::kRecordLength, '\0');
      AccountRecordImage record{std::span<char>(bytes)};
      std::string account = Account(entry, field, "account");
      Unique(seen, account, Child(field, "account"));
      record.set_account_number(account);
      record.set_description(Text(entry, field, "description", glactfil::kDescription.width));
      std::string consolidation = Account(entry, field, "consolidation", false);
      record.set_consolidation(consolidation.empty() ? std::string(24, ' ') : consolidation);
      record.set_type(Text(entry, field, "type", 1, false, " "));
      record.set_saf(Text(entry, field, "saf", 1, false, " "));
      record.set_typical(Text(entry, field, "typical", 1, false, " "));
      records.push_back(std::move(bytes));
    }
    return records;
  }

  std::vector<std::string> Balances() {
    std::vector<std::string> records;
    std::set<std::string> seen;
    const json& list = List(company_, "", "balances");
    for (std::size_t i = 0; i < list.size(); ++i) {
      std::string field = Element("balances", i);
      const json& entry = list[i];
      CheckKnownFields(entry, field, {"account", "opening", "periods"});
      std::string bytes(glbalfil::kRecordLength, '\0');
      BalanceRecordImage record{std::span<char>(bytes)};
      std::string account = Account(entry, field, "account");
      Unique(seen, account, Child(field, "account"));
      record.set_account_number(account);
      record.set_opening(AmountTextOf(entry, field, "opening"));
      auto periods = Periods(entry, field);
      for (std::size_t p = 0; p < periods.size(); ++p) record.set_period(p + 1, periods[p]);
      records.push_back(std::move(bytes));
    }
    return records;
  }

  std::vector<std::string> Comparatives() {
    std::vector<std::string> records;
    std::set<std::string> seen;
    const json& list = List(company_, "", "comparatives");
    for (std::size_t i = 0; i < list.size(); ++i) {
      std::string field = Element("comparatives", i);
      const json& entry = list[i];
      CheckKnownFields(entry, field, {"account", "year", "opening", "periods"});
      std::string bytes(glcmpfil::kRecordLength, '\0');
      ComparativeRecordImage record{std::span<char>(bytes)};
      std::string account = Account(entry, field, "account");
      std::string year = Year(entry, field);
      Unique(seen, account + year, field);
      record.set_account_number(account);
      record.set_year(year);
      record.set_opening(AmountTextOf(entry, field, "opening"));
      auto periods = Periods(entry, field);
      for (std::size_t p = 0; p < periods.size(); ++p) record.set_period(p + 1, periods[p]);
      records.push_back(std::move(bytes));
    }
    return records;
  }

  std::vector<std::string> Budgets() {
    std::vector<std::string> records;
    std::set<std::string> seen;
    const json& list = List(company_, "", "budgets");
    for (std::size_t i = 0; i < list.size(); ++i) {
      std::string field = Element("budgets", i);
      const json& entry = list[i];
      CheckKnownFields(entry, field, {"account", "year", "revision", "periods"});
      std::string bytes(glbudfil::kRecordLength, '\0');
      BudgetRecordImage record{std::span<char>(bytes)};
      std::string account = Account(entry, field, "account");
      std::string year = Year(entry, field);
      std::string revision = *RevisionCode(static_cast<int>(
          Integer(entry, field, "revision", kLowestRevision, kHighestRevision, std::nullopt)));
      Unique(seen, account + year + revision, field);
      record.set_account_number(account);
      record.set_year(year);
      record.set_revision_code(revision);
      auto periods = Periods(entry, field);
      for (std::size_t p = 0; p < periods.size(); ++p) {
        std::optional<std::string> text = FormatBudgetTextAmount(periods[p]);
        if (!text) Fail(Element(Child(field, "periods"), p), "does not fit 12 whole digits");
        record.set_period(p + 1, periods[p]);
        record.set_text_amount(p + 1, *text);
      }
      record.clear_reserved();
      records.push_back(std::move(bytes));
    }
    return records;
  }

  std::vector<std::string> Transactions() {
    std::vector<std::string> records;
    const json& list = List(company_, "", "transactions");
    for (std::size_t i = 0; i < list.size(); ++i) {
      std::string field = Element("transactions", i);
      const json& entry = list[i];
      CheckKnownFields(entry, field,
                       {"account", "date", "id", "amount", "source", "reference", "flag"});
      std::string bytes(gltrxfil::kRecordLength, '\0');
      TransactionRecordImage record{std::span<char>(bytes)};
      record.set_account_number(Account(entry, field, "account"));
      std::string date = Text(entry, field, "date", 8, true);
      CheckDate(date, Child(field, "date"));
      record.set_date(date);
      record.set_id(Text(entry, field, "id", gltrxfil::kId.width));
      if (!entry.contains("amount")) Fail(Child(field, "amount"), "is missing");
      record.set_amount(AmountTextOf(entry, field, "amount"));
      record.set_source(Text(entry, field, "source", gltrxfil::kSource.width));
      record.set_reference(Text(entry, field, "reference", gltrxfil::kReference.width));
      record.set_flag(Text(entry, field, "flag", 1, false, " "));
      records.push_back(std::move(bytes));
    }
    return records;
  }

  std::vector<std::string> Entities() {
    std::vector<std::string> records;
    std::set<std::string> seen;
    const json& list = List(company_, "", "entities");
    for (std::size_t i = 0; i < list.size(); ++i) {
      std::string field = Element("entities", i);
      const json& entry = list[i];
      CheckKnownFields(entry, field, {"code", "ranges"});
      std::string code = Text(entry, field, "code", glentity::kCodeWidth, true);
      for (char c : code)
        if (!IsLetterOrDigit(c))
          Fail(Child(field, "code"),
               Quoted(code) + " holds a character other than a letter or digit");
      std::string key = EntityFileKey(code).value;
      Unique(seen, key, Child(field, "code"));
      std::string bytes(glentity::kRecordLength, ' ');
      EntityRecordImage record{std::span<char>(bytes)};
      record.set_code(key);
      for (std::size_t e = 0; e < glentity::kEntryCount; ++e)
        for (int part = 0; part < 4; ++part) record.set_entry_field(e, part, kZeroSegmentField);
      const json& ranges = List(entry, field, "ranges");
      if (ranges.size() > glentity::kEntryCount)
        Fail(Child(field, "ranges"), "holds more than 36 ranges");
      for (std::size_t r = 0; r < ranges.size(); ++r) {
        std::string path = Element(Child(field, "ranges"), r);
        if (!ranges[r].is_array() || ranges[r].size() != 4)
          Fail(path,
               "must give profit center from, department from, profit center to, department to");
        bool all_zero = true;
        for (int part = 0; part < 4; ++part) {
          if (!ranges[r][part].is_string()) Fail(Element(path, part), "must be a text");
          std::string stored = StoredSegment(
              SegmentValue(ranges[r][part].get<std::string>(), Element(path, part), 8));
          all_zero = all_zero && stored == kZeroSegmentField;
          record.set_entry_field(r, part, stored);
        }
        // Such an entry would end the entity's list where it stands.
        if (all_zero) Fail(path, "is all zeros, which ends the entity's list");
      }
      records.push_back(std::move(bytes));
    }
    return records;
  }

  std::vector<std::string> Layouts() {
    std::vector<std::string> records;
    std::set<std::string> seen;
    const json& list = List(company_, "", "layouts");
    for (std::size_t i = 0; i < list.size(); ++i) {
      std::string field = Element("layouts", i);
      const json& layout = list[i];
      CheckKnownFields(layout, field, {"number", "lines"});
      int number = static_cast<int>(Integer(layout, field, "number", 0, 999, std::nullopt));
      const json& lines = List(layout, field, "lines");
      for (std::size_t l = 0; l < lines.size(); ++l) {
        std::string line_field = Element(Child(field, "lines"), l);
        const json& line = lines[l];
        CheckKnownFields(line, line_field, {"line", "type", "text"});
        int line_number =
            static_cast<int>(Integer(line, line_field, "line", 0, 99999, std::nullopt));
        std::string key = LayoutFileKey(number, line_number).value;
        Unique(seen, key, Child(line_field, "line"));
        std::string bytes(gllayout::kRecordLength, ' ');
        LayoutRecordImage record{std::span<char>(bytes)};
        record.set_layout_number(key.substr(0, 3));
        record.set_line_number(key.substr(3));
        record.set_line_type(Text(line, line_field, "type", gllayout::kLineType.width));
        record.set_line_text(Text(line, line_field, "text", gllayout::kLineText.width));
        records.push_back(std::move(bytes));
      }
    }
    return records;
  }

  void FinancialEntities() {
    if (!company_.contains("financial_entities")) return;
    const std::string field = "financial_entities";
    const json& entities = company_.at(field);
    CheckKnownFields(entities, field, {"file", "records"});
    std::string file = Text(entities, field, "file", 255, true);
    if (file == "." || file == ".." || file.find_first_of("/\\:") != std::string::npos)
      Fail(Child(field, "file"), Quoted(file) + " must be a plain file name");
    for (const FileImage& other : images_.files)
      if (EqualsIgnoreCase(other.file_name, file))
        Fail(Child(field, "file"), Quoted(file) + " is a ledger file's name");
    std::vector<std::string> records;
    const json& list = List(entities, field, "records");
    for (std::size_t i = 0; i < list.size(); ++i) {
      std::string record_field = Element(Child(field, "records"), i);
      const json& entry = list[i];
      CheckKnownFields(entry, record_field, {"segment", "value", "description"});
      int segment = static_cast<int>(Integer(entry, record_field, "segment", 1, 103, std::nullopt));
      if (segment > 3 && segment < 101)
        Fail(Child(record_field, "segment"), "must be 1 to 3 or 101 to 103");
      std::string bytes(entities_file::kRecordLength, '\0');
      EntitiesFileRecordImage record{std::span<char>(bytes)};
      record.set_value_text(Text(entry, record_field, "value", entities_file::kMaxValueText, true));
      record.set_segment_code(static_cast<std::int16_t>(segment));
      record.set_description(
          Text(entry, record_field, "description", entities_file::kMaxDescription));
      records.push_back(std::move(bytes));
    }
    images_.files.push_back(
        {file, LedgerFileDefinition(LedgerFile::kFinancialEntities), std::move(records)});
  }

  const json& company_;
  CompanyImages images_;
  std::array<int, 3> lengths_{};
  std::map<LedgerFile, int> key_counts_;
};

std::string CompanyLabel(const json& company, std::size_t index) {
  if (company.is_object() && company.contains("directory") && company.at("directory").is_string())
    return Quoted(company.at("directory").get<std::string>());
  return "companies[" + std::to_string(index) + "]";
}

}  // namespace

FixtureResult ParseFixture(const nlohmann::json& fixture) {
  if (!fixture.is_object() || !fixture.contains("companies") ||
      !fixture.at("companies").is_array() || fixture.at("companies").empty())
    return FixtureError{
        "the fixture must be an object whose \"companies\" lists at least one company"};
  std::vector<CompanyImages> companies;
  std::set<std::string> directories;
  const json& list = fixture.at("companies");
  for (std::size_t i = 0; i < list.size(); ++i) {
    std::string label = CompanyLabel(list[i], i);
    try {
      if (!list[i].is_object()) Fail("", "must be an object");
      companies.push_back(CompanyReader(list[i]).Read());
      if (!directories.insert(ToUpperAscii(companies.back().directory)).second)
        Fail("directory", "is the directory of an earlier company");
    } catch (const Fault& fault) {
      std::string where = fault.field.empty() ? "" : fault.field + ": ";
      return FixtureError{"company " + label + ": " + where + fault.problem};
    } catch (const json::exception& error) {
      return FixtureError{"company " + label + ": a field has the wrong form (" + error.what() +
                          ")"};
    }
  }
  return companies;
}

FixtureResult ParseFixtureText(std::string_view json_text) {
  json fixture = json::parse(json_text.begin(), json_text.end(), nullptr, false);
  if (fixture.is_discarded()) return FixtureError{"the fixture is not valid JSON"};
  return ParseFixture(fixture);
}

}  // namespace r7::ledger_tool
