#include "dialogs/message_table.h"

#include <cctype>
#include <iterator>
#include <stdexcept>

namespace dialogs {

namespace {

// The dashes of each rule line in the copied text.
constexpr size_t kRuleLength = 27;

const KindInfo kKinds[] = {
    {"Warning", IDI_EXCLAMATION},
    {"Error", IDI_HAND},
    {"Information", IDI_ASTERISK},
    {"Confirm", IDI_QUESTION},
    {nullptr, nullptr},
};

constexpr ButtonInfo kButtons[kButtonKinds] = {
    {button::Yes, "&Yes", result::Yes},
    {button::No, "&No", result::No},
    {button::OK, "OK", result::OK},
    {button::Cancel, "Cancel", result::Cancel},
    {button::Abort, "&Abort", result::Abort},
    {button::Retry, "&Retry", result::Retry},
    {button::Ignore, "&Ignore", result::Ignore},
    {button::All, "&All", result::All},
    {button::NoToAll, "N&o to All", result::NoToAll},
    {button::YesToAll, "Yes to &All", result::YesToAll},
    {button::Help, "&Help", result::None},
};

int IndexIn(ButtonSet set, ButtonSet bit) {
    if (!(set & bit)) return -1;
    for (int i = 0; i < kButtonKinds; ++i) {
        if (kButtons[i].bit == bit) return i;
    }
    return -1;
}

int FirstIn(ButtonSet set, ButtonSet first, ButtonSet second, ButtonSet third) {
    if (set & first) return IndexIn(set, first);
    if (set & second) return IndexIn(set, second);
    return IndexIn(set, third);
}

}  // namespace

const KindInfo& KindOf(MessageKind kind) {
    int code = static_cast<int>(kind);
    if (code < 0 || code >= static_cast<int>(std::size(kKinds))) throw std::out_of_range("message kind");
    return kKinds[code];
}

const ButtonInfo& ButtonAt(int index) { return kButtons[index]; }

std::vector<int> ButtonsIn(ButtonSet set) {
    std::vector<int> row;
    for (int i = 0; i < kButtonKinds; ++i) {
        if (set & kButtons[i].bit) row.push_back(i);
    }
    return row;
}

int DefaultButtonOf(ButtonSet set) { return FirstIn(set, button::OK, button::Yes, button::Retry); }

int CancelButtonOf(ButtonSet set) { return FirstIn(set, button::Cancel, button::No, button::OK); }

char AccessKeyOf(const std::string& caption) {
    size_t mark = caption.find('&');
    return (mark != std::string::npos && mark + 1 < caption.size()) ? caption[mark + 1] : 0;
}

int FindAccessKey(const std::vector<int>& row, char letter) {
    auto upper = [](char c) { return std::toupper(static_cast<unsigned char>(c)); };
    if (!letter) return -1;
    for (size_t i = 0; i < row.size(); ++i) {
        char key = AccessKeyOf(kButtons[row[i]].caption);
        if (key && upper(key) == upper(letter)) return static_cast<int>(i);
    }
    return -1;
}

std::string WithoutAccessMarks(const std::string& caption) {
    std::string plain;
    for (char c : caption) {
        if (c != '&') plain += c;
    }
    return plain;
}

std::wstring MessageCopyText(const std::wstring& caption, const std::wstring& message,
                             const std::vector<std::string>& buttonCaptions) {
    const std::wstring rule = std::wstring(kRuleLength, L'-') + L"\r\n";
    std::wstring text = rule + caption + L"\r\n" + rule + message + L"\r\n" + rule;
    for (const std::string& c : buttonCaptions) {
        const std::string plain = WithoutAccessMarks(c);  // the captions are plain ASCII
        text += std::wstring(plain.begin(), plain.end()) + L"   ";
    }
    return text + L"\r\n" + rule;
}

}  // namespace dialogs
