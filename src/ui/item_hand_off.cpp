#include "ui/item_hand_off.h"

#include <QWidget>

namespace hanaki {

void HandOffItem(const ItemHandOff& handOff, const PickedItem& item, QWidget* asker,
                 const std::function<void()>& gone) {
    if (handOff)
        FollowHandOff(handOff(item, asker), asker, gone);
}

void FollowHandOff(HandOffResult result, QWidget* asker, const std::function<void()>& gone) {
    switch (result) {
        case HandOffResult::Opened:
            asker->close();
            return;
        case HandOffResult::Refused:
            return;
        case HandOffResult::Gone:
            gone();
            return;
    }
}

}  // namespace hanaki
