#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

#include <filesystem>

#include "data/disk/folder_lock.h"
#include "support/dead_process.h"
#include "support/temp_folder.h"

namespace hanaki {
namespace {

using testing::DeadProcessId;
using testing::TempFolder;

// A second program that holds the lock until it is killed.
pid_t StartHolder(const std::string& folder) {
    int ready[2];
    EXPECT_EQ(::pipe(ready), 0);
    pid_t child = ::fork();
    if (child == 0) {
        FolderLock lock(folder, "hanaki");
        char held = lock.held() ? 'y' : 'n';
        (void)!::write(ready[1], &held, 1);
        ::pause();
        ::_exit(0);
    }
    char held = 0;
    EXPECT_EQ(::read(ready[0], &held, 1), 1);
    EXPECT_EQ(held, 'y');
    ::close(ready[0]);
    ::close(ready[1]);
    return child;
}

TEST(FolderLock, aSecondProgramIsRefusedUntilTheFirstIsGone) {
    TempFolder dir;
    pid_t holder = StartHolder(dir.path());

    {
        FolderLock second(dir.path(), "tsugite");
        EXPECT_EQ(second.state(), FolderLock::State::HeldByOther);
        EXPECT_EQ(second.owner().pid, holder);
        EXPECT_EQ(second.owner().program, "hanaki");
        EXPECT_EQ(LockRefusalTitle(second), "データフォルダ使用中");
        std::string message = DescribeLockRefusal(second);
        EXPECT_NE(message.find(dir.path()), std::string::npos) << message;
        EXPECT_NE(message.find("hanaki (プロセス番号 " + std::to_string(holder) + ") が使用中です"),
                  std::string::npos)
            << message;
    }
    EXPECT_TRUE(dir.Exists(".hanaki.lock"));

    // A crash leaves the lock file behind; its dead owner no longer counts.
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    {
        FolderLock third(dir.path(), "hanaki");
        EXPECT_TRUE(third.held());
        FolderLock again(dir.path(), "hanaki");
        EXPECT_FALSE(again.held());
    }
    EXPECT_FALSE(dir.Exists(".hanaki.lock"));
}

TEST(FolderLock, aLeftOverLockIsTakenOverOnlyWhenItsOwnerSurelyDied) {
    std::string dead = std::to_string(DeadProcessId());
    const std::string live = std::to_string(::getppid()) + "\n" + HostName() + "\nhanaki\n";
    const std::string liveStart = ProcessStart(::getppid());
    ASSERT_NE(liveStart, "");
    const std::string boot = liveStart.substr(0, liveStart.find(' '));
    struct Case {
        std::string name;
        std::string content;
        bool old;  // written more than a minute ago
        bool taken;
    };
    std::vector<Case> cases{
        {"dead program here", dead + "\n" + HostName() + "\nhanaki\n", false, true},
        {"live program here, of an older version", live, true, false},
        {"live program here", live + liveStart + "\n", true, false},
        {"its number now another program's", live + boot + " 1\n", true, true},
        {"its number from before a restart",
         live + "another-boot " + liveStart.substr(boot.size() + 1) + "\n", true, true},
        {"program on another computer", dead + "\nelsewhere\nhanaki\n", true, false},
        {"being written", "", false, false},
        {"never finished", "", true, true},
        {"garbled", "12x\n", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        dir.Write(".hanaki.lock", c.content);
        if (c.old) {
            std::string path = dir.path() + "/.hanaki.lock";
            utimbuf times{::time(nullptr) - 60, ::time(nullptr) - 60};
            ::utime(path.c_str(), &times);
        }
        FolderLock lock(dir.path(), "hanaki");
        EXPECT_EQ(lock.held(), c.taken);
        if (c.taken) {
            EXPECT_EQ(dir.Read(".hanaki.lock"), std::to_string(::getpid()) + "\n" + HostName() +
                                                    "\nhanaki\n" + ProcessStart(::getpid()) + "\n");
        } else {
            EXPECT_EQ(dir.Read(".hanaki.lock"), c.content);
        }
    }
}

TEST(FolderLock, aFolderThatCannotBeWrittenIsReportedWithoutTouchingIt) {
    TempFolder dir;
    dir.Write("not-a-folder", "x");
    std::filesystem::create_directory(dir.path() + "/read-only");
    std::filesystem::permissions(dir.path() + "/read-only", std::filesystem::perms::owner_read |
                                                                std::filesystem::perms::owner_exec);
    struct Case {
        std::string folder;
        std::string title;
        std::string reason;
    };
    // The superuser too: it could write there, but the folder's bits say no.
    const std::string unwritable = "データフォルダに書き込めません";
    std::vector<Case> cases{
        {dir.path() + "/missing", "データフォルダがありません", "がありません。"},
        {dir.path() + "/not-a-folder", unwritable,
         "に書き込めません。\n理由: フォルダではありません。"},
        {dir.path() + "/read-only", unwritable,
         "に書き込めません。\n理由: 書き込みが許可されていません。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        FolderLock lock(c.folder, "hanaki");
        EXPECT_EQ(lock.state(), FolderLock::State::Failed);
        EXPECT_EQ(LockRefusalTitle(lock), c.title);
        std::string message = DescribeLockRefusal(lock);
        EXPECT_NE(message.find("データフォルダ " + c.folder + " " + c.reason), std::string::npos)
            << message;
    }
    EXPECT_EQ(dir.FileCount(), 2u);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path() + "/read-only"));
}

}  // namespace
}  // namespace hanaki
