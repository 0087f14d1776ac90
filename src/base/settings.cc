// The settings table: every item's key, capacity, default and target. (platform-independent)
#include "base/settings.h"

#include <algorithm>
#include <array>

#include "base/string_table.h"
#include "common/text_util.h"

namespace r7 {
namespace {

constexpr SettingRow Text(int id, std::string Settings::*member, std::size_t capacity,
                          const char* fallback, bool saved = true, bool pair = true) {
  return {id, SettingKind::kText, capacity, saved, pair, member, nullptr, fallback, 0};
}
constexpr SettingRow Integer(int id, int Settings::*member, int fallback, bool saved = true,
                             bool pair = true) {
  return {id, SettingKind::kInteger, 0, saved, pair, nullptr, member, nullptr, fallback};
}
constexpr bool kNotSaved = false;
constexpr bool kNoPair = false;

// Saved rows first, in the order of loading and saving; then the command-pair items of the
// current command, which R7.INI does not keep. A null text default on a DPL row means "the loaded
// value of".
constexpr std::array kRows = {
    Text(5000, &Settings::company, 12, "00"),
    Text(5001, &Settings::system_directory, 259, "C:\\Tessary"),
    Text(5002, &Settings::zero_label, 16, "0"),
    Text(5003, &Settings::current_year, 4, "1994"),
    Text(5004, &Settings::revision, 2, "01"),
    Integer(5012, &Settings::scaling, 0),
    Integer(5013, &Settings::rounding, 0),
    Integer(5014, &Settings::current_period, 0),
    Integer(5015, &Settings::na_label, 1),
    Text(5005, &Settings::chart_company, 12, "00"),
    Text(5006, &Settings::chart_account, 662, "*-*-*"),
    Text(5007, &Settings::chart_period, 512, "Month"),
    Text(5008, &Settings::chart_budget, 662, "01"),
    Integer(5016, &Settings::chart_year, 1994),
    Integer(5017, &Settings::chart_range_type, 2),
    Integer(5018, &Settings::chart_show_account, 1),
    Integer(5019, &Settings::chart_show_description, 1),
    Integer(5020, &Settings::chart_show_origin, 0),
    Integer(5021, &Settings::prepend_account, 1),
    Integer(5022, &Settings::formulas, 0),
    Integer(5023, &Settings::skip_zero_accounts, 0),
    Text(5009, &Settings::budget_company, 12, "00"),
    Text(5011, &Settings::budget_year, 4, "1994"),
    Text(5010, &Settings::budget_revision, 2, "01"),
    Integer(5024, &Settings::account_mapping, 3),
    Integer(5025, &Settings::profit_center_mapping, 3),
    Integer(5026, &Settings::department_mapping, 3),
    Integer(5035, &Settings::trans_source, 1),
    Integer(5036, &Settings::trans_reference, 1),
    Integer(5037, &Settings::trans_flag, 1),
    Integer(5038, &Settings::trans_id, 1),
    Text(5041, &Settings::dpl_company, 12, nullptr),
    Text(5042, &Settings::dpl_account, 511, ""),
    Text(5043, &Settings::dpl_budget, 2, "01"),
    Text(5044, &Settings::dpl_year, 4, nullptr),
    Integer(5045, &Settings::dpl_load_this_year, 1),
    Integer(5046, &Settings::dpl_load_last_year, 0),
    Integer(5047, &Settings::dpl_load_budget, 0),
    Integer(5048, &Settings::adpl_enabled, 0),
    Text(5050, &Settings::list_segment_segment, 50, ""),
    Text(5051, &Settings::list_segment_where, 50, "(None)"),
    Text(5052, &Settings::list_segment_is, 50, ""),
    Integer(5053, &Settings::selected_list, 0),
    Integer(5054, &Settings::natural_account_segment, 1),
    Integer(5055, &Settings::list_transpose, 0),
    Integer(5056, &Settings::list_generate_descriptions, 0),
    Integer(5057, &Settings::lists_use_entities_file, 0),
    Integer(5100, &Settings::entities_file_in_gl_path, 0, true, kNoPair),
    Text(5101, &Settings::fe_file_path, 259, "", true, kNoPair),
    // Command-pair items of the current command only.
    Integer(5034, &Settings::no_show, 0, kNotSaved),
    // The list request is taken whole, so that a request too long for the Lists tool is
    // refused there rather than cut in the middle of an item.
    Text(5049, &Settings::list, 511, "", kNotSaved),
};

}  // namespace

std::span<const SettingRow> SettingRows() {
  return kRows;
}

const SettingRow* FindSettingRow(int key_id) {
  for (const SettingRow& row : kRows) {
    if (row.key_id == key_id) return &row;
  }
  return nullptr;
}

std::string_view KeyName(const SettingRow& row) {
  return StringText(row.key_id);
}

void AssignText(Settings& settings, const SettingRow& row, std::string_view value) {
  if (row.text != nullptr) settings.*row.text = CutTo(value, row.capacity);
}

void ResetToDefaults(Settings& settings) {
  settings = Settings{};
  for (const SettingRow& row : kRows) {
    if (row.text != nullptr && row.text_default != nullptr) {
      AssignText(settings, row, row.text_default);
    } else if (row.number != nullptr) {
      settings.*row.number = row.int_default;
    }
  }
  settings.dpl_company = settings.company;
  settings.dpl_year = settings.current_year;
  settings.drill_absolute_sort = 1;
  settings.drill_highlight_threshold = 0;
}

}  // namespace r7
