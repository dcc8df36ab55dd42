#pragma once
// The list that holds a listing's entries and its selection. The listing keeps the entries in
// order itself and hands them over already sorted, so a list only ever appends.
#include <cstddef>
#include <string>

namespace browse {

class EntryList {
public:
    virtual ~EntryList() = default;

    virtual int Count() const = 0;
    // The text at `index`; an index outside the entries raises EListError.
    virtual std::wstring Text(int index) const = 0;
    // Removes every entry; afterwards nothing is selected.
    virtual void Clear() = 0;
    // Appends `text` and returns its index, or -1 when the list refuses it.
    virtual int Append(const std::wstring& text) = 0;

    // The selected index, or -1 for none.
    virtual int Selected() const = 0;
    // Selects `index` (-1 for none); false when the list refuses the index.
    virtual bool Select(int index) = 0;

    // Without a window there is nothing to list into yet.
    virtual bool HasWindow() const = 0;
    // Brackets a rebuild; the list need not redraw in between. Calls may nest.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    // A hint that `count` entries with `textBytes` bytes of text in all are about to be appended.
    virtual void Reserve(int count, size_t textBytes) = 0;
};

}  // namespace browse
