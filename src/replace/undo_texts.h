#pragma once
// What the undo tells and asks the user.
#include "replace/undo_store.h"

#include <optional>
#include <string>

namespace replace {

// The system menu's item: the command it undoes, and its key; when nothing was kept, why.
std::wstring UndoMenuText(const std::optional<UndoManifest>& kept);
// Whether the item can be chosen: a command changed files and kept what putting them back needs.
bool CanUndo(const std::optional<UndoManifest>& kept);
// The question before putting back.
std::wstring UndoQuestion(const UndoManifest& kept);
// The one message at the end: how many files were put back, which were not, and why.
std::wstring UndoReport(const UndoManifest& kept, const PutBackReport& report);

}  // namespace replace
