#include "data/disk/change_note.h"

namespace hanaki {

std::string_view ChangeKindWord(ChangeKind kind) {
    switch (kind) {
        case ChangeKind::Add:
            return "追加";
        case ChangeKind::Correct:
            return "訂正";
        case ChangeKind::Delete:
            return "削除";
        case ChangeKind::Memo:
            return "メモ";
        case ChangeKind::Categories:
            return "費目";
        case ChangeKind::Settings:
            return "設定";
        case ChangeKind::CarryOver:
            return "繰越";
        case ChangeKind::Conversion:
            return "変換";
        case ChangeKind::Undo:
            return "取り消し";
        case ChangeKind::FixedItems:
            return "定期";
        case ChangeKind::Statement:
            return "取込";
    }
    return "";
}

}  // namespace hanaki
