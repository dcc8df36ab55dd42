#include "widgets/button_panel_accessible.h"

#include "platform/ansi_text.h"
#include "widgets/panel.h"

#include <utility>

namespace widgets {

namespace {

// The interface's id from its declaration: the import library's IID_IAccessible may resolve to a
// thunk rather than the id (seen with MinGW), and every query would then fail.
const IID& AccessibleId() { return __uuidof(IAccessible); }

HRESULT NewString(const std::string& text, BSTR* out) {
    if (!out) return E_POINTER;
    const std::wstring wide = platform::WideFromAnsi(text);
    *out = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT NewNumber(long value, VARIANT* out) {
    if (!out) return E_POINTER;
    ::VariantInit(out);
    out->vt = VT_I4;
    out->lVal = value;
    return S_OK;
}

// For the properties a button does not have: S_FALSE with nothing, as the standard objects answer.
HRESULT NoString(BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return S_FALSE;
}

HWND NthChildWindow(HWND parent, long n) {
    HWND child = ::GetWindow(parent, GW_CHILD);
    while (child && n-- > 0) child = ::GetWindow(child, GW_HWNDNEXT);
    return child;
}

long ChildWindowCount(HWND parent) {
    long count = 0;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) ++count;
    return count;
}

}  // namespace

void DisconnectAndRelease(ButtonPanelAccessible* object) noexcept {
    object->Disconnect();
    object->Release();
}

ConnectedAccessible ButtonPanelAccessible::Create(Panel& panel) {
    platform::UniqueCom<IAccessible> standard;
    if (FAILED(::CreateStdAccessibleObject(panel.Handle(), OBJID_CLIENT, AccessibleId(), standard.put()))) return {};
    return ConnectedAccessible(new ButtonPanelAccessible(panel, std::move(standard)));
}

ButtonPanelAccessible::~ButtonPanelAccessible() { Disconnect(); }

void ButtonPanelAccessible::Disconnect() noexcept {
    panel_ = nullptr;
    standard_.reset();
}

HRESULT ButtonPanelAccessible::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == AccessibleId()) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG ButtonPanelAccessible::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }

ULONG ButtonPanelAccessible::Release() {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT ButtonPanelAccessible::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}
HRESULT ButtonPanelAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT ButtonPanelAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT ButtonPanelAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

bool ButtonPanelAccessible::Connected() const noexcept { return panel_ && ::IsWindow(panel_->Handle()); }

long ButtonPanelAccessible::ButtonCount() const noexcept { return static_cast<long>(panel_->Buttons().size()); }

long ButtonPanelAccessible::ChildCount() const noexcept { return ButtonCount() + ChildWindowCount(panel_->Handle()); }

ButtonPanelAccessible::Kind ButtonPanelAccessible::Classify(const VARIANT& child, size_t* button) const noexcept {
    if (child.vt != VT_I4) return Kind::Invalid;
    if (child.lVal == CHILDID_SELF) return Kind::Self;
    if (child.lVal < 1 || child.lVal > ButtonCount()) return Kind::Invalid;
    *button = static_cast<size_t>(child.lVal - 1);
    return Kind::Button;
}

HRESULT ButtonPanelAccessible::ChildVariant(long id, VARIANT* out) const {
    ::VariantInit(out);
    if (id < 1 || id > ChildCount()) return S_FALSE;
    if (id <= ButtonCount()) return NewNumber(id, out);
    IDispatch* dispatch = nullptr;
    HRESULT hr = ::AccessibleObjectFromWindow(NthChildWindow(panel_->Handle(), id - ButtonCount() - 1), OBJID_WINDOW,
                                              IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    if (FAILED(hr)) return hr;
    out->vt = VT_DISPATCH;
    out->pdispVal = dispatch;
    return S_OK;
}

HRESULT ButtonPanelAccessible::get_accParent(IDispatch** parent) {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    return standard_->get_accParent(parent);
}

HRESULT ButtonPanelAccessible::get_accChildCount(long* count) {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (!count) return E_POINTER;
    *count = ChildCount();
    return S_OK;
}

HRESULT ButtonPanelAccessible::get_accChild(VARIANT child, IDispatch** dispatch) {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (!dispatch) return E_POINTER;
    *dispatch = nullptr;
    if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > ChildCount()) return E_INVALIDARG;
    // A button is a simple element: the client asks this object about it by its number.
    if (child.lVal <= ButtonCount()) return S_FALSE;
    VARIANT object;
    HRESULT hr = ChildVariant(child.lVal, &object);
    if (hr != S_OK) return FAILED(hr) ? hr : E_INVALIDARG;
    *dispatch = object.pdispVal;
    return S_OK;
}

HRESULT ButtonPanelAccessible::get_accName(VARIANT child, BSTR* name) {
    return Answer(
        child, [&] { return standard_->get_accName(child, name); },
        [&](size_t b) { return NewString(panel_->Buttons()[b]->Caption(), name); });
}

HRESULT ButtonPanelAccessible::get_accValue(VARIANT child, BSTR* value) {
    return Answer(
        child, [&] { return standard_->get_accValue(child, value); },
        [&](size_t) { return NoString(value); });
}

HRESULT ButtonPanelAccessible::get_accDescription(VARIANT child, BSTR* description) {
    return Answer(
        child, [&] { return standard_->get_accDescription(child, description); },
        [&](size_t b) { return NewString(panel_->Buttons()[b]->Hint(), description); });
}

HRESULT ButtonPanelAccessible::get_accRole(VARIANT child, VARIANT* role) {
    return Answer(
        child, [&] { return standard_->get_accRole(child, role); },
        [&](size_t) { return NewNumber(ROLE_SYSTEM_PUSHBUTTON, role); });
}

HRESULT ButtonPanelAccessible::get_accState(VARIANT child, VARIANT* state) {
    return Answer(
        child, [&] { return standard_->get_accState(child, state); },
        [&](size_t b) {
            const HWND host = panel_->Handle();
            long bits = 0;
            // The button takes the mouse only through its panel, so it is as usable as the panel is.
            if (!::IsWindowEnabled(host)) bits |= STATE_SYSTEM_UNAVAILABLE;
            if (!::IsWindowVisible(host)) bits |= STATE_SYSTEM_INVISIBLE;
            if (panel_->Buttons()[b]->Pressed()) bits |= STATE_SYSTEM_PRESSED;
            return NewNumber(bits, state);
        });
}

HRESULT ButtonPanelAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return Answer(
        child, [&] { return standard_->get_accHelp(child, help); },
        [&](size_t) { return NoString(help); });
}

HRESULT ButtonPanelAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    return Answer(
        child, [&] { return standard_->get_accHelpTopic(file, child, topic); },
        [&](size_t) {
            if (topic) *topic = -1;
            return NoString(file);
        });
}

HRESULT ButtonPanelAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return Answer(
        child, [&] { return standard_->get_accKeyboardShortcut(child, shortcut); },
        [&](size_t) { return NoString(shortcut); });  // the buttons have no access key
}

HRESULT ButtonPanelAccessible::get_accFocus(VARIANT* focus) {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    return standard_->get_accFocus(focus);  // the buttons never take the focus
}

HRESULT ButtonPanelAccessible::get_accSelection(VARIANT* selection) {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    return standard_->get_accSelection(selection);
}

HRESULT ButtonPanelAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    return Answer(
        child, [&] { return standard_->get_accDefaultAction(child, action); },
        [&](size_t) { return NewString("Press", action); });
}

HRESULT ButtonPanelAccessible::accSelect(long flags, VARIANT child) {
    return Answer(
        child, [&] { return standard_->accSelect(flags, child); },
        [&](size_t) { return S_FALSE; });  // neither focus nor selection
}

HRESULT ButtonPanelAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    return Answer(
        child, [&] { return standard_->accLocation(left, top, width, height, child); },
        [&](size_t b) {
            if (!left || !top || !width || !height) return E_POINTER;
            RECT r = panel_->Buttons()[b]->Place();
            ::MapWindowPoints(panel_->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
            *left = r.left;
            *top = r.top;
            *width = r.right - r.left;
            *height = r.bottom - r.top;
            return S_OK;
        });
}

HRESULT ButtonPanelAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (!end) return E_POINTER;
    size_t b = 0;
    const Kind kind = Classify(start, &b);
    if (kind == Kind::Invalid) return E_INVALIDARG;
    if (kind == Kind::Self) {
        if (direction == NAVDIR_FIRSTCHILD) return ChildVariant(1, end);
        if (direction == NAVDIR_LASTCHILD) return ChildVariant(ChildCount(), end);
        return standard_->accNavigate(direction, start, end);
    }
    // Among the children in their order: the buttons first, then the windows.
    const long id = start.lVal;
    switch (direction) {
    case NAVDIR_NEXT:
    case NAVDIR_RIGHT: return ChildVariant(id + 1, end);
    case NAVDIR_PREVIOUS:
    case NAVDIR_LEFT: return ChildVariant(id - 1, end);
    default: ::VariantInit(end); return S_FALSE;
    }
}

HRESULT ButtonPanelAccessible::accHitTest(long x, long y, VARIANT* child) {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (!child) return E_POINTER;
    POINT at{x, y};
    ::ScreenToClient(panel_->Handle(), &at);
    for (long i = 0; i < ButtonCount(); ++i) {
        if (::PtInRect(&panel_->Buttons()[static_cast<size_t>(i)]->Place(), at)) return ChildVariant(i + 1, child);
    }
    return standard_->accHitTest(x, y, child);
}

HRESULT ButtonPanelAccessible::accDoDefaultAction(VARIANT child) {
    return Answer(
        child, [&] { return standard_->accDoDefaultAction(child); },
        [&](size_t b) {
            if (!::IsWindowEnabled(panel_->Handle())) return E_FAIL;
            // Posted: the command may run long and show boxes, and the client must not wait for it.
            return panel_->PressLater(b) ? S_OK : E_FAIL;
        });
}

HRESULT ButtonPanelAccessible::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT ButtonPanelAccessible::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

}  // namespace widgets
