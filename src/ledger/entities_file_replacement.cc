// A company's financial entities file written anew. (platform-independent)
#include "ledger/entities_file_replacement.h"

#include "ledger/entities_file.h"
#include "ledger/entities_file_edit.h"

namespace r7 {

EntitiesFileReplacement::EntitiesFileReplacement(RecordManager& records,
                                                 CompanyCatalogue& companies,
                                                 platform::FileSystem& files,
                                                 CompanyContext& company)
    : records_(records),
      companies_(companies),
      files_(files),
      company_(company),
      path_(companies.EntitiesFilePath(company)),
      new_path_(path_ + ".new") {}

EntitiesFileReplacement::~EntitiesFileReplacement() {
  Abandon();
}

int EntitiesFileReplacement::Begin(bool keep_records) {
  Abandon();
  pending_ = true;
  if (int16_t status = CreateEntitiesFileAt(records_, files_, new_path_); status != 0) {
    return status;
  }
  if (records_.Open(new_path_, position_, btr::kModeNormal, &company_) != 0) {
    return records_.last_status();
  }
  open_ = true;
  if (!keep_records) return 0;
  // The company's file, when it has one, is copied whole: a file that exists but cannot
  // be read fails the copy rather than being taken for an empty one.
  companies_.CheckEntitiesFilePresence(&company_);
  if (!company_.entities.exists) return 0;
  if (int status = companies_.OpenEntitiesFile(company_, btr::kModeNormal); status != 0) {
    return status;
  }
  return EntitiesFileEdit(records_, position_).CopyFrom(company_.entities.position);
}

int EntitiesFileReplacement::Commit() {
  records_.Close(position_);
  open_ = false;
  // Opening the company's file lets the record manager finish or undo what a crash left
  // unfinished in it, so that nothing of the old file is applied to the new one later.
  companies_.CheckEntitiesFilePresence(&company_);
  if (company_.entities.exists) companies_.OpenEntitiesFile(company_, btr::kModeNormal);
  if (company_.entities.open) {
    if (records_.Close(company_.entities.position) != 0) return kEntitiesFileNotClosed;
    company_.entities.open = false;
  }
  if (!files_.PutFileInPlace(new_path_, path_)) return kEntitiesFileNotReplaced;
  pending_ = false;
  company_.entities.exists = true;
  return companies_.OpenEntitiesFile(company_, btr::kModeNormal);
}

void EntitiesFileReplacement::Abandon() {
  if (open_) records_.Close(position_);
  open_ = false;
  if (pending_) files_.RemoveFile(new_path_);
  pending_ = false;
}

}  // namespace r7
