#include "platform/code_page.h"

#include "platform/upper_case_table.h"

namespace platform {

CodePage::CodePage() = default;
CodePage::~CodePage() = default;

const UpperCaseTable& CodePage::Table() {
    std::call_once(tableMade_, [this] { table_ = std::make_unique<UpperCaseTable>(*this); });
    return *table_;
}

size_t LastCharacterStart(CodePage& codePage, std::string_view text) {
    size_t last = 0;
    for (size_t i = 0; i < text.size(); i += CharacterLength(codePage, text, i)) last = i;
    return last;
}

size_t LastDelimiter(std::string_view text, std::string_view delimiters, CodePage& codePage) {
    size_t last = std::string_view::npos;
    for (size_t i = 0; i < text.size(); i += CharacterLength(codePage, text, i)) {
        if (delimiters.find(text[i]) != std::string_view::npos) last = i;
    }
    return last;
}

}  // namespace platform
