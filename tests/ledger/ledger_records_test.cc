// The field offsets of every ledger record image, and what a short image reads and writes.
#include "ledger/ledger_records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ledger/company_files.h"
#include "ledger/entities_file_record.h"
#include "ledger/layout_record.h"

namespace r7::ledger {
namespace {

// 1.5 as a little-endian IEEE double.
const std::string kOnePointFive("\0\0\0\0\0\0\xf8\x3f", 8);

// Each field's bytes at its offset in `image`.
struct FieldCase {
  const char* what;
  std::size_t offset;
  std::string bytes;
};
void ExpectFields(const std::string& image, std::initializer_list<FieldCase> cases) {
  for (const FieldCase& c : cases)
    EXPECT_EQ(image.substr(c.offset, c.bytes.size()), c.bytes) << c.what;
}

TEST(LedgerRecordsTest, AccountFieldsSitAtTheirOffsets) {
  std::string bytes(glactfil::kRecordLength, '\0');
  AccountRecordImage record{std::span<char>(bytes)};
  record.set_account_number("000010000000001000000200");
  record.set_description("Cash at bank");
  record.set_consolidation("000010000000000000000000");
  record.set_type("B");
  record.set_saf("A");
  record.set_typical("D");
  ExpectFields(bytes, {{"main", 0, "00001000"},
                       {"profit center", 8, "00000010"},
                       {"department", 16, "00000200"},
                       {"description", 24, "Cash at bank" + std::string(18, ' ')},
                       {"consolidation", 108, "000010000000000000000000"},
                       {"type", 137, "B"},
                       {"saf", 138, "A"},
                       {"typical", 139, "D"},
                       {"untouched", 54, std::string(54, '\0')}});
  AccountRecordView view{std::span<const char>(bytes)};
  EXPECT_EQ(view.profit_center(), "00000010");
  EXPECT_EQ(view.description().size(), 30u);
}

TEST(LedgerRecordsTest, BalanceAndComparativeFields) {
  std::string balance(glbalfil::kRecordLength, '\0');
  BalanceRecordImage b{std::span<char>(balance)};
  b.set_account_number("000040000000001000000200");
  b.set_opening("00000000150000+");
  b.set_period(1, 1.5);
  b.set_period(13, 1.5);
  b.set_period(0, 99);   // no period 0: nothing written
  b.set_period(14, 99);  // nor 14
  ExpectFields(balance, {{"opening", 24, "00000000150000+"},
                         {"period 1", 999, kOnePointFive},
                         {"period 2", 1007, std::string(8, '\0')},
                         {"period 13", 999 + 96, kOnePointFive},
                         {"after period 13", 1103, std::string(136, '\0')}});
  EXPECT_EQ(BalanceRecordView{std::span<const char>(balance)}.period(13), 1.5);
  EXPECT_EQ(BalanceRecordView{std::span<const char>(balance)}.period(0), 0);

  std::string comparative(glcmpfil::kRecordLength, '\0');
  ComparativeRecordImage c{std::span<char>(comparative)};
  c.set_year("2001");
  c.set_opening("00000000000001-");
  c.set_period(2, 1.5);
  ExpectFields(
      comparative,
      {{"year", 24, "2001"}, {"opening", 28, "00000000000001-"}, {"period 2", 246, kOnePointFive}});
}

TEST(LedgerRecordsTest, BudgetFields) {
  std::string bytes(glbudfil::kRecordLength, 'x');
  BudgetRecordImage record{std::span<char>(bytes)};
  record.set_year("2002");
  record.set_revision_code("99");
  record.set_text_amount(1, "000000001234-");
  record.set_text_amount(13, "000000000000+");
  record.set_period(3, 1.5);
  record.clear_reserved();
  ExpectFields(bytes, {{"year", 24, "2002"},
                       {"revision", 28, "99"},
                       {"text 1", 30, "000000001234-"},
                       {"text 2", 43, "xxxxxxxxxxxxx"},
                       {"text 13", 186, "000000000000+"},
                       {"period 3", 215, kOnePointFive},
                       {"reserved", 303, std::string(50, '\0')}});
}

TEST(LedgerRecordsTest, TransactionFields) {
  std::string bytes(gltrxfil::kRecordLength, '\0');
  TransactionRecordImage record{std::span<char>(bytes)};
  record.set_date("20020315");
  record.set_id("0000123");
  record.set_amount("00000000005025-");
  record.set_source("GJ");
  record.set_reference("Office rent for March and more than thirty chars");
  record.set_flag("N");
  ExpectFields(bytes, {{"date", 24, "20020315"},
                       {"id", 32, "0000123"},
                       {"amount", 39, "00000000005025-"},
                       {"source", 54, "GJ        "},
                       {"reference", 64, "Office rent for March and more"},
                       {"flag", 94, "N"}});
}

TEST(LedgerRecordsTest, EntityEntriesAreThirtyTwoBytesFromOffsetThirtyFive) {
  std::string bytes(glentity::kRecordLength, '\0');
  EntityRecordImage record{std::span<char>(bytes)};
  record.set_code("EAST");
  record.set_entry_field(0, glentity::kProfitCenterFrom, "00000100");
  record.set_entry_field(0, glentity::kDepartmentTo, "00000999");
  record.set_entry_field(35, glentity::kDepartmentTo, "ZZZZZZZZ");
  record.set_entry_field(36, glentity::kProfitCenterFrom, "beyond");  // ignored
  ExpectFields(bytes, {{"code", 0, "EAST "},
                       {"entry 0 pc from", 35, "00000100"},
                       {"entry 0 dept to", 59, "00000999"},
                       {"entry 35 dept to", 1179, "ZZZZZZZZ"}});
  EXPECT_EQ(EntityRecordView{std::span<const char>(bytes)}.entry_field(36, 0), "");
}

TEST(LedgerRecordsTest, LayoutAndEntitiesFileFields) {
  std::string layout(gllayout::kRecordLength, '\0');
  LayoutRecordImage line{std::span<char>(layout)};
  line.set_layout_number("001");
  line.set_line_number("00010");
  line.set_line_type("RNG1");
  line.set_line_text("Sales");
  ExpectFields(
      layout,
      {{"key", 0, "00100010"}, {"type", 8, "RNG1"}, {"text", 12, "Sales" + std::string(60, ' ')}});

  std::string entity(entities_file::kRecordLength, '\0');
  EntitiesFileRecordImage record{std::span<char>(entity)};
  std::string specifier = "4000..4099,4100..4199,4200..4299";  // 32 characters
  record.set_value_text(specifier);
  record.set_segment_code(101);
  record.set_description("SALES");
  ExpectFields(entity, {{"first part", 0, specifier.substr(0, 30)},
                        {"segment", 30, "\x65\x00"},
                        {"name", 32, std::string("SALES\0", 6)},
                        {"continuation", 83, std::string("99\0", 3)}});
  EntitiesFileRecordView view{std::span<const char>(entity)};
  EXPECT_EQ(view.value_text(), specifier);
  EXPECT_EQ(view.segment_code(), 101);
  EXPECT_EQ(view.description(), "SALES");
  record.set_value_text(std::string(200, '7'));  // cut to what the fields hold
  EXPECT_EQ(view.value_text(), std::string(130, '7'));
  EXPECT_EQ(entity[183], '\0');
}

TEST(LedgerRecordsTest, CompanyAndCalendarFiles) {
  std::string company(compfile::kImageLength, ' ');
  CompanyFileImage c{std::span<char>(company)};
  c.set_name("Tutorial Company");
  c.set_segment_length(0, 4);
  c.set_segment_length(1, 2);
  c.set_segment_length(2, 3);
  ExpectFields(company, {{"name", 50, "Tutorial Company              "}, {"lengths", 184, "423"}});

  std::string calendar(glprdv66::kImageLength, ' ');
  CalendarFileImage p{std::span<char>(calendar)};
  p.set_period(0, "20020101", "20020131");
  p.set_period(12, "20021201", "20021231");
  p.set_period(13, "xxxxxxxx", "xxxxxxxx");  // no 14th period
  p.set_period_count(12);
  p.set_current_period(5);
  ExpectFields(calendar, {{"start 1", 16, "20020101"},
                          {"end 1", 24, "20020131"},
                          {"start 13", 208, "20021201"},
                          {"end 13", 216, "20021231"},
                          {"count", 224, "12"},
                          {"current", 226, "05"}});
  EXPECT_EQ(calendar.find('x'), std::string::npos);
}

TEST(LedgerRecordsTest, AShortImageReadsWhatItHoldsAndIgnoresWritesPastItsEnd) {
  std::string bytes = "000010000000001000000200Cash";
  AccountRecordImage record{std::span<char>(bytes)};
  EXPECT_EQ(record.description(), "Cash");
  EXPECT_EQ(record.type(), "");
  record.set_description("Petty cash");  // the field does not fit: nothing written
  record.set_type("B");
  EXPECT_EQ(bytes, "000010000000001000000200Cash");
  std::string tiny = "0000";
  EXPECT_EQ(BalanceRecordView{std::span<const char>(tiny)}.period(1), 0);
  EXPECT_EQ(CalendarFileView{std::span<const char>(tiny)}.period_count(), "");
}

}  // namespace
}  // namespace r7::ledger
