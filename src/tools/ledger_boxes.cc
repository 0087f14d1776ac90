// The company, budget revision and year boxes. (platform-independent)
#include "tools/ledger_boxes.h"

#include <cstdio>
#include <string>
#include <vector>

#include "base/limits.h"
#include "common/text_util.h"
#include "ledger/company_catalogue.h"

namespace r7::ledger_boxes {

namespace {

constexpr int kRevisionCount = 99;

// Selects the entry that `matches`, or shows `text` when none does.
template <typename Match>
void SelectOrShow(platform::UserInterface& ui, platform::WindowId dialog, int control,
                  const std::vector<std::string>& entries, std::string_view text,
                  const Match& matches) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (matches(entries[i])) {
      ui.SelectEntry(dialog, control, static_cast<int>(i));
      return;
    }
  }
  ui.SelectEntry(dialog, control, static_cast<int>(entries.size()));  // none
  ui.SetControlText(dialog, control, text);
}

}  // namespace

void FillCompanies(const ToolContext& context, platform::WindowId dialog, int control,
                   std::string_view code) {
  platform::UserInterface& ui = context.ui;
  ui.ClearEntries(dialog, control);
  const std::vector<std::string>& entries = context.company_dir_list();
  for (const std::string& entry : entries) ui.AddEntry(dialog, control, entry);
  SelectOrShow(ui, dialog, control, entries, code, [code](const std::string& entry) {
    const std::string_view entry_code = std::string_view(entry).substr(0, entry.find(' '));
    return CompanyCodesMatch(entry_code, code);
  });
}

std::string CompanyCodeOfEntry(std::string_view entry) {
  return CutTo(entry.substr(0, entry.find_first_of(" \t")), kMaxCompanyCode);
}

std::string CompanyCode(const ToolContext& context, platform::WindowId dialog, int control) {
  return CompanyCodeOfEntry(context.ui.ControlText(dialog, control));
}

void FillRevisions(const ToolContext& context, platform::WindowId dialog, int control,
                   std::string_view revision) {
  platform::UserInterface& ui = context.ui;
  ui.ClearEntries(dialog, control);
  std::vector<std::string> entries;
  for (int number = 1; number <= kRevisionCount; ++number) {
    char text[4];
    std::snprintf(text, sizeof text, "%02d", number);
    entries.emplace_back(text);
    ui.AddEntry(dialog, control, text);
  }
  const int wanted = LeadingInt(TrimLeadingBlanks(revision));
  SelectOrShow(ui, dialog, control, entries, revision,
               [wanted](const std::string& entry) { return LeadingInt(entry) == wanted; });
}

void FillYears(const ToolContext& context, platform::WindowId dialog, int control,
               const CompanyContext* company, std::string_view year) {
  platform::UserInterface& ui = context.ui;
  ui.ClearEntries(dialog, control);
  std::vector<std::string> entries;
  if (company != nullptr) {
    const LedgerServices services = context.ledger(platform::kNoWindow);
    for (int each : services.companies.YearList(*company)) {
      entries.push_back(std::to_string(each));
      ui.AddEntry(dialog, control, entries.back());
    }
  }
  SelectOrShow(ui, dialog, control, entries, year,
               [year](const std::string& entry) { return entry == TrimBlanks(year); });
}

}  // namespace r7::ledger_boxes
