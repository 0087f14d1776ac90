// Account information and segment descriptions. (platform-independent)
#include "ledger/account_info.h"

#include <array>
#include <cstring>

#include "base/error_codes.h"
#include "base/string_table.h"
#include "common/text_util.h"
#include "ledger/account_number.h"
#include "ledger/entities_file.h"
#include "ledger/ledger_keys.h"
#include "ledger/ledger_records.h"

namespace r7 {
namespace {

constexpr int kSegmentTitles = 131;  // string table: "Main", "Profit Center", "Department"

// The company of `code` ready for use, or the code to return.
int FindReadyCompany(const LedgerServices& services, std::string_view code,
                     CompanyContext** company) {
  *company = services.companies.FindCompany(code);
  if (*company == nullptr) return kAlreadyReported;
  if ((*company)->status != 0) {
    services.companies.CheckCompany(**company);
    return (*company)->status;
  }
  return 0;
}

int OpenChart(const LedgerServices& services, CompanyContext& company) {
  if (company.files[kAccountSlot].open) return 0;
  return services.companies.OpenLedgerFile(company, kAccountFile);
}

// The first chart record the request selects, copied, or the code to return.
int FirstAccount(const LedgerServices& services, CompanyContext& company,
                 const AccountRequest& request, bool no_type_check, std::string& record) {
  AccountIteration iteration(services);
  int result = iteration.First(request, company, kIterateChart, no_type_check);
  if (result == kIterationRecord) {
    record = std::string(iteration.record());
    return 0;
  }
  return result == kIterationEnd ? kNoMatchingAccounts : result;
}

}  // namespace

int AccountInfo(std::string& out, const LedgerServices& services, std::string_view company_code,
                const AccountRequest& request, int item) {
  CompanyContext* company = nullptr;
  if (int result = FindReadyCompany(services, company_code, &company); result != 0) return result;
  if (int result = OpenChart(services, *company); result != 0) return result;
  std::string copy;
  if (int result = FirstAccount(services, *company, request, false, copy); result != 0)
    return result;
  ledger::AccountRecordView account(std::span<const char>(copy.data(), copy.size()));
  switch (item) {
    case kAccountDescription:
      out = TrimTrailingBlanks(account.description());
      return 0;
    case kAccountType:
      out = TrimTrailingBlanks(account.type());
      return 0;
    case kAccountTypical:
      out = TrimTrailingBlanks(account.typical());
      return 0;
    case kAccountConsolidation:
      out = TrimTrailingBlanks(DisplayAccount(account.consolidation(), company->segment_lengths));
      return 0;
    case kAccountSaf:
      out = TrimTrailingBlanks(account.saf());
      return 0;
    default:
      services.errors.SetError(kNotSupported);
      return kAlreadyReported;
  }
}

int SegmentDescription(std::string& out, const LedgerServices& services,
                       std::string_view account_text, int segment, std::string_view company_code,
                       const AccountRequest& request) {
  if (account_text.empty()) {
    if (segment < 1 || segment > 3) return kAlreadyReported;
    out = StringText(kSegmentTitles + segment - 1);
    return 0;
  }
  // A segment number that names no segment has no description, whatever the text.
  if (segment < 0 || segment > 3) return kAlreadyReported;

  CompanyContext* company = nullptr;
  if (int result = FindReadyCompany(services, company_code, &company); result != 0) return result;
  std::string text(account_text);

  // An entity or a list stands for the first account it selects.
  if (text.find_first_of("(^") != std::string::npos) {
    AccountRequest first =
        MakeAccountRequest(text, services.settings.current_year, services.settings.revision);
    std::string record;
    if (OpenChart(services, *company) == 0 &&
        FirstAccount(services, *company, first, true, record) == 0) {
      text = DisplayAccount(record, company->segment_lengths);
    } else {
      services.errors.Clear();  // nothing found: the text is taken as written
    }
  }

  const int segment_code = segment == 0 ? 1 : segment;
  if (services.settings.lists_use_entities_file != 0 && company->entities.exists) {
    EntitiesFile entities(services.records, services.companies, services.files);
    if (std::optional<std::string> description =
            entities.ValueDescription(*company, text, segment_code)) {
      out = *description;
      return 0;
    }
  }

  if (segment == 2 || segment == 3) {
    if (int result = OpenChart(services, *company); result != 0) return result;
    std::string value = text;
    if (text.find('-') != std::string::npos) {
      std::string item = text;
      if (int result = ValidateAccountItem(item, company->segment_lengths, services.errors);
          result != 0) {
        return result;
      }
      std::size_t first = item.find('-');
      std::size_t second = item.find('-', first + 1);
      value = segment == 2 ? item.substr(first + 1, second - first - 1) : item.substr(second + 1);
    }
    // A value wider than its field names no title record; no key is built past the field.
    if (value.size() > kSegmentFieldWidth) return services.records.CheckStatus(btr::kKeyNotFound);
    std::string zero(kZeroSegmentField);
    std::string number =
        segment == 2 ? zero + StoredSegment(value) + zero : zero + zero + StoredSegment(value);
    ledger::LedgerKey key = ledger::AccountFileKey(number);
    std::array<char, kKeyLength + 1> buffer{};
    std::memcpy(buffer.data(), key.value.data(), key.value.size());
    LedgerFileSlot& chart = company->files[kAccountSlot];
    if (int result = services.records.GetEqual(chart.position, nullptr, buffer.data(),
                                               static_cast<int8_t>(key.key_number));
        result != 0) {
      return result;
    }
    std::string copy(reinterpret_cast<const char*>(services.records.record_buffer()),
                     services.records.record_length());
    ledger::AccountRecordView title(std::span<const char>(copy.data(), copy.size()));
    out = TrimTrailingBlanks(title.description());
    return 0;
  }

  if (text.find('-') == std::string::npos) {
    if (company->segment_lengths[1] != 0) text += "-*";
    if (company->segment_lengths[2] != 0) text += "-*";
  }
  AccountRequest described =
      MakeAccountRequest(text, request.year, request.revision, request.range_type);
  return AccountInfo(out, services, company_code, described, kAccountDescription);
}

}  // namespace r7
