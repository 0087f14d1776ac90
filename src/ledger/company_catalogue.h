// The company catalogue: a company code becomes a loaded company with its calendar,
// account code structure and open ledger files. (platform-independent)
//
// Loaded companies stay in the list, newest first, until CloseAllCompanies(); a company is
// read from disk once and every later call finds it in memory. A company that fails to
// load stays in the list with the error code as its status, and every use reports that
// code until DropFailedCompanies() removes it. Files open and close many times in a
// company's life (FreeOneLedgerFile may close one behind its back), so users test a
// slot's open flag before every use and reopen as needed.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/error_reporter.h"
#include "base/settings.h"
#include "ledger/ledger_files.h"
#include "ledger/used_account_list.h"
#include "platform/file_system.h"
#include "recordmgr/record_manager.h"
#include "specifiers/dates.h"

namespace r7 {

// What a floor above the ledger keeps for one company (the preload cache's selections).
// The company owns it, and closing the company's files releases it.
struct CompanyCache {
  virtual ~CompanyCache() = default;
};

struct LedgerFileSlot {
  bool open = false;
  PosBlock position;
  int16_t key_count =
      1;  // 4 or 1 (accounts, comparatives, budgets); 3 or 1 (balances, transactions)
};

struct EntitiesFileSlot {
  bool open = false;
  bool exists = false;
  PosBlock position;
};

struct CompanyContext {
  int status = 0;  // 0 when loaded completely, else the code that stopped the load
  UsedAccountList used_accounts;
  std::string code;  // 1 to 12 characters, trailing blanks and tabs removed
  std::string name;  // at most 30 characters, as compfile.dat holds it
  int current_period = 1;
  std::string fiscal_year;               // 4 characters
  int period_count = 12;                 // 1 to 13 once loaded
  std::array<int, 3> segment_lengths{};  // main, profit center, department; 0: no segment
  int latest_year = 0;
  int earliest_year = 0;
  int segment_count = 1;
  std::array<CalendarDay, 13> period_starts{};
  std::array<CalendarDay, 13> period_ends{};
  std::array<LedgerFileSlot, kLedgerSlotCount> files{};
  EntitiesFileSlot entities;
  std::string data_directory;  // ends in a backslash
  // The company's preloaded selections (preload/preload_settings.h); none until the first
  // preload. Closing the company's files releases them.
  std::shared_ptr<CompanyCache> preload;

  bool has_department() const { return segment_lengths[2] != 0; }
};

class CompanyCatalogue {
 public:
  CompanyCatalogue(const Settings& settings, const std::string& server_directory,
                   platform::FileSystem& files, RecordManager& records, ErrorReporter& errors);
  CompanyCatalogue(const CompanyCatalogue&) = delete;
  CompanyCatalogue& operator=(const CompanyCatalogue&) = delete;

  // The company of `code`, loaded on first use. It may carry a nonzero status; pass it to
  // CheckCompany() before use. Null only when no memory could be had for it.
  CompanyContext* FindCompany(std::string_view code);

  // 0 for a company with status 0; otherwise the company's status becomes the pending error
  // (replacing any other) with the company code as detail, and the result is 1.
  int CheckCompany(const CompanyContext& company);

  // The data directory of a company code under the System Directory, with a trailing
  // backslash: "00" tutorial\, "01" data\, "02" data_02\, "ACME" ACME\.
  std::string CompanyDataDirectory(std::string_view code) const;

  // Opens the file of `index` into its slot: 0, 38, or 1 for an unknown index.
  int OpenLedgerFile(CompanyContext& company, int index);
  void CloseCompanyFiles(CompanyContext& company);
  void CloseAllCompanies();
  void DropFailedCompanies();
  // Closes one ledger file that a company other than `requesting` holds open.
  void FreeOneLedgerFile(const CompanyContext* requesting);

  // One company information item into `out`: 0, 1 after reporting an error, the company's
  // status, or 65 when no company could be had.
  int CompanyInfo(std::string& out, std::string_view code, int item, std::string_view argument);

  // The years of a company, latest first; empty for a company that failed to load.
  std::vector<int> YearList(const CompanyContext& company) const;

  // Opens the company's financial entities file into its entities slot: 0 when it is open
  // already or now; 1 when the company has no file; otherwise both flags of the slot are
  // cleared and the record manager's status is returned.
  int OpenEntitiesFile(CompanyContext& company, int8_t mode);
  // Where the company's financial entities file is, and whether it is there now.
  std::string EntitiesFilePath(const CompanyContext& company) const;
  // Refreshes the exists flag of one company, or of every loaded company when null.
  void CheckEntitiesFilePresence(CompanyContext* company);

  const std::deque<std::unique_ptr<CompanyContext>>& companies() const { return companies_; }

 private:
  void LoadCompany(CompanyContext& company);
  bool ReadCompanyFile(CompanyContext& company);
  bool ReadCalendarFile(CompanyContext& company);
  void OpenLedgerFilesAtLoad(CompanyContext& company);
  void FindYearRange(CompanyContext& company);
  int EntityDefinition(std::string& out, CompanyContext& company, std::string_view argument);

  const Settings& settings_;
  const std::string& server_directory_;
  platform::FileSystem& files_;
  RecordManager& records_;
  ErrorReporter& errors_;
  std::deque<std::unique_ptr<CompanyContext>> companies_;
};

// Trailing blanks and tabs removed: "01 " and "01" are one company.
std::string_view NormalizedCompanyCode(std::string_view code);

// The company-code matching rule: the first four characters of each code, ended at a blank
// or tab in the third or fourth place, compared without case when both are 2 or 3
// characters long; otherwise the whole codes without case.
bool CompanyCodesMatch(std::string_view a, std::string_view b);

}  // namespace r7
