// The help opener of the dialogs' Help buttons: the add-in's own help, then the driver's
// file at the dialog's context. (platform-independent)
//
// The server directory is read from R7.INI each time (no default): without one, or without
// a window, no help opens. The add-in's "R7.HLP" opens first at context 1; a file other
// than it then opens with the caller's command and parameter, found as named when it
// exists, else in the server directory. The quit command closes help and passes on.
#pragma once

#include <string_view>

#include "base/settings_store.h"
#include "platform/file_system.h"
#include "platform/small_services.h"

namespace r7 {

// Commands of the help viewer.
inline constexpr unsigned kHelpContext = 1;
inline constexpr unsigned kHelpQuit = 2;

class HelpOpener {
 public:
  HelpOpener(platform::HelpViewer& viewer, platform::FileSystem& files, SettingsStore& store)
      : viewer_(viewer), files_(files), store_(store) {}

  // True when the last call to the viewer succeeded.
  bool Open(platform::WindowId window, std::string_view file, unsigned command,
            unsigned long parameter);
  bool open() const { return open_; }

 private:
  platform::HelpViewer& viewer_;
  platform::FileSystem& files_;
  SettingsStore& store_;
  bool open_ = false;
};

}  // namespace r7
