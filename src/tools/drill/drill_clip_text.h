// The text that Send to Clipboard writes from the drill-down's list, kept until the Drill
// dialog hands it to the clipboard: tab-separated cells, and next to each drilled value,
// when the Formulas option asks for them, a spreadsheet formula that recomputes the value's
// balance through the add-in's GL and BSPEC functions. (platform-independent)
//
// Several Sends accumulate in one text. Each starts with a header (the drill's parameters)
// when they changed since the last header, else with one empty line; the Excel formulas are
// relative references (R1C1) into the lines of the header, so the pasted block stays live.
// The text goes to the clipboard when the dialog loses the activation or closes; a new
// activation starts afresh.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "base/settings.h"
#include "specifiers/dates.h"
#include "tools/drill/drill_rows.h"

namespace r7::drill {

// What a drill asked for: the rows' header.
struct DrillParameters {
  std::string company;
  std::string accounts;
  std::string year;
  std::string revision;
  std::string period;
  DateRange dates;  // transaction mode
  int segment = 0;  // account mode: the drilled segment, from 0
  friend bool operator==(const DrillParameters&, const DrillParameters&) = default;
};

inline constexpr std::size_t kMaxAppend = 2017;  // characters of one append

class DrillClipText {
 public:
  // Activation: no text, the next Send writes the header.
  void Reset();
  // The drill's parameters changed: the next Send writes the header again.
  void RewriteHeader() { rewrite_header_ = true; }

  // Writes every row of `rows`, in the order they were added, under the header or an
  // empty line.
  void Send(const RowList& rows, const DrillParameters& drill, const Settings& settings);

  // The text for the clipboard, when there is one; it is forgotten here, and the next Send
  // starts with a header, because the lines its formulas point at went with it.
  std::optional<std::string> Take();

 private:
  void Append(std::string_view text, bool line_end);
  void WriteHeader(Mode mode, const DrillParameters& drill);
  void WriteAccountRow(const Row& row, int index, const DrillParameters& drill,
                       const Settings& settings);
  void WriteTransactionRow(const Row& row, const Settings& settings);

  std::optional<std::string> text_;
  int lines_ = 0;         // line ends written
  int header_start_ = 0;  // the line the current header starts at
  bool rewrite_header_ = true;
};

// The relative reference to the cell `rows_up` lines up and `columns_left` columns left,
// in R1C1 notation: ref(1, 2) is 'R[-1]C[-2]', ref(0, 2) is 'RC[-2]'.
std::string RelativeReference(int rows_up, int columns_left);

}  // namespace r7::drill
