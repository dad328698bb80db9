#pragma once

class InstallBatch;
class QListWidget;

// The outcome list at the end of a batch: one line per package, in the player's words. The list
// wraps its lines and elides what still does not fit (a long folder, a reason without blanks), so
// each line carries its whole text as its tooltip.
namespace OutcomeList {

// Fills `list` with the outcome of each package of `batch`, in batch order.
void show(QListWidget *list, const InstallBatch &batch);
// Puts the lines of `list` on the clipboard, one text line each.
void copy(const QListWidget *list);

} // namespace OutcomeList
