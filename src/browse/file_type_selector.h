#pragma once
// The file-type drop-down: a read-only list of the file types whose every pick, also of the
// entry already shown, raises OnChange; the program's own setting of the index raises nothing.
// The platform's combo box shows the list; which key, wheel turn or typed text picks what is
// decided by SelectorRules, so that it is alike wherever the program runs.
#include "browse/selector_rules.h"
#include "widgets/window.h"

#include <functional>
#include <string>
#include <vector>

namespace browse {

class FileTypeSelector : public widgets::Window {
public:
    // `itemHeight` is the height of the list's rows; the closed field takes the height of its place.
    // `entries` are the list's texts in the ANSI code page, in order.
    FileTypeSelector(HWND parent, UINT_PTR id, HFONT font, int itemHeight, const std::vector<std::string>& entries);
    // For a new dpi; the next SetPlace makes room for the rows.
    void SetItemHeight(int itemHeight);

    // -1 for no entry, else the chosen entry; or the out-of-range value the program last set.
    int ItemIndex() const;
    // Chooses an entry without a change event. A value below -1 or beyond the entries raises
    // EListError; it is kept as the index, the list loses its selection, and the field goes on
    // showing the text it showed.
    void SetItemIndex(int index);
    bool DroppedDown() const;
    // The text the closed field shows.
    std::wstring ShownText() const;

    // Puts the closed field at `field`; the window also holds room for the open list's rows.
    void SetPlace(const RECT& field);
    // What the parent passes on: the combo box's notifications and its owner drawing.
    void Notified(WORD code);
    void DrawItem(const DRAWITEMSTRUCT& item);

    std::function<void()> OnChange;
    // The clock that typing measures pauses with; tests may replace it.
    std::function<DWORD()> TickCount = [] { return ::GetTickCount(); };

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnKeyDown(UINT message, WPARAM key, LPARAM lParam);
    LRESULT OnWheel(UINT message, WPARAM wParam, LPARAM lParam);
    int ListIndex() const;
    std::wstring EntryText(int index) const;
    void Pick(int index);

    SelectorRules rules_;
    int itemHeight_;
    int kept_ = -1;              // an out-of-range index the program set, while no entry is chosen
    std::wstring keptText_;      // what the field showed when that index was set
    int droppedIndex_ = -1;      // the entry chosen when the list opened, restored when it is dismissed
    bool pickOnClose_ = false;   // the open list was closed by a pick
};

}  // namespace browse
