#include "browse/file_listing.h"

#include "browse/current_directory.h"
#include "browse/list_collation.h"
#include "browse/sorted_insert_plan.h"
#include "browse/split_path_text.h"
#include "platform/errors.h"


namespace browse {

namespace {

// Entries with these bits are shown only when FileType asks for them.
constexpr DWORD kShownOnRequest =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | kVolumeIdAttribute | FILE_ATTRIBUTE_DIRECTORY;

// Once an entry lands at this index, the listing is long enough to deserve the hourglass.
constexpr size_t kWaitCursorIndex = 100;

// A folder shows as its name in brackets.
std::wstring EntryText(const WIN32_FIND_DATAW& data) {
    std::wstring text = data.cFileName;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        text.insert(text.begin(), L'[');
        text.push_back(L']');
    }
    return text;
}

std::vector<std::wstring> SplitMask(const std::wstring& mask) {
    std::vector<std::wstring> pieces;
    size_t start = 0;
    for (size_t semicolon; (semicolon = mask.find(L';', start)) != std::wstring::npos; start = semicolon + 1)
        pieces.push_back(mask.substr(start, semicolon - start));
    pieces.push_back(mask.substr(start));
    return pieces;
}

}  // namespace

FileListing::FileListing(EntryList& list, platform::FileSystem& fs, platform::AppCursor& cursor)
    : list_(list), fs_(fs), cursor_(cursor), directory_(fs.GetCurrentDirectory()) {}

void FileListing::SetDirectory(const platform::Path& path) {
    if (platform::SameFileName(path, directory_)) return;
    // A relative text resolves against the listed folder, where it can still be entered; one
    // that refuses entry now must not keep the user from every other folder.
    if (platform::FolderExists(fs_, directory_)) fs_.SetCurrentDirectory(directory_);
    ChangeDirectory(fs_, path);
    directory_ = fs_.GetCurrentDirectory();
    RefreshEntries();
}

void FileListing::SetMask(const std::wstring& mask) {
    if (mask == mask_) return;
    mask_ = mask;
    RefreshEntries();
}

void FileListing::SetFileType(TFileType fileType) {
    if (fileType == fileType_) return;
    fileType_ = fileType;
    RefreshEntries();
}

std::wstring FileListing::FileName() const {
    int selected = list_.Selected();
    return selected < 0 || list_.Count() == 0 ? std::wstring() : list_.Text(selected);
}

platform::Path FileListing::FilePath() const {
    std::wstring name = FileName();
    if (name.empty()) return {};
    return directory_.Join(name);
}

void FileListing::SelectIndex(int index) {
    if (!list_.Select(index)) throw platform::errors::ListIndexOutOfBounds(index);
}

void FileListing::SelectByName(const std::wstring& name) {
    if (platform::SameFileName(name, FileName())) return;
    list_.Select(FindByName(name));
    ReportChange();
}

int FileListing::FindByName(const std::wstring& name) const {
    // Letter case only: names that merely collate alike (ss and the sharp s) are other files.
    for (int i = 0, count = list_.Count(); i < count; ++i)
        if (platform::SameFileName(list_.Text(i), name)) return i;
    return -1;
}

void FileListing::ApplyPathText(const std::wstring& text) {
    if (text.empty() || platform::SameFileName(text, FilePath().Text())) return;
    PathParts parts = SplitPathTextEnteringFolders(fs_, text);
    SetDirectory(platform::Path(parts.drive ? std::wstring(1, parts.drive) + L":" + parts.folder : parts.folder));
    if (HasWildcard(parts.file)) {
        SetMask(parts.file);
    } else if (!parts.file.empty()) {
        SelectByName(parts.file);
        if (!platform::FileExists(fs_, platform::Path(parts.file))) throw platform::errors::InvalidFileName(text);
        // An existing file that the mask hides becomes the mask itself.
        if (list_.Selected() < 0) {
            SetMask(parts.file);
            SelectByName(parts.file);
        }
    }
}

void FileListing::RefreshEntries() {
    if (!list_.HasWindow()) return;
    const DWORD attributeWord = AttributeWord(fileType_);
    ChangeDirectory(fs_, directory_);
    {
        list_.BeginUpdate();
        platform::ScopeExit endUpdate{[&] { list_.EndUpdate(); }};
        list_.Clear();
        const HCURSOR saved = cursor_.Current();
        platform::ScopeExit restoreCursor{[&] { cursor_.Set(saved); }};
        std::vector<std::wstring> texts;
        std::vector<std::string> keys;
        FindEntries(attributeWord, texts, keys);
        FillList(texts, keys);
    }
    ReportChange();
}

void FileListing::FindEntries(DWORD attributeWord, std::vector<std::wstring>& texts,
                              std::vector<std::string>& keys) const {
    const bool anyAttributes = fileType_.Contains(ftNormal);
    // The hourglass comes while the folder is still being read.
    EarlyLandings landings(kWaitCursorIndex);
    for (const std::wstring& pattern : SplitMask(mask_)) {
        if (pattern.empty()) continue;
        WIN32_FIND_DATAW data;
        platform::UniqueFind find = fs_.FindFirstFile(platform::Path(pattern), &data);
        if (!find) continue;
        do {
            DWORD attributes = data.dwFileAttributes;
            if (attributes & kShownOnRequest & ~attributeWord) continue;
            if (!anyAttributes && (attributes & attributeWord) == 0) continue;
            texts.push_back(EntryText(data));
            keys.push_back(ListSortKey(texts.back()));
            if (landings.Add(keys.back()) == kWaitCursorIndex) cursor_.Set(cursor_.Wait());
        } while (fs_.FindNextFile(find.get(), &data));
    }
}

void FileListing::FillList(const std::vector<std::wstring>& texts, const std::vector<std::string>& keys) {
    size_t textBytes = 0;
    for (const std::wstring& text : texts) textBytes += (text.size() + 1) * sizeof(wchar_t);
    InsertPlan plan = PlanSortedInserts(keys);
    list_.Reserve(static_cast<int>(texts.size()), textBytes);
    for (size_t entry : plan.order)
        if (list_.Append(texts[entry]) < 0) throw platform::errors::UnableToInsertLine();
}

void FileListing::ReportChange() {
    lastReportedIndex_ = list_.Selected();
    if (OnChange) OnChange();
}

void FileListing::ReportIfSelectionMoved() {
    if (list_.Selected() != lastReportedIndex_) ReportChange();
}

}  // namespace browse
