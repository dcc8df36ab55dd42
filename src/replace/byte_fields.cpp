#include "replace/byte_fields.h"

namespace replace {

void PutPathUnits(std::string& out, const platform::Path& path) {
    for (wchar_t c : path.Text()) PutField(out, static_cast<std::uint16_t>(c));
}

std::optional<platform::Path> GetPathUnits(std::string_view in, size_t at, std::uint32_t units) {
    if (units == 0 || units > kMaxPathUnits || at > in.size() || (in.size() - at) / 2 < units) return std::nullopt;
    std::wstring text(units, L'\0');
    for (size_t i = 0; i < units; ++i) text[i] = static_cast<wchar_t>(GetField<std::uint16_t>(in, at + 2 * i));
    return platform::Path(std::move(text));
}

}  // namespace replace
