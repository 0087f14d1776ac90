// The company catalogue. (platform-independent)
#include "ledger/company_catalogue.h"

#include <algorithm>
#include <new>

#include "base/error_codes.h"
#include "common/text_util.h"
#include "ledger/account_number.h"
#include "ledger/company_files.h"
#include "ledger/file_layout_check.h"
#include "ledger/ledger_keys.h"
#include "ledger/ledger_records.h"

namespace r7 {
namespace {

// Slots in the order files are closed and freed: the least needed first.
constexpr LedgerSlot kCloseOrder[] = {kEntitySlot,      kTransactionSlot, kBudgetSlot,
                                      kComparativeSlot, kBalanceSlot,     kAccountSlot};

// The part of compfile.dat and glprdv66.dat the load needs: up to the department length,
// and up to the current period.
constexpr std::size_t kCompanyFileNeeded = 187;
constexpr std::size_t kCalendarFileNeeded = 228;

constexpr std::size_t kMaxEntityList = 494;
constexpr std::size_t kMaxEntityResult = 221;

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int DigitsValue(std::string_view text) {
  return AllDigits(text) ? LeadingInt(text) : -1;
}

CalendarDay DateOf(std::string_view yyyymmdd) {
  return CalendarDay{LeadingInt(yyyymmdd.substr(6, 2)), LeadingInt(yyyymmdd.substr(4, 2)),
                     LeadingInt(yyyymmdd.substr(0, 4))};
}

std::string WithBackslash(std::string text) {
  if (text.empty() || text.back() != '\\') text += '\\';
  return text;
}

}  // namespace

std::string_view NormalizedCompanyCode(std::string_view code) {
  while (!code.empty() && (code.back() == ' ' || code.back() == '\t')) code.remove_suffix(1);
  return code;
}

bool CompanyCodesMatch(std::string_view a, std::string_view b) {
  auto shorten = [](std::string_view code) {
    code = code.substr(0, 4);
    for (std::size_t i = 2; i < code.size(); ++i) {
      if (code[i] == ' ' || code[i] == '\t') return code.substr(0, i);
    }
    return code;
  };
  std::string_view short_a = shorten(a), short_b = shorten(b);
  if (short_a.size() == short_b.size() && (short_a.size() == 2 || short_a.size() == 3)) {
    return EqualsIgnoreCase(short_a, short_b);
  }
  return EqualsIgnoreCase(a, b);
}

CompanyCatalogue::CompanyCatalogue(const Settings& settings, const std::string& server_directory,
                                   platform::FileSystem& files, RecordManager& records,
                                   ErrorReporter& errors)
    : settings_(settings),
      server_directory_(server_directory),
      files_(files),
      records_(records),
      errors_(errors) {
  records_.SetFreeOneFile([this](const void* requesting) {
    FreeOneLedgerFile(static_cast<const CompanyContext*>(requesting));
  });
}

std::string CompanyCatalogue::CompanyDataDirectory(std::string_view code) const {
  std::string directory = settings_.system_directory;
  if (!directory.empty() && directory.back() != '\\') directory += '\\';
  code = NormalizedCompanyCode(code);
  if (!code.empty()) {
    if (code.size() > 2) {
      directory += code;
    } else if (!AllDigits(code)) {
      // A short code with a letter names the directory DATA_ and the code, as the company
      // directory list gives it, not the tutorial company.
      directory += "data_";
      directory += code;
    } else {
      int n = LeadingInt(code);
      if (n == 0) {
        directory += "tutorial";
      } else {
        directory += "data";
        if (n > 1) {
          directory += (n < 10 && code.size() == 1) ? "_0" : "_";
          directory += code;
        }
      }
    }
  }
  return WithBackslash(directory);
}

CompanyContext* CompanyCatalogue::FindCompany(std::string_view code) {
  code = NormalizedCompanyCode(code);
  for (const auto& company : companies_) {
    if (CompanyCodesMatch(company->code, code)) return company.get();
  }
  try {
    companies_.push_front(std::make_unique<CompanyContext>());
  } catch (const std::bad_alloc&) {
    errors_.SetError(kMemoryFull, "Company Creation");
    return nullptr;
  }
  CompanyContext& company = *companies_.front();
  company.code = CutTo(code, 12);
  LoadCompany(company);
  return &company;
}

int CompanyCatalogue::CheckCompany(const CompanyContext& company) {
  if (company.status == 0) return 0;
  errors_.Clear();
  errors_.SetError(company.status, company.code);
  return 1;
}

void CompanyCatalogue::LoadCompany(CompanyContext& company) {
  company.data_directory = CompanyDataDirectory(company.code);
  CheckEntitiesFilePresence(&company);
  // Lists that read the entities file want it open from the start; a company without the
  // file, or whose file fails to open, loads all the same.
  if (settings_.lists_use_entities_file != 0) OpenEntitiesFile(company, btr::kModeNormal);
  if (!ReadCompanyFile(company) || !ReadCalendarFile(company)) {
    company.status = kCantOpenFile;
    return;
  }
  OpenLedgerFilesAtLoad(company);
  FindYearRange(company);
}

bool CompanyCatalogue::ReadCompanyFile(CompanyContext& company) {
  std::optional<std::string> data =
      files_.ReadPrefix(company.data_directory + "compfile.dat", ledger::compfile::kImageLength);
  // A file too short to hold the account code structure cannot describe the company.
  if (!data || data->size() < kCompanyFileNeeded) return false;
  ledger::CompanyFileView file(std::span<const char>(data->data(), data->size()));
  std::array<int, 3> lengths{};
  for (int segment = 0; segment < 3; ++segment) {
    lengths[segment] = DigitsValue(file.segment_length(segment));
    if (lengths[segment] < (segment == 0 ? 1 : 0) || lengths[segment] > 8) return false;
  }
  company.name = std::string(FieldText(file.name(), 30));
  company.segment_lengths = lengths;
  company.segment_count = 1 + (lengths[1] != 0) + (lengths[2] != 0);
  return true;
}

bool CompanyCatalogue::ReadCalendarFile(CompanyContext& company) {
  std::optional<std::string> data =
      files_.ReadPrefix(company.data_directory + "glprdv66.dat", ledger::glprdv66::kImageLength);
  if (!data || data->size() < kCalendarFileNeeded) return false;
  ledger::CalendarFileView file(std::span<const char>(data->data(), data->size()));
  int count = LeadingInt(file.period_count());
  // The context holds 13 periods; a calendar of none or of more cannot be read.
  if (count < 1 || count > 13) return false;
  company.period_count = count;
  company.current_period =
      settings_.current_period != 0 ? settings_.current_period : LeadingInt(file.current_period());
  company.fiscal_year =
      std::string(file.period_end(static_cast<std::size_t>(count - 1)).substr(0, 4));
  for (std::size_t i = 0; i < 13; ++i) {
    const bool used = i < static_cast<std::size_t>(count);
    company.period_starts[i] = used ? DateOf(file.period_start(i)) : CalendarDay{};
    company.period_ends[i] = used ? DateOf(file.period_end(i)) : CalendarDay{};
  }
  return true;
}

void CompanyCatalogue::OpenLedgerFilesAtLoad(CompanyContext& company) {
  // The chart and this year's balances stay open; the others are opened to read their key
  // counts.
  struct AtLoad {
    int index;
    bool stays_open;
  };
  static constexpr AtLoad kOrder[] = {{kAccountFile, true},
                                      {kBalanceFile, true},
                                      {kComparativeFile, false},
                                      {kBudgetFile, false},
                                      {kTransactionFile, false}};
  for (const AtLoad& at_load : kOrder) {
    const LedgerFileInfo& file = *FindLedgerFile(at_load.index);
    LedgerFileSlot& slot = company.files[file.slot];
    int result = slot.open ? 0 : OpenLedgerFile(company, file.index);
    std::string spec;
    if (result == 0) result = records_.Stat(slot.position, &slot.key_count, &spec);
    // A file of another layout fails the load as a file the record manager refused would.
    if (result == 0) {
      const int16_t layout = CheckFileLayout(spec, ledger::LedgerFileDefinition(file.file));
      if (layout != btr::kOk) result = records_.CheckStatus(layout);
    }
    if (result != 0) {
      company.status = result;
      errors_.SetError(result, file.base_name);
      break;
    }
    if (!at_load.stays_open) {
      records_.Close(slot.position);
      slot.open = false;
    }
  }
  // Only the full key sets are used; any other count means key 0 alone.
  for (const AtLoad& at_load : kOrder) {
    const LedgerFileInfo& file = *FindLedgerFile(at_load.index);
    int16_t& count = company.files[file.slot].key_count;
    if (count != file.full_key_count) count = 1;
  }
}

void CompanyCatalogue::FindYearRange(CompanyContext& company) {
  int fiscal = DigitsValue(company.fiscal_year);
  company.latest_year = company.earliest_year = fiscal < 0 ? 0 : fiscal;
  LedgerFileSlot& slot = company.files[kComparativeSlot];
  if (!slot.open && OpenLedgerFile(company, kComparativeFile) != 0) return;
  const unsigned char* record = nullptr;
  int result = records_.GetFirst(slot.position, &record, nullptr, 0);
  while (result == 0) {
    ledger::ComparativeRecordView view(
        std::span<const char>(reinterpret_cast<const char*>(record), records_.record_length()));
    // A year that is not four digits names no year: it does not widen the range.
    int year = DigitsValue(view.year());
    if (view.year().size() == 4 && year >= 0) {
      company.latest_year = std::max(company.latest_year, year);
      company.earliest_year = std::min(company.earliest_year, year);
    }
    result = records_.GetNext(slot.position, &record, nullptr, 0);
  }
}

int CompanyCatalogue::OpenLedgerFile(CompanyContext& company, int index) {
  const LedgerFileInfo* file = FindLedgerFile(index);
  if (file == nullptr) return 1;
  LedgerFileSlot& slot = company.files[file->slot];
  int result = records_.Open(company.data_directory + LedgerFileName(*file), slot.position,
                             file->mode, &company);
  slot.open = result == 0;
  return result;
}

void CompanyCatalogue::CloseCompanyFiles(CompanyContext& company) {
  // Preloaded figures must not outlive the files they were read from.
  company.preload.reset();
  for (LedgerSlot slot : kCloseOrder) {
    if (company.files[slot].open) {
      records_.Close(company.files[slot].position);
      company.files[slot].open = false;
    }
  }
  if (company.entities.open) {
    records_.Close(company.entities.position);
    company.entities.open = false;
  }
}

void CompanyCatalogue::CloseAllCompanies() {
  for (auto& company : companies_) CloseCompanyFiles(*company);
  companies_.clear();
}

void CompanyCatalogue::DropFailedCompanies() {
  for (auto& company : companies_) {
    if (company->status != 0) CloseCompanyFiles(*company);
  }
  std::erase_if(companies_, [](const auto& company) { return company->status != 0; });
}

void CompanyCatalogue::FreeOneLedgerFile(const CompanyContext* requesting) {
  for (LedgerSlot slot : kCloseOrder) {
    for (auto& company : companies_) {
      if (company.get() == requesting || !company->files[slot].open) continue;
      records_.Close(company->files[slot].position);
      company->files[slot].open = false;
      return;
    }
  }
}

std::vector<int> CompanyCatalogue::YearList(const CompanyContext& company) const {
  std::vector<int> years;
  if (company.status != 0) return years;
  for (int year = company.latest_year; year >= company.earliest_year; --year) {
    years.push_back(year);
  }
  return years;
}

int CompanyCatalogue::OpenEntitiesFile(CompanyContext& company, int8_t mode) {
  if (company.entities.open) return 0;
  if (!company.entities.exists) return 1;
  if (records_.Open(EntitiesFilePath(company), company.entities.position, mode, &company) != 0) {
    company.entities.open = false;
    company.entities.exists = false;
    return records_.last_status();
  }
  company.entities.open = true;
  return 0;
}

std::string CompanyCatalogue::EntitiesFilePath(const CompanyContext& company) const {
  std::string directory = settings_.entities_file_in_gl_path != 0 ? company.data_directory
                          : settings_.fe_file_path.empty()        ? server_directory_
                                                                  : settings_.fe_file_path;
  return WithBackslash(directory) + company.code + ".sad";
}

void CompanyCatalogue::CheckEntitiesFilePresence(CompanyContext* company) {
  if (company != nullptr) {
    company->entities.exists = files_.FileExists(EntitiesFilePath(*company));
    return;
  }
  for (auto& each : companies_) CheckEntitiesFilePresence(each.get());
}

int CompanyCatalogue::CompanyInfo(std::string& out, std::string_view code, int item,
                                  std::string_view argument) {
  CompanyContext* company = FindCompany(code);
  if (company == nullptr) return 65;
  if (company->status != 0) {
    CheckCompany(*company);
    return company->status;
  }
  switch (item) {
    case 0:
      out = TrimTrailingBlanks(company->name);
      return 0;
    case 1:
      out = std::to_string(company->current_period);
      return 0;
    case 6:
      out = TrimTrailingBlanks(company->fiscal_year);
      return 0;
    case 7:
      return EntityDefinition(out, *company, argument);
    case 8:
      out = std::to_string(company->period_count);
      return 0;
    case 10:
      out = "1";
      return 0;
    case 15: {
      const int mappings[3] = {settings_.account_mapping, settings_.profit_center_mapping,
                               settings_.department_mapping};
      out.clear();
      for (int segment = 0; segment < 3; ++segment) {
        if (company->segment_lengths[segment] == 0) continue;
        if (!out.empty()) out += '-';
        out.append(static_cast<std::size_t>(company->segment_lengths[segment]),
                   mappings[segment] == 1 ? 'n' : 'a');
      }
      return 0;
    }
    case 20:
      out = "^";
      for (int segment = 1; segment < company->segment_count; ++segment) out += "-^";
      return 0;
    case 21:
      out = std::to_string(company->segment_count);
      return 0;
    default:
      errors_.SetError(kNotSupported);
      return 1;
  }
}

int CompanyCatalogue::EntityDefinition(std::string& out, CompanyContext& company,
                                       std::string_view argument) {
  LedgerFileSlot& slot = company.files[kEntitySlot];
  if (!slot.open && OpenLedgerFile(company, kEntityFile) != 0) return 1;
  ledger::LedgerKey key = ledger::EntityFileKey(argument);
  const unsigned char* record = nullptr;
  if (records_.GetEqual(slot.position, &record, key.value.data(),
                        static_cast<int8_t>(key.key_number)) != 0) {
    errors_.SetError(kNoMatchingAccounts, argument);
    return 1;
  }
  std::string copy(reinterpret_cast<const char*>(record), records_.record_length());
  ledger::EntityRecordView entity(std::span<const char>(copy.data(), copy.size()));

  auto ends_walk = [&](std::size_t entry) {
    bool all_zero = true, all_blank_first = true;
    for (int field = 0; field < 4; ++field) {
      std::string_view text = entity.entry_field(entry, field);
      all_zero &= !text.empty() && text.find_first_not_of('0') == std::string_view::npos;
      all_blank_first &= !text.empty() && text.front() == ' ';
    }
    return all_zero || all_blank_first || entity.entry_field(entry, 0).empty();
  };
  auto cut = [](std::string_view field, int length) {
    return std::string(DisplaySegment(field, length));
  };
  auto append_pair = [](std::string& list, const std::string& from, const std::string& to) {
    list += from;
    if (from != to) list += ".." + to;
    list += ',';
  };

  std::string profit_centers, departments;
  std::size_t entries = 0;
  for (; entries < ledger::glentity::kEntryCount && !ends_walk(entries); ++entries) {
    if (profit_centers.size() > kMaxEntityList || departments.size() > kMaxEntityList) break;
    const int pc = company.segment_lengths[1], dept = company.segment_lengths[2];
    append_pair(profit_centers,
                cut(entity.entry_field(entries, ledger::glentity::kProfitCenterFrom), pc),
                cut(entity.entry_field(entries, ledger::glentity::kProfitCenterTo), pc));
    if (company.has_department()) {
      append_pair(departments,
                  cut(entity.entry_field(entries, ledger::glentity::kDepartmentFrom), dept),
                  cut(entity.entry_field(entries, ledger::glentity::kDepartmentTo), dept));
    }
  }
  // An entity without a single range selects nothing: say so rather than answer "^)".
  if (entries == 0) {
    errors_.SetError(kNoMatchingAccounts, argument);
    return 1;
  }
  if (profit_centers.size() + departments.size() + 5 >= kMaxEntityResult) {
    errors_.SetError(kRangeTooLong, argument);
    return 1;
  }
  profit_centers = "(" + profit_centers;
  profit_centers.back() = ')';
  out = company.has_department() ? "^-^" + profit_centers : "^" + profit_centers;
  if (company.has_department()) {
    departments = "(" + departments;
    departments.back() = ')';
    out += "," + departments;
  }
  return 0;
}

}  // namespace r7
