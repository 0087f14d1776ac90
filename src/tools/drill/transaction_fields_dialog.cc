// The Transaction Fields dialog. (platform-independent)
#include "tools/drill/transaction_fields_dialog.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "base/error_codes.h"
#include "resources/drill_dialog_ids.h"
#include "tools/tool_dialog.h"

namespace r7::drill {
namespace {

using platform::WindowId;
namespace notify = platform::notify;

constexpr int kObsoleteFormulas = 5390;
constexpr int kExcelR1C1Warning = 200;
constexpr unsigned long kHelpTopic = 40;

class TransactionFieldsDialog : public ToolDialog {
 public:
  explicit TransactionFieldsDialog(const ToolContext& context)
      : ToolDialog(context, DialogKind::kTransactionFields) {}

 private:
  void OnInit(WindowId self) override {
    platform::UserInterface& ui = context_.ui;
    const Settings& s = context_.settings;
    ui.SetChecked(self, R7_TRXF_ID, s.trans_id != 0);
    ui.SetChecked(self, R7_TRXF_SOURCE, s.trans_source != 0);
    ui.SetChecked(self, R7_TRXF_REFERENCE, s.trans_reference != 0);
    ui.SetChecked(self, R7_TRXF_FLAG, s.trans_flag != 0);
    ui.SetChecked(self, R7_TRXF_FORMULAS_NONE, s.formulas != 1 && s.formulas != 2);
    ui.SetChecked(self, R7_TRXF_FORMULAS_LOTUS, s.formulas == 1);
    ui.SetChecked(self, R7_TRXF_FORMULAS_EXCEL, s.formulas == 2);
    ui.SetChecked(self, R7_TRXF_ABSOLUTE_SORT, s.drill_absolute_sort != 0);
    ui.SetControlText(self, R7_TRXF_THRESHOLD, ThresholdText(s.drill_highlight_threshold));
  }

  bool OnCommand(WindowId self, int id, int notification) override {
    Settings& s = context_.settings;
    if (id == R7_TRXF_THRESHOLD) {
      if (notification == notify::kEditKillFocus) {
        s.drill_highlight_threshold =
            ParseThreshold(context_.ui.ControlText(self, R7_TRXF_THRESHOLD));
      }
      return true;
    }
    if (notification != notify::kClicked) return false;
    auto checked = [&] { return context_.ui.IsChecked(self, id) ? 1 : 0; };
    switch (id) {
      case R7_TRXF_ID:
        s.trans_id = checked();
        return true;
      case R7_TRXF_SOURCE:
        s.trans_source = checked();
        return true;
      case R7_TRXF_REFERENCE:
        s.trans_reference = checked();
        return true;
      case R7_TRXF_FLAG:
        s.trans_flag = checked();
        return true;
      case R7_TRXF_ABSOLUTE_SORT:
        s.drill_absolute_sort = checked();
        return true;
      case R7_TRXF_FORMULAS_NONE:
        s.formulas = 0;
        return true;
      case R7_TRXF_FORMULAS_LOTUS:
      case R7_TRXF_FORMULAS_EXCEL:
        context_.messages.MessageBoxById(self, kObsoleteFormulas, kCaption,
                                         platform::box::kOk | platform::box::kIconInformation);
        if (id == R7_TRXF_FORMULAS_EXCEL) {
          context_.messages.ShowErrorBox(self, kExcelR1C1Warning, "");
        }
        s.formulas = id == R7_TRXF_FORMULAS_LOTUS ? 1 : 2;
        return true;
      case R7_TRXF_HELP:
        context_.help.Open(self, "Tessary.HLP", kHelpContext, kHelpTopic);
        return true;
      case platform::kOkButton:
      case platform::kCancelButton:
      case kCloseAndCleanUp:
        SaveAndClose(self);
        return true;
      default:
        return false;
    }
  }

  void SaveAndClose(WindowId self) {
    if (!context_.settings_store.SaveAll(context_.settings)) {
      context_.messages.ShowErrorBox(self, kIniNotWritten, "");
    }
    const WindowId drill = context_.dialogs.Handle(DialogKind::kDrill);
    if (drill != platform::kNoWindow && context_.ui.IsWindow(drill)) {
      context_.ui.Send(drill, platform::CommandMessage(R7_DRILL_TRANSACTION_COLUMNS));
    }
    context_.ui.DestroyWindow(self);
  }
};

}  // namespace

WindowId OpenTransactionFields(const ToolContext& context, WindowId owner) {
  const WindowId window =
      ToolDialog::Open(std::make_shared<TransactionFieldsDialog>(context), "TRXFIELDS", owner);
  if (window != platform::kNoWindow) context.dialogs.Set(DialogKind::kTransactionFields, window);
  return window;
}

std::string ThresholdText(double threshold) {
  char text[40];
  for (int digits = 1; digits <= 17; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, threshold);
    // The box reads back only what it shows: no exponent while the digits can do without.
    const bool exponent = std::string_view(text).find('e') != std::string_view::npos;
    if (std::strtod(text, nullptr) == threshold && (!exponent || digits == 17)) break;
  }
  return text;
}

double ParseThreshold(std::string_view text) {
  std::string kept;
  for (char c : text) {
    if ((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-') kept += c;
  }
  return std::strtod(kept.c_str(), nullptr);
}

}  // namespace r7::drill
