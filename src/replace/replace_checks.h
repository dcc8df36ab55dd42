#pragma once
// What the two replace commands tell and ask the user before they rewrite anything.
#include "platform/path.h"

#include <string>

namespace replace {

// Replace works on the selected file; Replace All on every listed one and needs no selection.
enum class Scope { SelectedFile, ListedFiles };

// The notice of the first input check that fails, in the commands' fixed order, or an empty
// text when every check passes. `filePath` is the list's selected path (empty for none); the
// texts are compared byte for byte, so that a change of letter case alone is a replacement.
std::wstring FailedInputCheck(Scope scope, int entryCount, const platform::Path& filePath, const std::string& search,
                              const std::string& replacement);

// Replace's question when "Confirm" is ticked.
extern const wchar_t* const kReplaceSelectedQuestion;
// Replace All's one question for the whole run, naming the listed file type's mask.
std::wstring GlobalReplaceQuestion(const std::wstring& mask);
// Replace All's question before each file when "Confirm" is ticked.
std::wstring ReplaceFileQuestion(const platform::Path& path);
// The notice that ends Replace All.
extern const wchar_t* const kGlobalReplaceCompleted;

}  // namespace replace
