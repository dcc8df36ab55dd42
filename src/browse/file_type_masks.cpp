#include "browse/file_type_masks.h"

namespace browse {

std::wstring MaskForIndex(int index) {
    return index >= 0 && index < kFileTypeCount ? FileTypeMasks[index].mask : L"";
}

}  // namespace browse
