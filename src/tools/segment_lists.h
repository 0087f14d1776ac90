// The segments of a company as the lists show them, and the distinct values of each that
// the ledger holds: what the Lists tool caches and the account enquiry offers.
// (platform-independent)
//
// Values are collected by asking the balance engine for the balance of an account
// specifier over the period "month" of the company's fiscal year, with the engine giving
// every account number it sums to a collector: each segment's field, in its display form,
// goes into that segment's sorted list of distinct values. A walk the user stops is not a
// collection: its caller keeps nothing of it.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/tool_context.h"

namespace r7::segment_lists {

using SegmentValues = std::array<std::vector<std::string>, kListSegmentSlots>;
// Hears how many accounts a collection has read so far, now and then.
using Progress = std::function<void(std::size_t accounts)>;

// The field of each segment of the company (0 main, 1 profit center, 2 department), in
// order: the company's segments as the lists count them.
std::vector<int> SegmentFields(const CompanyContext& company);

// The title of the segment in field `field` ("Main", "Profit Center", "Department").
std::string SegmentTitle(const ToolContext& context, const CompanyContext& company, int field);

struct Collection {
  int status = 0;        // the engine's answer: 0, 22 when nothing matched, 41 when stopped
  SegmentValues values;  // by position among the company's segments
};

// Collects the values of every segment of the accounts that `specifier` selects; stop
// requests are read from `window`.
Collection Collect(const ToolContext& context, CompanyContext& company, std::string_view specifier,
                   platform::WindowId window, const Progress& progress);

// Fills the list caches from the company's ledger, or from its financial entities file
// when the lists use it, unless they are valid for the company already. Descriptions are
// looked up when "List Generate Descriptions" is on; a stop there ends the descriptions
// of that segment only. Returns 0, or the failure that left the caches invalid.
int FillCaches(const ToolContext& context, CompanyContext& company, platform::WindowId window,
               const Progress& progress);

}  // namespace r7::segment_lists
