#include "replace/replace_checks.h"

namespace replace {

const wchar_t* const kReplaceSelectedQuestion = L"Replace all instances in the selected file?";
const wchar_t* const kGlobalReplaceCompleted = L"Global replace function completed!";

std::wstring FailedInputCheck(Scope scope, int entryCount, const platform::Path& filePath, const std::string& search,
                              const std::string& replacement) {
    if (entryCount == 0) return L"Sorry, no can do. There are no files in the list!";
    if (scope == Scope::SelectedFile && filePath.empty()) return L"Don't forget to select a file!";
    if (search.empty()) return L"Please enter the text to be replaced!";
    if (replacement.empty()) return L"Please enter the replacement text!";
    if (search == replacement) return L"Hey hold on, the search and replace text is the same!";
    return {};
}

std::wstring GlobalReplaceQuestion(const std::wstring& mask) {
    return L"This function will replace the text in all the listed " + mask + L" files in this directory." +
           L"\r\n\r\n" + L"Please confirm: Are you sure you want to perform a global replace? ";
}

std::wstring ReplaceFileQuestion(const platform::Path& path) {
    return L"Confirm you want to replace all instances in this file:\r\n\r\n" + path.Text();
}

}  // namespace replace
