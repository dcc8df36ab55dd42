#pragma once
// What a screen reader sees of a panel: the panel's standard object, with the graphic buttons it
// draws added as children of their own (children 1 .. buttons), since they have no window from
// which the system could make one. The panel's child windows follow them, so that a client
// walking the tree still finds the edits and boxes.
//
// A client may hold the object after the window is gone: the panel disconnects it when its
// window goes, and from then on every call answers CO_E_OBJNOTCONNECTED.
#include "platform/unique_handle.h"

#include <windows.h>
#include <oleacc.h>

#include <utility>

namespace widgets {

class Panel;
class ButtonPanelAccessible;

// The panel's own reference: letting go of it disconnects the object as well as releasing it, so
// that a client still holding the object never reaches a panel that is gone.
void DisconnectAndRelease(ButtonPanelAccessible* object) noexcept;
using ConnectedAccessible = platform::UniqueHandle<ButtonPanelAccessible*, &DisconnectAndRelease>;

class ButtonPanelAccessible final : public IAccessible {
public:
    // Empty when the standard object cannot be made.
    static ConnectedAccessible Create(Panel& panel);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: clients reach the members directly; there is no type information.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    ButtonPanelAccessible(Panel& panel, platform::UniqueCom<IAccessible> standard) noexcept
        : panel_(&panel), standard_(std::move(standard)) {}
    ~ButtonPanelAccessible();
    friend void DisconnectAndRelease(ButtonPanelAccessible* object) noexcept;

    void Disconnect() noexcept;
    bool Connected() const noexcept;
    enum class Kind { Self, Button, Invalid };
    // What a child id names: the panel itself, one of its buttons (index in `button`), or nothing
    // this object answers for by id (a child window is reached through get_accChild).
    Kind Classify(const VARIANT& child, size_t* button) const noexcept;
    // Answers a question about `child`: about the panel itself through `self`, about one of its
    // buttons through `button`, given the button's index.
    template <typename Self, typename Button>
    HRESULT Answer(const VARIANT& child, Self&& self, Button&& button) {
        if (!Connected()) return CO_E_OBJNOTCONNECTED;
        size_t index = 0;
        switch (Classify(child, &index)) {
        case Kind::Self: return self();
        case Kind::Button: return button(index);
        default: return E_INVALIDARG;
        }
    }
    long ButtonCount() const noexcept;
    long ChildCount() const noexcept;
    // Child `id` (1-based) as a client receives it: a number for a button, an object for a window.
    HRESULT ChildVariant(long id, VARIANT* out) const;

    LONG references_ = 1;
    Panel* panel_;  // null once disconnected
    // The panel's standard object, asked about the panel itself; empty once disconnected.
    platform::UniqueCom<IAccessible> standard_;
};

}  // namespace widgets
