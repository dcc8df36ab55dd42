#include "browse/type_ahead.h"

#include "platform/code_page.h"

namespace browse {

void TypeAhead::Type(const std::string& character, DWORD now, platform::CodePage& codePage) {
    if (now - last_ > 499) prefix_.clear();
    last_ = now;
    if (character != "\b") {
        prefix_ += character;
        return;
    }
    // Take back the last whole character, both bytes of a two-byte one.
    size_t last = 0;
    for (size_t i = 0; i < prefix_.size();) {
        last = i;
        i += (codePage.IsLeadByte(static_cast<unsigned char>(prefix_[i])) && i + 1 < prefix_.size()) ? 2 : 1;
    }
    prefix_.resize(prefix_.empty() ? 0 : last);
}

}  // namespace browse
