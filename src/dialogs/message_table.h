#pragma once
// What a message dialog shows for a kind and a set of buttons: captions, icons, the button
// row with its result codes and marks, the access letters, and the text Ctrl+C copies.
#include "dialogs/message_codes.h"

#include <windows.h>

#include <string>
#include <vector>

namespace dialogs {

struct KindInfo {
    const char* caption;  // null for the custom kind, which shows the application title
    LPCSTR icon;          // a system icon id, null for none
};

// Throws std::out_of_range for a code outside 0..4.
const KindInfo& KindOf(MessageKind kind);

struct ButtonInfo {
    ButtonSet bit;
    const char* caption;  // "&" marks the access letter
    int result;
};

inline constexpr int kButtonKinds = 11;

// Table order, which is also the order of the row.
const ButtonInfo& ButtonAt(int index);

// The members of a set as table indexes, in row order; bits outside the table are ignored.
std::vector<int> ButtonsIn(ButtonSet set);

// The marked buttons of a set as table indexes; -1 when the mark names a button not in it.
int DefaultButtonOf(ButtonSet set);
int CancelButtonOf(ButtonSet set);

// The letter after the "&" of a caption, 0 when it has none.
char AccessKeyOf(const std::string& caption);

// The first button of `row` (table indexes) whose access letter is `letter` in either case;
// its position in the row, or -1.
int FindAccessKey(const std::vector<int>& row, char letter);

// The caption as it is read: every "&" removed.
std::string WithoutAccessMarks(const std::string& caption);

// The dialog as plain text: hyphen line, caption, hyphen line, message, hyphen line, the
// button captions each followed by three blanks, hyphen line; every line ends in CR LF.
std::wstring MessageCopyText(const std::wstring& caption, const std::wstring& message,
                             const std::vector<std::string>& buttonCaptions);

}  // namespace dialogs
