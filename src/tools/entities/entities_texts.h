// The string-table identifiers of the financial entities dialogs' messages and labels.
// (platform-independent)
#pragma once

namespace r7::entities {

inline constexpr int kCouldNotOpen = 2101;
inline constexpr int kCouldNotCreate = 2102;
inline constexpr int kUpdateFailed = 2103;
inline constexpr int kFolderTitle = 2105;
inline constexpr int kFileUpdated = 2107;
inline constexpr int kCreateCaption = 2108;
inline constexpr int kLooksLikeEntity = 2110;
inline constexpr int kCouldNotClose = 2111;
inline constexpr int kPlaceNote = 2169;
// The question of Create new, in three parts around the company and carriage returns.
inline constexpr int kCreateQuestionStart = 2170;
inline constexpr int kCreateQuestionBasis = 2171;
inline constexpr int kCreateQuestionWarning = 2172;
inline constexpr int kFillStopped = 2173;
inline constexpr int kAccountsRead = 2174;
inline constexpr int kValueLabel = 2180;
inline constexpr int kDescriptionLabel = 2181;
inline constexpr int kEntityLabel = 2182;
inline constexpr int kSpecifierLabel = 2183;
inline constexpr int kFirstSegmentName = 2184;  // then the profit center and the department
inline constexpr int kCompanyLabel = 270;       // "Company: ", shared with the company profile

// Help contexts: the driver's help file for the dialogs, the add-in's for the place note.
inline constexpr unsigned long kDialogHelpTopic = 67;
inline constexpr unsigned long kPlaceHelpTopic = 3000;

}  // namespace r7::entities
