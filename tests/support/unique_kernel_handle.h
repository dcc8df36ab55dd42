#pragma once
// An owner for the process, thread and snapshot handles that tests open; the program holds none.
#include "platform/unique_handle.h"

namespace test_support {

using UniqueKernelHandle = platform::UniqueHandle<HANDLE, &::CloseHandle>;

}  // namespace test_support
