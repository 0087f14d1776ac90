// Error codes of the driver: each is also the string-table identifier of its message.
// (platform-independent)
//
// 0 is success. 1 means "already reported": a routine that has just recorded a more
// precise error returns 1 to its caller. Routines return these as plain ints.
#pragma once

namespace r7 {

inline constexpr int kOk = 0;
inline constexpr int kAlreadyReported = 1;
inline constexpr int kMemoryFull = 2;
inline constexpr int kTooFewFields = 4;  // no text in the table: the message stays empty
inline constexpr int kInvalidCharacter = 8;
inline constexpr int kInvalid = 9;
inline constexpr int kCantOpenFile = 10;
inline constexpr int kInvalidComma = 11;
inline constexpr int kTooManyColumnSpecifiers = 12;
inline constexpr int kSpecialError = 13;  // internal errors, with an explaining detail
inline constexpr int kInvalidWildcardInRange = 16;
inline constexpr int kDifferentAccountTypes = 17;
inline constexpr int kNoDataForPeriod = 18;
inline constexpr int kRunningAndBalance = 19;
inline constexpr int kInvalidSpecifierLength = 20;
inline constexpr int kStartingAndTransactions = 21;
inline constexpr int kNoMatchingAccounts = 22;
inline constexpr int kInvalidPeriodSpecifier = 23;
inline constexpr int kAmbiguousPeriodSpecifier = 24;
inline constexpr int kInvalidYearKeyword = 25;
inline constexpr int kConflictingPeriodTypes = 26;
inline constexpr int kTransactionsAndBalance = 27;
inline constexpr int kConflictingPeriodTypes2 = 28;
inline constexpr int kEndingAndStarting = 29;
inline constexpr int kActualAndBudgeted = 30;
inline constexpr int kFuturePeriod = 32;
inline constexpr int kAllSegmentsRequired = 33;
inline constexpr int kRangeTooLong = 34;
inline constexpr int kBtrieveError = 38;
inline constexpr int kNotProcessed = 41;
inline constexpr int kNotSupported = 42;
inline constexpr int kFutureYear = 51;
inline constexpr int kClipboardNotOpened = 52;
inline constexpr int kNoClipboardData = 53;
inline constexpr int kIniNotWritten = 61;
inline constexpr int kClipboardAllocation = 63;
inline constexpr int kInvalidPeriod = 64;
inline constexpr int kInvalidGltranType = 73;
inline constexpr int kOkToStopDrill = 104;
inline constexpr int kOkToStop = 105;
inline constexpr int kWdescNotSupported = 106;
inline constexpr int kInvalidDay = 350;
inline constexpr int kInvalidMonth = 351;
inline constexpr int kInvalidYear = 352;
inline constexpr int kUninterpretableDate = 353;
inline constexpr int kInvalidDateRange = 354;

}  // namespace r7
