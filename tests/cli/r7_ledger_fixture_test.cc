// The ledger tool's fixture reading: record bytes at their offsets, refusals naming the field.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <map>
#include <nlohmann/json.hpp>
#include <variant>

#include "cli/r7-ledger/company_images.h"
#include "cli/r7-ledger/synth.h"

namespace r7::ledger_tool {
namespace {

using nlohmann::json;

json Example() {
  return json::parse(R"({"companies": [{
    "directory": "DATA_02", "name": "Northwind Ledger Co", "segment_lengths": [4, 2, 3],
    "periods": [["20020101", "20020131"], ["20020201", "20020228"]], "current_period": 2,
    "key_counts": {"glbalfil": 3, "glcmpfil": 1},
    "accounts": [
      {"account": "1000-10-200", "description": "Cash", "type": "B", "saf": "A", "typical": "D",
       "consolidation": "1000-10-200"},
      {"account": "0-10-0", "description": "East region"},
      {"account": "ab-1", "description": "Letters"}],
    "balances": [{"account": "1000-10-200", "opening": 1500.00, "periods": [1.5]}],
    "comparatives": [{"account": "1000-10-200", "year": "2001", "opening": -0.5, "periods": [0, 2.5]}],
    "budgets": [{"account": "1000-10-200", "year": "2002", "revision": 5, "periods": [-1234.5]}],
    "transactions": [{"account": "1000-10-200", "date": "20020315", "id": "0000123", "amount": -50.25,
                      "source": "GJ", "reference": "Office rent", "flag": "N"}],
    "entities": [{"code": "east", "ranges": [["100", "000", "199", "999"]]}],
    "layouts": [{"number": 7, "lines": [{"line": 0, "type": "HDR", "text": "Income statement"}]}],
    "financial_entities": {"file": "02.sad", "records": [{"segment": 101, "value": "4000..4999",
                                                          "description": "SALES"}]}}]})");
}

const CompanyImages& Only(const FixtureResult& result) {
  static CompanyImages none;
  if (auto* error = std::get_if<FixtureError>(&result)) {
    ADD_FAILURE() << error->message;
    return none;
  }
  return std::get<std::vector<CompanyImages>>(result).at(0);
}

const FileImage& File(const CompanyImages& company, const std::string& name) {
  for (const FileImage& file : company.files)
    if (file.file_name == name) return file;
  static FileImage none;
  ADD_FAILURE() << "no file " << name;
  return none;
}

std::string Le(double value) {
  std::string bytes(8, '\0');
  std::memcpy(bytes.data(), &value, 8);  // the test machine is little-endian
  return bytes;
}

TEST(R7LedgerFixtureTest, WritesEveryFieldAtItsOffset) {
  FixtureResult result = ParseFixture(Example());
  const CompanyImages& company = Only(result);
  EXPECT_EQ(company.directory, "DATA_02");
  EXPECT_EQ(company.company_file.size(), 264u);
  EXPECT_EQ(company.company_file.substr(50, 30), "Northwind Ledger Co           ");
  EXPECT_EQ(company.company_file.substr(184, 3), "423");
  EXPECT_EQ(company.calendar_file.size(), 242u);
  EXPECT_EQ(company.calendar_file.substr(16, 16), "2002010120020131");
  EXPECT_EQ(company.calendar_file.substr(32, 16), "2002020120020228");
  EXPECT_EQ(company.calendar_file.substr(48, 8), "00000000");
  EXPECT_EQ(company.calendar_file.substr(224, 4), "0202");

  ASSERT_EQ(File(company, "glactfil.btr").records.size(), 3u);
  EXPECT_EQ(File(company, "glactfil.btr").records[0].size(), 170u);
  EXPECT_EQ(File(company, "glactfil.btr").definition.keys.size(), 4u);
  EXPECT_EQ(File(company, "glbalfil.btr").definition.keys.size(), 3u);
  EXPECT_EQ(File(company, "glcmpfil.btr").definition.keys.size(), 1u);  // the fixture's count
  EXPECT_EQ(File(company, "glbudfil.btr").records.at(0).substr(303), std::string(50, '\0'));
  struct Field {
    const char* file;
    std::size_t record, offset;
    std::string bytes;
  } fields[] = {
      {"glactfil.btr", 0, 0, "000010000000001000000200"},
      {"glactfil.btr", 0, 24, "Cash" + std::string(26, ' ')},
      {"glactfil.btr", 0, 108, "000010000000001000000200"},
      {"glactfil.btr", 0, 137, "BAD"},
      {"glactfil.btr", 1, 0, "000000000000001000000000"},
      {"glactfil.btr", 2, 0, "AB      0000000100000000"},
      {"glbalfil.btr", 0, 24, "00000000150000+"},
      {"glbalfil.btr", 0, 999, Le(1.5)},
      {"glbalfil.btr", 0, 1007, Le(0)},
      {"glcmpfil.btr", 0, 24, "200100000000000050-"},
      {"glcmpfil.btr", 0, 246, Le(2.5)},
      {"glbudfil.btr", 0, 24, "200295"},
      {"glbudfil.btr", 0, 30, "000000001234-"},
      {"glbudfil.btr", 0, 43, "000000000000+"},
      {"glbudfil.btr", 0, 199, Le(-1234.5)},
      {"gltrxfil.btr", 0, 24,
       "200203150000123"
       "00000000005025-"
       "GJ        "
       "Office rent" +
           std::string(19, ' ') + "N"},
      {"glentity.btr", 0, 0, "EAST "},
      {"glentity.btr", 0, 35, "00000100000000000000019900000999"},
      {"glentity.btr", 0, 67, std::string(32, '0')},
      {"gllayout.btr", 0, 0, "00700000HDR Income statement"},
      {"02.sad", 0, 0, "4000..4999" + std::string(20, ' ') + std::string("\x65\0SALES\0", 8)},
  };
  for (const Field& f : fields) {
    EXPECT_EQ(File(company, f.file).records.at(f.record).substr(f.offset, f.bytes.size()), f.bytes)
        << f.file << " record " << f.record << " at " << f.offset;
  }
}

TEST(R7LedgerFixtureTest, RefusesABadFixtureNamingTheCompanyAndTheField) {
  struct Case {
    const char* pointer;  // the field of the first company to change
    json value;
    const char* message;
  };
  const Case cases[] = {
      {"/accounts/0/account", "10000-10-200",
       "company \"DATA_02\": accounts[0].account: segment \"10000\" is longer than 4 characters"},
      {"/accounts/1/account", "1-2-3-4",
       "accounts[1].account: \"1-2-3-4\" has more than three segments"},
      {"/accounts/1/account", "1000-10-200", "accounts[1].account: repeats a record"},
      {"/accounts/1/account", "1000-1.-2", "holds a character other than a letter or digit"},
      {"/accounts/0/description", std::string(31, 'x'), "accounts[0].description: \"x"},
      {"/accounts/0/colour", "red", "accounts[0].colour: is not a known field"},
      {"/name", 5, "company \"DATA_02\": name: must be a text"},
      {"/segment_lengths", json::array({9}), "segment_lengths[0]: 9 is not from 1 to 8"},
      {"/segment_lengths", json::array({4, 0, 3}), "segment_lengths: a department segment needs"},
      {"/periods/1/1", "20020230", "periods[1][1]: \"20020230\" is not a valid date"},
      {"/periods/1/0", "20020115", "periods[1]: starts before the previous period ends"},
      {"/current_period", 3, "current_period: 3 is not from 1 to 2"},
      {"/key_counts/glbalfil", 4, "key_counts.glbalfil: 4 is not from 1 to 3"},
      {"/key_counts/glfoo", 1, "key_counts.glfoo: is not a ledger file"},
      {"/balances/0/opening", 1e13, "balances[0].opening: does not fit 14 digits"},
      {"/balances/0/periods", json::array({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}),
       "balances[0].periods: holds more than 13 amounts"},
      {"/comparatives/0/year", "01", "comparatives[0].year: must be a year of 4 digits"},
      {"/budgets/0/revision", 100, "budgets[0].revision: 100 is not from 1 to 99"},
      {"/budgets/0/periods/0", 1e12, "budgets[0].periods[0]: does not fit 12 whole digits"},
      {"/transactions/0/date", "2002031", "transactions[0].date: \"2002031\" is not a date"},
      {"/transactions/0/id", "12345678", "transactions[0].id: \"12345678\" is longer than 7"},
      {"/entities/0/ranges/0", json::array({"0", "0", "0", "0"}),
       "entities[0].ranges[0]: is all zeros"},
      {"/entities/0/code", "EAST-", "entities[0].code:"},
      {"/layouts/0/number", 1000, "layouts[0].number: 1000 is not from 0 to 999"},
      {"/financial_entities/file", "../x.sad",
       "financial_entities.file: \"../x.sad\" must be a plain"},
      {"/financial_entities/records/0/segment", 4,
       "records[0].segment: must be 1 to 3 or 101 to 103"},
      {"/directory", "a/b", "company \"a/b\": directory: \"a/b\" must be a plain directory name"},
  };
  for (const Case& c : cases) {
    json fixture = Example();
    fixture[json::json_pointer("/companies/0" + std::string(c.pointer))] = c.value;
    FixtureResult result = ParseFixture(fixture);
    auto* error = std::get_if<FixtureError>(&result);
    ASSERT_NE(error, nullptr) << c.pointer;
    EXPECT_NE(error->message.find(c.message), std::string::npos) << error->message;
    EXPECT_EQ(error->message.rfind("company \"", 0), 0u) << error->message;
  }
}

TEST(R7LedgerFixtureTest, RefusesMalformedDocuments) {
  EXPECT_TRUE(std::holds_alternative<FixtureError>(ParseFixtureText("{")));
  EXPECT_TRUE(std::holds_alternative<FixtureError>(ParseFixtureText("[]")));
  EXPECT_TRUE(std::holds_alternative<FixtureError>(ParseFixtureText(R"({"companies": []})")));
  FixtureResult second = ParseFixtureText(R"({"companies": [
      {"directory": "A", "periods": [["20020101", "20020131"]]},
      {"directory": "a", "periods": [["20020101", "20020131"]]}]})");
  ASSERT_TRUE(std::holds_alternative<FixtureError>(second));
  EXPECT_EQ(std::get<FixtureError>(second).message,
            "company \"a\": directory: is the directory of an earlier company");
  FixtureResult no_name = ParseFixtureText(R"({"companies": [7]})");
  EXPECT_EQ(std::get<FixtureError>(no_name).message, "company companies[0]: must be an object");
}

TEST(R7LedgerFixtureTest, SynthIsDeterministicAndBalanced) {
  SynthOptions options;
  options.main_accounts = 40;
  options.transactions = 500;
  std::string problem;
  json first = SynthFixture(options, problem);
  ASSERT_EQ(problem, "");
  EXPECT_EQ(first, SynthFixture(options, problem));
  options.seed = 2;
  EXPECT_NE(first, SynthFixture(options, problem));
  const json& company = first["companies"][0];
  // Every period of every year balances.
  for (const char* file : {"balances", "comparatives"}) {
    std::map<std::string, std::array<double, 13>> totals;
    for (const json& record : company[file]) {
      std::string year = record.value("year", "current");
      for (int p = 0; p < 13; ++p) totals[year][p] += record["periods"][p].get<double>();
    }
    for (const auto& [year, sums] : totals)
      for (double sum : sums) EXPECT_NEAR(sum, 0, 0.005) << file << " " << year;
  }
  EXPECT_TRUE(std::holds_alternative<std::vector<CompanyImages>>(ParseFixture(first)));
  options.main_accounts = 1;
  EXPECT_TRUE(SynthFixture(options, problem).is_null());
  EXPECT_EQ(problem, "--main-accounts must be 2 to 9000");
}

}  // namespace
}  // namespace r7::ledger_tool
