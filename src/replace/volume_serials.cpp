#include "replace/volume_serials.h"

#include "replace/in_place_io.h"

namespace replace {

DWORD VolumeSerials::Of(const platform::Path& folder) {
    const auto known = serials_.find(folder.Text());
    if (known != serials_.end()) return known->second;
    DWORD serial = 0;
    if (!fs_.GetVolumeSerial(folder, &serial)) throw IoFailure{::GetLastError()};
    return serials_[folder.Text()] = serial;
}

}  // namespace replace
