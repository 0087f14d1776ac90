// The list of company directories under the System Directory, for the company choosers of
// the Setup and Lists dialogs. (platform-independent)
//
// A directory is a company when its name is "TUTORIAL" or begins with "DATA" (either case).
// Its entry is the company code, a separator and the first 30 characters of the company's
// name from its compfile.dat; the entries come in the reverse of directory order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace r7 {

enum class DirListSeparator { kFourBlanks, kTab };

// The company code a directory name gives: "00" for TUTORIAL, the two characters after
// "DATA_", else "01".
std::string CompanyCodeOfDirectory(std::string_view name);

std::vector<std::string> BuildCompanyDirList(platform::FileSystem& files,
                                             std::string_view system_directory,
                                             DirListSeparator separator);

}  // namespace r7
