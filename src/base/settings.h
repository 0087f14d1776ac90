// The driver's settings record and the table that names, sizes and defaults every item.
// (platform-independent)
//
// One record per driver. It is loaded from R7.INI at start-up and saved by the Setup dialog
// and the silent save command; a menu command's key=value pairs change it in memory only.
// Key names come from the string table (identifiers 5000 and up), so the same names serve
// the settings file and the command pairs. Text items have a fixed capacity: a longer value
// is cut to it, whichever way it arrives.
#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace r7 {

struct Settings {
  // Saved in R7.INI, section "R7 for Tessary".
  std::string company;
  std::string system_directory;
  std::string zero_label;
  std::string current_year;
  std::string revision;
  int scaling = 0;
  int rounding = 0;
  int current_period = 0;
  int na_label = 0;
  std::string chart_company;
  std::string chart_account;
  std::string chart_period;
  std::string chart_budget;
  int chart_year = 0;
  int chart_range_type = 0;
  int chart_show_account = 0;
  int chart_show_description = 0;
  int chart_show_origin = 0;
  int prepend_account = 0;
  int formulas = 0;
  int skip_zero_accounts = 0;
  std::string budget_company;
  std::string budget_year;
  std::string budget_revision;
  int account_mapping = 0;
  int profit_center_mapping = 0;
  int department_mapping = 0;
  int trans_source = 0;
  int trans_reference = 0;
  int trans_flag = 0;
  int trans_id = 0;
  std::string dpl_company;
  std::string dpl_account;
  std::string dpl_budget;
  std::string dpl_year;
  int dpl_load_this_year = 0;
  int dpl_load_last_year = 0;
  int dpl_load_budget = 0;
  int adpl_enabled = 0;
  std::string list_segment_segment;
  std::string list_segment_where;
  std::string list_segment_is;
  int selected_list = 0;
  int natural_account_segment = 0;
  int list_transpose = 0;
  int list_generate_descriptions = 0;
  int lists_use_entities_file = 0;
  int entities_file_in_gl_path = 0;
  std::string fe_file_path;
  // The drill options' highlight switch and threshold amount.
  int drill_absolute_sort = 0;
  double drill_highlight_threshold = 0;

  // Command-pair items of the current menu command, never saved: its silent mode and the
  // list it names for the Lists tool.
  int no_show = 0;
  std::string list;
};

enum class SettingKind { kText, kInteger };

// One item of the settings record: its key, where its value lives, and how it is kept.
struct SettingRow {
  int key_id;  // string-table identifier of the key name
  SettingKind kind;
  std::size_t capacity;  // text items: the most characters kept
  bool saved;            // loaded from and saved to R7.INI
  bool pair;             // can be set by a command pair
  std::string Settings::*text;
  int Settings::*number;
  const char* text_default;
  int int_default;
};

// Every item, saved rows in the order they are loaded and saved.
std::span<const SettingRow> SettingRows();

// The item of that key identifier; null when the record has none (the DrillContext keys
// and "To Chart" belong to the session, not to the record).
const SettingRow* FindSettingRow(int key_id);

// Text of the key identifier (its name in R7.INI and in command pairs).
std::string_view KeyName(const SettingRow& row);

// Sets an item to its default; the DPL defaults copy the loaded Company and Current Year.
void ResetToDefaults(Settings& settings);

// Assigns a text value to a text item, cut to its capacity.
void AssignText(Settings& settings, const SettingRow& row, std::string_view value);

// Identifiers of the string table used as key names.
namespace key {
inline constexpr int kCompany = 5000;
inline constexpr int kSystemDirectory = 5001;
inline constexpr int kZeroLabel = 5002;
inline constexpr int kCurrentYear = 5003;
inline constexpr int kRevision = 5004;
inline constexpr int kToChart = 5058;
inline constexpr int kEntitiesFileInGlPath = 5100;
inline constexpr int kFeFilePath = 5101;
inline constexpr int kAdplCompanyOn = 5200;
inline constexpr int kAdplAccount = 5201;
inline constexpr int kAdplYear = 5202;
inline constexpr int kAdplBudget = 5203;
inline constexpr int kAdplThisYearOn = 5204;
inline constexpr int kAdplLastYearOn = 5205;
inline constexpr int kAdplBudgetOn = 5206;
inline constexpr int kDrillAbsoluteSort = 5300;
inline constexpr int kDrillHighlightThreshold = 5301;
}  // namespace key

}  // namespace r7
