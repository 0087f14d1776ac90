// A ledger fixture turned into the bytes of a company's files: the company file, the
// calendar and the records of every record-manager file, checked field by field.
//
// The fixture format is the ledger tool's contract (JSON, one entry per company). Parsing
// either gives every company's images or refuses the whole fixture with one message that
// names the company and the field, so that nothing is written for a bad fixture.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "ledger/ledger_file_definitions.h"

namespace r7::ledger_tool {

// One record-manager file to create: its definition and its records in insertion order.
struct FileImage {
  std::string file_name;  // relative to the company directory
  ledger::FileDefinition definition;
  std::vector<std::string> records;
};

struct CompanyImages {
  std::string directory;
  std::string company_file;   // compfile.dat
  std::string calendar_file;  // glprdv66.dat
  std::vector<FileImage> files;
};

// Why a fixture was refused: "company "DIR": field: problem".
struct FixtureError {
  std::string message;
};

using FixtureResult = std::variant<std::vector<CompanyImages>, FixtureError>;

// The whole fixture from its JSON text.
FixtureResult ParseFixtureText(std::string_view json_text);
// The whole fixture from a parsed document.
FixtureResult ParseFixture(const nlohmann::json& fixture);

}  // namespace r7::ledger_tool
