#pragma once

#include <optional>
#include <string>

#include "data/disk/file_system.h"

namespace hanaki {

// Which step of reading or writing a file failed.
// SyncFolder: the new file is in place, but a power cut could still undo it.
enum class IoStep { Read, Create, Write, Sync, Rename, Remove, SyncFolder };

// Why the program itself declined a write before asking the system.
enum class IoRefusal {
    None,            // a system call failed; see code
    ReadOnlyFile,    // the file's permissions forbid writing it
    ReadOnlyFolder,  // the data folder was opened for reading only
    ChangedOnDisk,   // another program changed the file since it was read
};

struct IoError {
    IoStep step = IoStep::Read;
    int code = 0;      // errno
    std::string path;  // the file the user knows (the target, not the temporary file)
    IoRefusal refusal = IoRefusal::None;
    // False when a failed write was to make a new file: there is no older one to keep.
    bool targetExisted = true;
};

// Success, or the one error that stopped the operation.
struct IoResult {
    std::optional<IoError> error;

    bool ok() const { return !error.has_value(); }
    static IoResult Ok() { return {}; }
    static IoResult Fail(IoStep step, int code, std::string path) {
        return {IoError{step, code, std::move(path)}};
    }
    static IoResult Refuse(IoStep step, IoRefusal refusal, int code, std::string path) {
        return {IoError{step, code, std::move(path), refusal}};
    }
};

// Not an errno: a category master (VERADIV.DAT) that holds no readable category.
inline constexpr int kNoCategory = -2;
// Not an errno: the data folder itself is gone (moved away, a USB stick pulled
// out); the error's path is then the folder's. Unlike ENOENT it never means
// "no such file yet", so nothing takes it for an empty month.
inline constexpr int kFolderMissing = -3;

// Why a call failed with `code` (errno), in Japanese (UTF-8, no full stop);
// `step` tells a refused read from a refused write.
std::string DescribeErrno(int code, IoStep step);

// The same for a write to standard output.
std::string DescribeStandardOutputFailure(int code);

// A Japanese sentence (UTF-8) that names the file and says what went wrong.
std::string DescribeIoError(const IoError& error);

}  // namespace hanaki
