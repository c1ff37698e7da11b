#pragma once

#include <functional>

#include "data/formats/ledger.h"

class QWidget;

namespace hanaki {

// An item picked in one window to be corrected on the main window: its
// accounting month, its slot as that month was numbered when it was picked,
// and what the slot held then (the chain's accounting date).
struct PickedItem {
    int year = 0;  // four digits
    int month = 0;
    int slot = 0;
    LedgerRecord record;
};

enum class HandOffResult {
    Opened,
    Refused,  // not opened, and the user was told why
    Gone,     // the item was changed or deleted since it was picked
};

// Opens the picked item for correction; `asker` is the window that picked it,
// in front of which a refusal is told.
using ItemHandOff = std::function<HandOffResult(const PickedItem& item, QWidget* asker)>;

// A day's memo picked in another window, to be opened on the main window.
struct PickedMemo {
    int year = 0;  // accounting month, four digits
    int month = 0;
    int day = 0;  // accounting day
};

using MemoHandOff = std::function<HandOffResult(const PickedMemo& memo, QWidget* asker)>;

// What `asker` does once a hand-off answered: closes when the thing is open,
// stays as it is on a refusal, and runs `gone` when the thing went.
void FollowHandOff(HandOffResult result, QWidget* asker, const std::function<void()>& gone);

// Hands `item` off from `asker`, which closes once the item is open, stays as
// it is on a refusal, and runs `gone` when the item went since it was picked.
void HandOffItem(const ItemHandOff& handOff, const PickedItem& item, QWidget* asker,
                 const std::function<void()>& gone);

}  // namespace hanaki
