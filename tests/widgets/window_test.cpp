// The window base: a native control taken over by an object, the guard around its messages, and
// the object letting go of a window again.
#include "platform/errors.h"
#include "platform/unique_handle.h"
#include "widgets/window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Takes over whatever control it is given and keeps the messages it saw.
class Recorder : public widgets::Window {
public:
    void Attach(HWND control) { Subclass(control); }
    std::vector<UINT> seen;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        seen.push_back(message);
        if (message == WM_APP) throw platform::EError("refused");
        if (message == WM_APP + 1) return 42;
        return Default(message, wParam, lParam);
    }
};

// One of the program's own windows whose creation it refuses itself.
class Refusing : public widgets::Window {
public:
    Refusing() { Create("ZavotekRefusingWindow", 0, "", WS_OVERLAPPED, RECT{0, 0, 50, 50}, nullptr); }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NCCREATE) return FALSE;
        return Default(message, wParam, lParam);
    }
};

HWND NewEdit() {
    return ::CreateWindowExA(0, "EDIT", "", WS_OVERLAPPED, 0, 0, 100, 30, nullptr, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}

int PropertyCount(HWND window) {
    int count = 0;
    ::EnumPropsExA(
        window, [](HWND, LPSTR, HANDLE, ULONG_PTR counted) -> BOOL {
            ++*reinterpret_cast<int*>(counted);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

std::string Text(HWND window) {
    char text[64] = {};
    return std::string(text, static_cast<size_t>(::GetWindowTextA(window, text, sizeof text)));
}

bool Saw(const Recorder& recorder, UINT message) {
    for (UINT m : recorder.seen)
        if (m == message) return true;
    return false;
}

std::vector<HWND> g_reported;
void RecordError(HWND window) noexcept { g_reported.push_back(window); }

TEST(Subclass, TheObjectSeesTheControlsMessagesAndTheControlStillWorks) {
    HWND edit = NewEdit();
    const WNDPROC own = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(edit, GWLP_WNDPROC));
    Recorder recorder;
    recorder.Attach(edit);
    EXPECT_EQ(recorder.Handle(), edit);
    EXPECT_NE(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(edit, GWLP_WNDPROC)), own);
    ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
    EXPECT_TRUE(Saw(recorder, WM_SETTEXT));
    EXPECT_EQ(Text(edit), "abc") << "the control's own procedure handled it, text converted both ways";
    EXPECT_EQ(::SendMessageA(edit, WM_APP + 1, 0, 0), 42);
    // Typed characters arrive whole, as UTF-16, whatever the control was created as.
    EXPECT_TRUE(::IsWindowUnicode(edit));
}

TEST(Subclass, AMessageFindsTheObjectWithoutAWindowProperty) {
    // Looking data up as a property costs a round trip to Wine's server on every message.
    HWND edit = NewEdit();
    const int before = PropertyCount(edit);
    Recorder recorder;
    recorder.Attach(edit);
    ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"));
    EXPECT_EQ(PropertyCount(edit), before);
}

TEST(Subclass, AFailureInTheObjectIsReportedAndTheMessageCountsAsHandled) {
    g_reported.clear();
    widgets::SetErrorHandler(RecordError);
    Recorder recorder;
    recorder.Attach(NewEdit());
    EXPECT_EQ(::SendMessageA(recorder.Handle(), WM_APP, 0, 0), 0);
    widgets::SetErrorHandler(nullptr);
    EXPECT_EQ(g_reported, std::vector<HWND>{recorder.Handle()});
    EXPECT_EQ(::SendMessageA(recorder.Handle(), WM_APP + 1, 0, 0), 42) << "the next message is handled";
}

TEST(Subclass, AWindowDestroyedFirstIsForgottenAndAFreshOneTakenOver) {
    // As the viewer does when it rebuilds its pane: the old window goes, a new one comes.
    Recorder recorder;
    HWND first = NewEdit();
    recorder.Attach(first);
    ::DestroyWindow(first);
    EXPECT_EQ(recorder.Handle(), nullptr);
    HWND second = NewEdit();
    recorder.Attach(second);
    recorder.seen.clear();
    EXPECT_EQ(::SendMessageA(second, WM_APP + 1, 0, 0), 42);
    EXPECT_EQ(recorder.seen, std::vector<UINT>{WM_APP + 1});
}

// A subclass put in front of the object's later, as another component may: it passes every
// message on to the procedure that stood before it.
WNDPROC g_behindLater = nullptr;
LRESULT CALLBACK LaterSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(g_behindLater, window, message, wParam, lParam);
}

// Taking over another window lets go of the first, which works on as its own control, whether
// its own procedure comes back or a later subclass keeps ours in the chain.
TEST(Subclass, TakingOverAnotherWindowLeavesTheFirstWorking) {
    for (bool later : {false, true}) {
        platform::UniqueHwnd first{NewEdit()};
        Recorder recorder;
        recorder.Attach(first.get());
        if (later)
            g_behindLater = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrW(first.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterSubclass)));
        recorder.Attach(NewEdit());
        EXPECT_EQ(::GetWindowLongPtrW(first.get(), GWLP_USERDATA), 0);
        recorder.seen.clear();
        EXPECT_EQ(::SendMessageA(first.get(), WM_APP + 1, 0, 0), 0) << later;
        // Only the edit's own procedure knows this message; the default procedure ignores it.
        ::SendMessageA(first.get(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("still an edit"));
        EXPECT_EQ(Text(first.get()), "still an edit") << later;
        EXPECT_TRUE(recorder.seen.empty()) << later;
    }
}

TEST(Subclass, TheObjectDestroysTheWindowItHolds) {
    HWND edit = NewEdit();
    {
        Recorder recorder;
        recorder.Attach(edit);
    }
    EXPECT_FALSE(::IsWindow(edit));
}

TEST(Create, AWindowThatCannotBeCreatedRaisesTheProgramsOwnErrorWithTheClass) {
    try {
        Refusing refusing;
        FAIL() << "created";
    } catch (const platform::EOutOfResources& e) {
        EXPECT_EQ(e.Message(), L"Cannot create a window of class ZavotekRefusingWindow");
    }
}

}  // namespace
