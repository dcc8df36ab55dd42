#include "app/work_aside.h"

#include "app/replace_steps.h"
#include "platform/errors.h"
#include "platform/unique_handle.h"

#include <windows.h>

#include <exception>
#include <thread>

namespace app {

void WorkAside(const std::function<void()>& work) {
    platform::UniqueKernelHandle ended(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!ended) throw platform::errors::OutOfMemory();
    std::exception_ptr error;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            error = std::current_exception();
        }
        ::SetEvent(ended.get());
    });
    HANDLE wait = ended.get();
    try {
        // A wait that fails only waits for the thread without the window.
        while (::MsgWaitForMultipleObjects(1, &wait, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) PumpMessages();
    } catch (...) {
        // The work still refers to what this frame holds: it ends before anything is let go.
        worker.join();
        throw;
    }
    worker.join();
    if (error) std::rethrow_exception(error);
}

}  // namespace app
