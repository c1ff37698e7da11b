#pragma once

#include <optional>
#include <string>

namespace hanaki {

// Which step of reading or writing a file failed.
enum class IoStep { Read, Create, Write, Sync, Rename, Remove };

struct IoError {
    IoStep step = IoStep::Read;
    int code = 0;      // errno
    std::string path;  // the file the user knows (the target, not the temporary file)
};

// Success, or the one error that stopped the operation.
struct IoResult {
    std::optional<IoError> error;

    bool ok() const { return !error.has_value(); }
    static IoResult Ok() { return {}; }
    static IoResult Fail(IoStep step, int code, std::string path) {
        return {IoError{step, code, std::move(path)}};
    }
};

// A Japanese sentence (UTF-8) that names the file and says what went wrong.
std::string DescribeIoError(const IoError& error);

}  // namespace hanaki
