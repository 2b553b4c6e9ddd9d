#pragma once
// List boxes whose choice acts at once (preview a picture, copy a command into the
// editor): the action runs when the selection moves, by mouse or by keyboard, and when
// the user clicks the entry already selected; once per change. Changes the window
// makes itself go through SelectRow and run nothing.

#include <QListWidget>
#include <functional>

namespace platform {

void OnEntryChosen(QListWidget* list, std::function<void()> action);

// The selected entry's index, or -1 when none is selected (the current entry of a
// list that has just got the focus is not selected).
[[nodiscard]] int SelectedRow(const QListWidget* list);

// Selects entry `row` (nothing for -1) without running the list's action.
void SelectRow(QListWidget* list, int row);

// Removes entry `row`; then the entry now at that index is selected, or nothing when
// the last one was removed. The list's action does not run.
void DeleteRow(QListWidget* list, int row);

}  // namespace platform
