// The help opener of the dialogs' Help buttons. (platform-independent)
#include "host/help_opener.h"

#include <string>

#include "common/text_util.h"

namespace r7 {
namespace {

constexpr std::string_view kAddInHelp = "R7.HLP";

bool ContainsNoCase(std::string_view text, std::string_view part) {
  return ToUpperAscii(text).find(ToUpperAscii(part)) != std::string::npos;
}

}  // namespace

bool HelpOpener::Open(platform::WindowId window, std::string_view file, unsigned command,
                      unsigned long parameter) {
  if (command == kHelpQuit) {
    open_ = false;
    return viewer_.Open(window, file, command, parameter);
  }
  const std::string server = store_.ServerDirectory("");
  if (server.empty() || window == platform::kNoWindow) return false;
  bool opened = viewer_.Open(window, server + std::string(kAddInHelp), kHelpContext, 1);
  if (!ContainsNoCase(file, kAddInHelp)) {
    const std::string path =
        files_.FileExists(file) ? std::string(file) : server + std::string(file);
    opened = viewer_.Open(window, path, command, parameter);
  }
  if (opened) open_ = true;
  return opened;
}

}  // namespace r7
