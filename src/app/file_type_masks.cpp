#include "app/file_type_masks.h"

namespace app {

std::wstring MaskForIndex(int index) {
    return index >= 0 && index < kFileTypeCount ? FileTypeMasks[index].mask : L"";
}

std::vector<std::string> FileTypeTexts() {
    std::vector<std::string> texts;
    for (const FileTypeMask& type : FileTypeMasks) texts.emplace_back(type.text);
    return texts;
}

}  // namespace app
