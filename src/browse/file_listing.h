#pragma once
// The listing behind the file list: the entries of a folder that match a mask and an attribute
// set, kept in the list box's sorted order; the selected entry's path; applying a path text.
// It works through the process's current directory, which is the listed folder after every
// change of folder and every listing. Entries are the names the file system holds, whatever the
// ANSI code page can show of them.
#include "browse/entry_list.h"
#include "browse/file_type.h"
#include "platform/app_cursor.h"
#include "platform/file_system.h"

#include <functional>
#include <string>
#include <vector>

namespace browse {

class FileListing {
public:
    // `Directory` starts as the current directory; nothing is listed until RefreshEntries runs
    // with a list that has a window.
    explicit FileListing(EntryList& list, platform::FileSystem& fs = platform::SystemFileSystem(),
                         platform::AppCursor& cursor = platform::SystemAppCursor());
    FileListing(const FileListing&) = delete;
    FileListing& operator=(const FileListing&) = delete;

    // Absolute, as the platform reports it: no trailing backslash except at a drive root.
    const platform::Path& Directory() const noexcept { return directory_; }
    // Enters `path` (relative texts resolve against the listed folder) and re-reads; the same
    // folder in other letter case does nothing. A refusal raises EInOutError.
    void SetDirectory(const platform::Path& path);
    // Wildcard patterns joined by ";". Only a different text re-reads.
    const std::wstring& Mask() const noexcept { return mask_; }
    void SetMask(const std::wstring& mask);
    TFileType FileType() const noexcept { return fileType_; }
    void SetFileType(TFileType fileType);

    int Count() const { return list_.Count(); }
    // An entry's text: a name as the file system has it, a folder's in brackets.
    std::wstring Entry(int index) const { return list_.Text(index); }
    // The selected entry's text, or empty.
    std::wstring FileName() const;
    // Directory and FileName joined by one backslash, or empty when nothing is selected.
    platform::Path FilePath() const;

    // Selects entry `index` (-1 for none) without a change report; an index the list refuses
    // raises EListError.
    void SelectIndex(int index);
    // Selects the first entry equal to `name` without regard to case (none if there is none)
    // and reports the change, unless `name` already is FileName.
    void SelectByName(const std::wstring& name);
    // Points the listing at a folder, optionally followed by a pattern or a file name.
    void ApplyPathText(const std::wstring& text);
    // Rebuilds the entries from Directory, Mask and FileType, then reports the change.
    void RefreshEntries();

    // The selected index at the last change report; -1 at first and after every re-read.
    int LastReportedIndex() const noexcept { return lastReportedIndex_; }
    void ReportChange();
    // Reports only when the selection differs from the last report (a selection by the user).
    void ReportIfSelectionMoved();

    std::function<void()> OnChange;

private:
    // The entries' texts and sort keys, in the order found.
    void FindEntries(DWORD attributeWord, std::vector<std::wstring>& texts, std::vector<std::string>& keys) const;
    void FillList(const std::vector<std::wstring>& texts, const std::vector<std::string>& keys);
    int FindByName(const std::wstring& name) const;

    EntryList& list_;
    platform::FileSystem& fs_;
    platform::AppCursor& cursor_;
    platform::Path directory_;
    std::wstring mask_ = L"*.*";
    TFileType fileType_{ftNormal};
    int lastReportedIndex_ = -1;
};

}  // namespace browse
