// The two graphic buttons as an assistive tool finds them: AccessibleObjectFromWindow on the real
// form's panel from a second process (this program started again, running only the client test
// below), the object crossing over by COM marshalling, which Wine carries too. The object held
// past its window is checked in this process, where the client gets the object itself.
#include "app/main_form_layout.h"
#include "replace_fixture.h"
#include "support/unique_kernel_handle.h"
#include "widgets/dpi.h"

#include <oleacc.h>

#include <cstdlib>

namespace replace_test {
namespace {

VARIANT Child(long id) {
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::string Text(BSTR text) {
    std::string utf8 = text ? test_support::Utf8Name(std::wstring(text, ::SysStringLen(text))) : "";
    ::SysFreeString(text);
    return utf8;
}

IAccessible* ObjectOf(HWND panel) {
    IAccessible* object = nullptr;
    EXPECT_EQ(::AccessibleObjectFromWindow(panel, OBJID_CLIENT, __uuidof(IAccessible),
                                           reinterpret_cast<void**>(&object)), S_OK);
    return object;
}

// What the tooltip shows over a point of the panel: the hint a sighted user reads.
std::string HintAt(HWND tooltip, HWND panel, POINT at) {
    wchar_t text[256] = {};
    TTHITTESTINFOW hit{panel, at, {sizeof(TTTOOLINFOW)}};
    hit.ti.lpszText = text;
    if (!::SendMessageW(tooltip, TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit))) return {};
    hit.ti.lpszText = text;
    ::SendMessageW(tooltip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&hit.ti));
    return test_support::Utf8Name(text);
}

std::string Env(const std::string& name) { return std::getenv(name.c_str()) ? std::getenv(name.c_str()) : ""; }

// The client, in the second process: the panel's handle and the hints arrive in its environment.
TEST(AccessibleButtonsClient, DISABLED_ReadsAndPressesTheButtonsOfAnotherProcess) {
    ASSERT_EQ(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    const auto panel = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::stoll(Env("A11Y_PANEL"))));
    IAccessible* object = ObjectOf(panel);
    ASSERT_NE(object, nullptr);
    long windows = 0, count = 0;
    for (HWND w = ::GetWindow(panel, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) ++windows;
    EXPECT_EQ(object->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 2 + windows);
    const auto layout = app::ComputeMainLayout(test_support::ClientSize(::GetParent(panel)), 0, widgets::ScreenDpi());
    const struct {
        long id;
        const char* name;
        app::Ctl place;
        long next;  // where NAVDIR_NEXT leads from the first, NAVDIR_PREVIOUS from the second
    } buttons[] = {{1, "Replace", app::Ctl::btnReplace, 2}, {2, "Replace All", app::Ctl::btnGlobReplace, 1}};
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.name);
        BSTR text = nullptr;
        EXPECT_EQ(object->get_accName(Child(b.id), &text), S_OK);
        EXPECT_EQ(Text(text), b.name);
        EXPECT_EQ(object->get_accDescription(Child(b.id), &text), S_OK);
        EXPECT_EQ(Text(text), Env("A11Y_HINT" + std::to_string(b.id)));
        object->get_accDefaultAction(Child(b.id), &text);
        EXPECT_EQ(Text(text), "Press");
        VARIANT role, state, hit, sibling;
        EXPECT_EQ(object->get_accRole(Child(b.id), &role), S_OK);
        EXPECT_EQ(object->get_accState(Child(b.id), &state), S_OK);
        EXPECT_EQ(std::make_pair(role.lVal, state.lVal), std::make_pair(long{ROLE_SYSTEM_PUSHBUTTON}, 0L));
        RECT expected = layout[b.place];
        ::MapWindowPoints(panel, nullptr, reinterpret_cast<POINT*>(&expected), 2);
        long x = 0, y = 0, w = 0, h = 0;
        EXPECT_EQ(object->accLocation(&x, &y, &w, &h, Child(b.id)), S_OK);
        const RECT found{x, y, x + w, y + h};
        EXPECT_TRUE(::EqualRect(&found, &expected)) << x << "," << y << " " << w << "x" << h;
        EXPECT_EQ(object->accHitTest(x + w / 2, y + h / 2, &hit), S_OK);
        EXPECT_EQ(std::make_pair(hit.vt, hit.lVal), std::make_pair(VARTYPE{VT_I4}, b.id));
        EXPECT_EQ(object->accNavigate(b.id == 1 ? NAVDIR_NEXT : NAVDIR_PREVIOUS, Child(b.id), &sibling), S_OK);
        EXPECT_EQ(sibling.lVal, b.next);
    }
    // A disabled panel: the buttons read unavailable and cannot be pressed.
    ::EnableWindow(panel, FALSE);
    VARIANT state;
    object->get_accState(Child(2), &state);
    EXPECT_EQ(state.lVal & STATE_SYSTEM_UNAVAILABLE, STATE_SYSTEM_UNAVAILABLE);
    EXPECT_TRUE(FAILED(object->accDoDefaultAction(Child(2))));
    ::EnableWindow(panel, TRUE);
    EXPECT_EQ(object->accDoDefaultAction(Child(2)), S_OK);
    object->Release();
    ::CoUninitialize();
}

class AccessibleButtons : public ReplaceFixture {};

// The client above presses "Replace All" at its end: the real command runs here, boxes and all.
TEST_F(AccessibleButtons, AScreenReaderInAnotherProcessReadsAndPressesBothButtons) {
    const HWND panel = form.Panel1().Handle();
    folder.WriteFile("a.txt", "abc, aBc");
    folder.WriteFile("b.txt", "ABC");
    List();
    Type("abc", "xyz");
    TickConfirm(true);
    ::SetEnvironmentVariableA("A11Y_PANEL", std::to_string(reinterpret_cast<INT_PTR>(panel)).c_str());
    for (widgets::GraphicButton* b : {&form.btnReplace(), &form.btnGlobReplace()}) {
        const std::string hint = HintAt(form.Hints().Handle(), panel, test_support::Centre(b->Place()));
        ::SetEnvironmentVariableA(b == &form.btnReplace() ? "A11Y_HINT1" : "A11Y_HINT2", hint.c_str());
    }
    test_support::DialogDriver driver(
        {DialogAnswer::Click("Yes"), DialogAnswer::Click("No"), DialogAnswer::Key(VK_RETURN)});
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_also_run_disabled_tests --gtest_filter=*Client.*";
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION client{};
    ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &client));
    test_support::UniqueKernelHandle process{client.hProcess}, thread{client.hThread};
    // The client's calls arrive here as messages: this thread answers them while it waits.
    while (::MsgWaitForMultipleObjects(1, &client.hProcess, FALSE, 30000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        test_support::DispatchWaitingMessages();
    test_support::DispatchWaitingMessages();  // the press, when it came with the client's end
    DWORD exitCode = STILL_ACTIVE;
    ::GetExitCodeProcess(client.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u) << "the client's checks failed; its output is above";
    if (exitCode == STILL_ACTIVE) ::TerminateProcess(client.hProcess, 1);
    EXPECT_TRUE(driver.Finish()) << driver.Failure();
    EXPECT_EQ(test_support::ReadFileBytes(folder.PathOf("a.txt")), "xyz, xyz");
    EXPECT_EQ(test_support::ReadFileBytes(folder.PathOf("b.txt")), "ABC");
}

// A client may keep the object after the window is gone: it then answers, but touches nothing.
TEST_F(AccessibleButtons, AnObjectHeldPastItsWindowAnswersDisconnected) {
    IAccessible* object = nullptr;
    {
        app::TForm1 other{shell};
        object = ObjectOf(other.Panel1().Handle());
        ASSERT_NE(object, nullptr);
    }
    BSTR name = nullptr;
    long count = 0;
    EXPECT_EQ(object->get_accName(Child(1), &name), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(object->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(object->accDoDefaultAction(Child(2)), CO_E_OBJNOTCONNECTED);
    object->Release();
}

}  // namespace
}  // namespace replace_test
