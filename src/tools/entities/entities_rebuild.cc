// A company's financial entities file filled from its ledger. (platform-independent)
#include "tools/entities/entities_rebuild.h"

#include "base/error_codes.h"
#include "base/error_reporter.h"
#include "base/string_table.h"
#include "ledger/account_info.h"
#include "ledger/entities_file_edit.h"
#include "ledger/entities_file_replacement.h"
#include "specifiers/account_specifier.h"
#include "tools/entities/entities_texts.h"
#include "tools/entities_readings.h"

namespace r7::entities {
namespace {

// The lists read the ledger, not the file they are about to fill, for as long as the
// values are gathered.
class EntitiesFileSwitchedOff {
 public:
  explicit EntitiesFileSwitchedOff(Settings& settings)
      : settings_(settings), saved_(settings.lists_use_entities_file) {
    settings_.lists_use_entities_file = 0;
  }
  ~EntitiesFileSwitchedOff() { settings_.lists_use_entities_file = saved_; }
  EntitiesFileSwitchedOff(const EntitiesFileSwitchedOff&) = delete;
  EntitiesFileSwitchedOff& operator=(const EntitiesFileSwitchedOff&) = delete;

 private:
  Settings& settings_;
  int saved_;
};

struct SegmentValues {
  int code = 0;  // the segment's code in the file: 1 to 3
  std::vector<std::string> values;
  std::vector<std::string> descriptions;
};

// Every segment's values and descriptions, or the outcome that ends the fill.
FillOutcome GatherValues(const ToolContext& context, CompanyContext& company,
                         platform::WindowId window, const segment_lists::Progress& progress,
                         std::vector<SegmentValues>& out) {
  EntitiesFileSwitchedOff switched_off(context.settings);
  segment_lists::Collection collection = segment_lists::Collect(
      context, company, AllAccountsSpecifier(company.segment_count), window, progress);
  if (collection.status == kNotProcessed) return FillOutcome::kStopped;
  if (collection.status != 0 && collection.status != kNoMatchingAccounts) {
    return FillOutcome::kNoLedger;
  }
  const LedgerServices services = context.ledger(window);
  const AccountRequest request =
      MakeAccountRequest("", company.fiscal_year, context.settings.revision);
  const std::vector<int> fields = segment_lists::SegmentFields(company);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    SegmentValues segment{fields[i] + 1, std::move(collection.values[i]), {}};
    for (const std::string& value : segment.values) {
      // A stop ends the whole fill: a file whose descriptions stopped half way would
      // overwrite good descriptions with empty ones.
      if (context.settings.no_show == 0 && context.messages.AbortCheck(window)) {
        context.errors.Clear();
        return FillOutcome::kStopped;
      }
      std::string description;
      if (SegmentDescription(description, services, value, segment.code, company.code, request) !=
          0) {
        description.clear();
      }
      context.errors.Clear();
      segment.descriptions.push_back(std::move(description));
    }
    out.push_back(std::move(segment));
  }
  return FillOutcome::kDone;
}

int OutcomeMessage(FillOutcome outcome) {
  switch (outcome) {
    case FillOutcome::kDone:
      return kFileUpdated;
    case FillOutcome::kStopped:
      return kFillStopped;
    case FillOutcome::kNotClosed:
      return kCouldNotClose;
    case FillOutcome::kNoLedger:
    case FillOutcome::kNotWritten:
      return kUpdateFailed;
    case FillOutcome::kNotCreated:
      return kCouldNotCreate;
  }
  return kCouldNotCreate;
}

}  // namespace

FillOutcome FillEntitiesFile(const ToolContext& context, CompanyContext& company,
                             platform::WindowId window, FillMode mode,
                             const segment_lists::Progress& progress) {
  std::vector<SegmentValues> segments;
  if (FillOutcome gathered = GatherValues(context, company, window, progress, segments);
      gathered != FillOutcome::kDone) {
    return gathered;
  }
  const LedgerServices services = context.ledger(window);
  EntitiesFileReplacement replacement(services.records, services.companies, services.files,
                                      company);
  if (replacement.Begin(mode == FillMode::kRefreshExisting) != 0) return FillOutcome::kNotCreated;
  EntitiesFileEdit file(services.records, replacement.position());
  const bool update = mode == FillMode::kRefreshExisting;
  for (const SegmentValues& segment : segments) {
    for (std::size_t j = 0; j < segment.values.size(); ++j) {
      if (file.PutValue(segment.code, segment.values[j], segment.descriptions[j], update) != 0) {
        return FillOutcome::kNotWritten;
      }
    }
  }
  const int committed = replacement.Commit();
  context.errors.Clear();
  ForgetEntitiesReadings(context);
  if (committed == kEntitiesFileNotClosed) return FillOutcome::kNotClosed;
  return committed == 0 ? FillOutcome::kDone : FillOutcome::kNotCreated;
}

FillOutcome FillAndReport(const ToolContext& context, CompanyContext& company,
                          platform::WindowId dialog, FillMode mode, int progress_control) {
  context.input.ShowWaitCursor();
  const FillOutcome outcome = FillEntitiesFile(
      context, company, dialog, mode, [&context, dialog, progress_control](std::size_t accounts) {
        context.ui.SetControlText(
            dialog, progress_control,
            std::string(StringText(kAccountsRead)) + std::to_string(accounts));
        context.input.Repaint(dialog);
      });
  context.input.ShowArrowCursor();
  const unsigned icon = outcome == FillOutcome::kDone ? platform::box::kIconInformation
                                                      : platform::box::kIconExclamation;
  context.messages.MessageBoxById(dialog, OutcomeMessage(outcome), kCaption,
                                  platform::box::kOk | icon);
  return outcome;
}

}  // namespace r7::entities
