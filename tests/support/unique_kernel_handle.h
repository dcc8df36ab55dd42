#pragma once
// An owner for the process, thread and snapshot handles that tests open.
#include "platform/unique_handle.h"

namespace test_support {

using platform::UniqueKernelHandle;

}  // namespace test_support
