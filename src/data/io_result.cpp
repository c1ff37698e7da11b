#include "data/io_result.h"

#include <cerrno>
#include <cstring>

namespace hanaki {
namespace {

std::string Reason(int code) {
    switch (code) {
        case ENOENT:
            return "ファイルまたはフォルダがありません";
        case EACCES:
        case EPERM:
            return "アクセスが許可されていません";
        case EROFS:
            return "読み取り専用の場所です";
        case ENOSPC:
            return "ディスクの空きがありません";
        case EDQUOT:
            return "ディスクの割り当てを超えました";
        case EIO:
            return "入出力エラーが起きました";
        case EISDIR:
            return "フォルダです";
        default:
            return std::string("エラー番号 ") + std::to_string(code) + " (" + std::strerror(code) +
                   ")";
    }
}

}  // namespace

std::string DescribeIoError(const IoError& error) {
    std::string action;
    switch (error.step) {
        case IoStep::Read:
            action = "を読み込めませんでした。";
            break;
        case IoStep::Remove:
            action = "を削除できませんでした。";
            break;
        default:
            action = "に書き込めませんでした。";
            break;
    }
    std::string text =
        "ファイル " + error.path + " " + action + "\n理由: " + Reason(error.code) + "。";
    if (error.step != IoStep::Read)
        text += "\nファイルは変更前のまま残っています。";
    return text;
}

}  // namespace hanaki
