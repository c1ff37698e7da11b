#include "data/disk/io_result.h"

#include <cerrno>
#include <cstring>

namespace hanaki {
namespace {

std::string Reason(const IoError& error) {
    switch (error.refusal) {
        case IoRefusal::ReadOnlyFile:
            return "読み取り専用のファイルです";
        case IoRefusal::ReadOnlyFolder:
            return "データフォルダを読み取り専用で開いているため、変更は保存できません";
        case IoRefusal::ChangedOnDisk:
            return "読み込んだ後に、別のプログラムがファイルを変更しました";
        case IoRefusal::None:
            break;
    }
    return DescribeErrno(error.code, error.step);
}

}  // namespace

std::string DescribeErrno(int code, IoStep step) {
    switch (code) {
        case ENOENT:
            return "ファイルまたはフォルダがありません";
        case EACCES:
        case EPERM:
            return step == IoStep::Read ? "読み込みが許可されていません"
                                        : "書き込みが許可されていません";
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
        case ENOTDIR:
            return "フォルダではありません";
        case kNotRegularFile:
            return "通常のファイルではありません (パイプやデバイスです)";
        case kNoCategory:
            return "読み取れる費目がありません";
        case kFolderMissing:
            return "データフォルダが見つかりません";
        case EFBIG:
            return "ファイルが大きすぎます";
        case ELOOP:
            return "シンボリックリンクが循環しています";
        default:
            return "エラー番号 " + std::to_string(code) + " (" + std::strerror(code) + ")";
    }
}

std::string DescribeStandardOutputFailure(int code) {
    return "標準出力に書き込めませんでした。\n理由: " + DescribeErrno(code, IoStep::Write) + "。";
}

std::string DescribeIoError(const IoError& error) {
    // Not one file but the whole folder: the user is to put it back.
    if (error.code == kFolderMissing)
        return "データフォルダ " + error.path +
               " が見つかりません。\n"
               "USBメモリなどが外されたか、フォルダの場所や名前が変わった可能性があります。\n"
               "フォルダを元に戻してから、もう一度操作してください。\n"
               "ファイルは何も変更していません。";
    std::string action;
    switch (error.step) {
        case IoStep::Read:
            action = "を読み込めませんでした。";
            break;
        case IoStep::Remove:
            action = "を削除できませんでした。";
            break;
        case IoStep::SyncFolder:
            action = "を保存しましたが、ディスクへの記録を確かめられませんでした。";
            break;
        default:
            action = "に書き込めませんでした。";
            break;
    }
    std::string text = "ファイル " + error.path + " " + action + "\n理由: " + Reason(error) + "。";
    // Nothing was touched, and the file may never have existed.
    if (error.refusal == IoRefusal::ReadOnlyFolder)
        text += "\nファイルは何も変更していません。";
    else if (error.refusal == IoRefusal::ChangedOnDisk)
        text += "\n上書きせずに、ファイルを読み込み直します。";
    else if (error.step == IoStep::SyncFolder)
        text += "\n電源が切れると、変更前の内容に戻るおそれがあります。";
    else if (error.step != IoStep::Read && error.targetExisted)
        text += "\nファイルは変更前のまま残っています。";
    return text;
}

}  // namespace hanaki
