#include "replace/replace_checks.h"

namespace replace {

const char* const kReplaceSelectedQuestion = "Replace all instances in the selected file?";
const char* const kGlobalReplaceCompleted = "Global replace function completed!";

std::string FailedInputCheck(Scope scope, int entryCount, const std::string& filePath, const std::string& search,
                             const std::string& replacement) {
    if (entryCount == 0) return "Sorry, no can do. There are no files in the list!";
    if (scope == Scope::SelectedFile && filePath.empty()) return "Don't forget to select a file!";
    if (search.empty()) return "Please enter the text to be replaced!";
    if (replacement.empty()) return "Please enter the replacement text!";
    if (search == replacement) return "Hey hold on, the search and replace text is the same!";
    return {};
}

std::string GlobalReplaceQuestion(const std::string& mask) {
    return "This function will replace the text in all the listed " + mask + " files in this directory." +
           "\r\n\r\n" + "Please confirm: Are you sure you want to perform a global replace? ";
}

std::string ReplaceFileQuestion(const std::string& path) {
    return "Confirm you want to replace all instances in this file:\r\n\r\n" + path;
}

}  // namespace replace
