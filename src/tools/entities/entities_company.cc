// The company the financial entities dialogs work on. (platform-independent)
#include "tools/entities/entities_company.h"

namespace r7::entities {

CompanyContext* EntitiesCompany(const ToolContext& context) {
  CompanyCatalogue& companies = context.ledger(platform::kNoWindow).companies;
  CompanyContext* company = companies.FindCompany(context.settings.company);
  if (company == nullptr || companies.CheckCompany(*company) != 0) return nullptr;
  return company;
}

}  // namespace r7::entities
