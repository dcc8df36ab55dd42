#include "platform/command_line.h"

#include "platform/unique_handle.h"

#include <windows.h>
#include <shellapi.h>

namespace platform {

std::vector<std::wstring> CommandLineArguments() {
    int count = 0;
    const UniqueHandle<LPWSTR*, &::LocalFree> arguments(::CommandLineToArgvW(::GetCommandLineW(), &count));
    if (!arguments) return {};
    return std::vector<std::wstring>(arguments.get(), arguments.get() + count);
}

}  // namespace platform
