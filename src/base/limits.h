// Fixed capacities of the driver that a user can observe. A longer value is cut at exactly
// these places, never written past them. (platform-independent)
#pragma once

#include <cstddef>

namespace r7 {

inline constexpr std::size_t kMaxResultText = 255;     // a cell result, before its line end
inline constexpr std::size_t kResultBufferSize = 258;  // result, CR LF and NUL
inline constexpr std::size_t kMaxErrorText = 255;      // the pending error text
inline constexpr std::size_t kMaxFieldText = 511;      // one worksheet field
inline constexpr std::size_t kMaxMessageText = 256;    // one string-table message as loaded
inline constexpr std::size_t kErrorBoxBuffer = 260;    // the error box's text, with its NUL
inline constexpr std::size_t kMaxCompanyCode = 12;
inline constexpr std::size_t kMaxCompanyDirEntry = 44;  // code, separator, 30 of the name
inline constexpr std::size_t kCompanyNameInDirList = 30;

}  // namespace r7
