#include "browse/file_type_masks.h"

namespace browse {

std::string MaskForIndex(int index) {
    return index >= 0 && index < kFileTypeCount ? FileTypeMasks[index].mask : "";
}

}  // namespace browse
