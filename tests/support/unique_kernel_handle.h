#pragma once
// An owner for the process, thread and snapshot handles that tests open; the program holds none.
#include "platform/unique_handle.h"

namespace test_support {

struct KernelTraits {
    using Handle = HANDLE;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::CloseHandle(h); }
};
using UniqueKernelHandle = platform::UniqueHandle<KernelTraits>;

}  // namespace test_support
