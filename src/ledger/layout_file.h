// A company's report layout file `gllayout`, read one layout at a time. (platform-independent)
//
// The file is the accounting system's own and is only ever read: it is opened read-only
// from the company's data directory and closed again when the reader goes. A layout is
// its head record (line 00000) and the lines that follow it in key order while their
// layout number is the same.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/company_catalogue.h"
#include "ledger/ledger_services.h"

namespace r7 {

inline constexpr std::size_t kLayoutNumberWidth = 3;

struct LayoutLine {
  std::string type;  // the type code, 4 characters ("LIT ", "RNG1")
  std::string text;  // the line text, 65 characters
};

class LayoutFile {
 public:
  LayoutFile(const LedgerServices& services, CompanyContext& company)
      : services_(services), company_(company) {}
  ~LayoutFile();
  LayoutFile(const LayoutFile&) = delete;
  LayoutFile& operator=(const LayoutFile&) = delete;

  // 0, or 38 when the record manager would not open it.
  int Open();
  // The lines of layout `number` (3 digits) after its head record; nothing when the file has
  // no head record for it. A read that fails ends the lines.
  std::optional<std::vector<LayoutLine>> ReadLayout(std::string_view number);

 private:
  const LedgerServices& services_;
  CompanyContext& company_;
  PosBlock position_;
  bool open_ = false;
};

}  // namespace r7
