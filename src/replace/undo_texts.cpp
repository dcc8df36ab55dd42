#include "replace/undo_texts.h"

namespace replace {

namespace {

// Names beyond these are counted, so that the message fits on the screen.
constexpr size_t kNamesShown = 10;

std::wstring CommandName(UndoKind kind) { return kind == UndoKind::Replace ? L"Replace" : L"Replace All"; }

std::wstring Files(size_t count) { return std::to_wstring(count) + (count == 1 ? L" file" : L" files"); }

}  // namespace

std::wstring UndoMenuText(const std::optional<UndoManifest>& kept) {
    std::wstring text = L"Undo " + CommandName(kept ? kept->kind : UndoKind::ReplaceAll);
    if (kept && kept->notKept == NotKept::TooLarge) text += L" (too large to keep)";
    if (kept && kept->notKept == NotKept::Failed) text += L" (could not be kept)";
    return text + L"\tCtrl+Z";
}

bool CanUndo(const std::optional<UndoManifest>& kept) {
    return kept && kept->notKept == NotKept::No && !kept->entries.empty();
}

std::wstring UndoQuestion(const UndoManifest& kept) {
    return L"Put back the " + Files(kept.entries.size()) + L" that the last " + CommandName(kept.kind) +
           L" wrote in " + kept.folder.Text() + L" as they were before it?\r\n\r\n" +
           L"Files changed since are left as they are.";
}

std::wstring UndoReport(const UndoManifest& kept, const PutBackReport& report) {
    std::wstring text = L"Put back " + Files(report.putBack) + L" of " + std::to_wstring(kept.entries.size()) + L".";
    if (report.left.empty()) return text;
    text += L"\r\n\r\nLeft as they are:";
    for (size_t i = 0; i < report.left.size() && i < kNamesShown; ++i)
        text += L"\r\n" + report.left[i].first.FileName() + L": " + report.left[i].second;
    if (report.left.size() > kNamesShown) text += L"\r\nand " + Files(report.left.size() - kNamesShown) + L" more";
    return text;
}

}  // namespace replace
