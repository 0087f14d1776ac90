// A company's report layout file. (platform-independent)
#include "ledger/layout_file.h"

#include <span>

#include "ledger/layout_record.h"
#include "ledger/ledger_file_definitions.h"

namespace r7 {
namespace {

// The record the record manager just read, as a layout line.
LayoutLine LineOf(const unsigned char* record, uint16_t length) {
  ledger::LayoutRecordView view(
      std::span<const char>(reinterpret_cast<const char*>(record), length));
  return {std::string(view.line_type()), std::string(view.line_text())};
}

}  // namespace

LayoutFile::~LayoutFile() {
  if (open_) services_.records.Close(position_);
}

int LayoutFile::Open() {
  const std::string path = company_.data_directory +
                           std::string(ledger::LedgerFileBaseName(ledger::LedgerFile::kLayouts)) +
                           ".btr";
  const int result = services_.records.Open(path, position_, btr::kModeReadOnly, &company_);
  open_ = result == 0;
  return result;
}

std::optional<std::vector<LayoutLine>> LayoutFile::ReadLayout(std::string_view number) {
  RecordManager& records = services_.records;
  std::string key(number);
  key += "00000";
  key.resize(kKeyBufferSize, '\0');
  const unsigned char* record = nullptr;
  if (records.GetEqual(position_, &record, key.data(), 0) != 0) return std::nullopt;
  std::vector<LayoutLine> lines;
  const unsigned char* next_key = nullptr;
  while (records.GetNext(position_, &record, &next_key, 0) == 0) {
    const uint16_t length = records.record_length();
    const std::string_view layout(reinterpret_cast<const char*>(record),
                                  std::min<std::size_t>(length, kLayoutNumberWidth));
    if (layout != number) break;
    lines.push_back(LineOf(record, length));
  }
  return lines;
}

}  // namespace r7
