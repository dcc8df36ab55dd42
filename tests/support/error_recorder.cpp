#include "support/error_recorder.h"

#include "platform/errors.h"
#include "support/temp_folder.h"

#include <exception>

namespace test_support {

std::vector<std::string>& RecordedErrors() {
    static std::vector<std::string> errors;
    return errors;
}

void RecordError(HWND) noexcept {
    try {
        throw;
    } catch (const platform::EError& e) {
        RecordedErrors().push_back(Utf8Name(e.Message()));
    } catch (const std::exception& e) {
        RecordedErrors().emplace_back(e.what());
    } catch (...) {
        RecordedErrors().emplace_back("(not a program error)");
    }
}

}  // namespace test_support
