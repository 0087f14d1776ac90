// The About dialog (template "ABOUT"): the driver's version and the vendor's address.
// (platform-independent)
//
// OK, Cancel and command 1100 close it; a left click in the square from 1,1 to 33,33 of
// its client area shows two information boxes (messages 303 and 304).
#pragma once

#include <functional>

#include "host/message_center.h"
#include "platform/user_interface.h"

namespace r7 {

inline constexpr int kAboutTitle = 300;
inline constexpr int kAboutVersionText = 301;
inline constexpr int kAboutAddressText = 302;
inline constexpr int kAboutJokeFirst = 303;
inline constexpr int kAboutJokeSecond = 304;

// Creates the dialog owned by `owner`; `on_closed` gets its id when it has closed.
// kNoWindow when it could not be created.
platform::WindowId OpenAboutDialog(platform::UserInterface& ui, MessageCenter& messages,
                                   platform::WindowId owner,
                                   std::function<void(platform::WindowId)> on_closed);

}  // namespace r7
