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
    prefix_.resize(platform::LastCharacterStart(codePage, prefix_));
}

}  // namespace browse
