#pragma once
// The message dialog's request and answer: kind codes, button bits and result codes.

namespace dialogs {

enum class MessageKind : int { Warning = 0, Error = 1, Information = 2, Confirmation = 3, Custom = 4 };

// A set of buttons is the sum of its members' bits.
using ButtonSet = unsigned;

namespace button {
inline constexpr ButtonSet Yes = 1;
inline constexpr ButtonSet No = 2;
inline constexpr ButtonSet OK = 4;
inline constexpr ButtonSet Cancel = 8;
inline constexpr ButtonSet Abort = 16;
inline constexpr ButtonSet Retry = 32;
inline constexpr ButtonSet Ignore = 64;
inline constexpr ButtonSet All = 128;
inline constexpr ButtonSet NoToAll = 256;
inline constexpr ButtonSet YesToAll = 512;
inline constexpr ButtonSet Help = 1024;
}  // namespace button

namespace result {
inline constexpr int None = 0;  // no answer yet; also what Help answers, which does not close
inline constexpr int OK = 1;
inline constexpr int Cancel = 2;
inline constexpr int Abort = 3;
inline constexpr int Retry = 4;
inline constexpr int Ignore = 5;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
inline constexpr int All = 8;
inline constexpr int NoToAll = 9;
inline constexpr int YesToAll = 10;
}  // namespace result

}  // namespace dialogs
