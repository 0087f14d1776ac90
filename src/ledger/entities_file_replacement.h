// A company's financial entities file written anew: the new file is built beside the
// company's file and put in its place in one step. (platform-independent)
//
// The new file is made at the company's path with ".new" added and filled there; only when
// it is complete and closed does one rename put it over the company's file. Whatever stops
// the work before that (a failed write, the user's stop, a crash or a kill of the process)
// leaves the company's file exactly as it was; a new file left behind by a crash is
// replaced by the next one. A replacement that is not committed removes its new file.
#pragma once

#include <string>

#include "ledger/company_catalogue.h"
#include "platform/file_system.h"
#include "recordmgr/record_manager.h"

namespace r7 {

// Commit() could not close the company's file (message 2111 in the dialogs).
inline constexpr int kEntitiesFileNotClosed = -1;
// Commit() could not put the new file in place (message 2102).
inline constexpr int kEntitiesFileNotReplaced = -2;

class EntitiesFileReplacement {
 public:
  EntitiesFileReplacement(RecordManager& records, CompanyCatalogue& companies,
                          platform::FileSystem& files, CompanyContext& company);
  ~EntitiesFileReplacement();
  EntitiesFileReplacement(const EntitiesFileReplacement&) = delete;
  EntitiesFileReplacement& operator=(const EntitiesFileReplacement&) = delete;

  // Creates the new file and opens it; with `keep_records`, every record of the company's
  // present file, when it has one, is copied into it first. Returns the record manager's
  // status (0 ready).
  int Begin(bool keep_records);
  // The new file, open after Begin() answered 0.
  PosBlock& position() { return position_; }

  // Closes the new file and the company's, puts the new one in place and opens it as the
  // company's file. 0 done; kEntitiesFileNotClosed or kEntitiesFileNotReplaced, with the
  // company's file as it was; or the status of the open that followed.
  int Commit();

 private:
  void Abandon();

  RecordManager& records_;
  CompanyCatalogue& companies_;
  platform::FileSystem& files_;
  CompanyContext& company_;
  std::string path_;      // the company's file
  std::string new_path_;  // the file being built
  PosBlock position_;
  bool open_ = false;
  bool pending_ = false;  // a new file exists that is not in place
};

}  // namespace r7
