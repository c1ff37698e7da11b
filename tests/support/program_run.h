#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace hanaki::testing {

// What a program run left: its exit code (-1: killed after hanging), standard
// output (unless sent elsewhere) and standard error.
struct ProgramRun {
    int code = 0;
    std::string out;
    std::string err;
    bool hung() const { return code == -1; }
};

// The environment of this process with `changes` applied ("": unset).
inline std::vector<std::string> EnvironmentWith(const std::map<std::string, std::string>& changes) {
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        std::string text = *entry;
        if (!changes.count(text.substr(0, text.find('='))))
            env.push_back(text);
    }
    for (const auto& [name, value] : changes) {
        if (!value.empty())
            env.push_back(name + "=" + value);
    }
    return env;
}

inline std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Starts `program` with `args`, its standard output into `stdoutPath` (a
// file of `scratch` when empty) and its standard error into a file of `scratch`.
inline pid_t StartProgram(const std::string& program, const std::vector<std::string>& args,
                          const std::string& scratch, const std::string& stdoutPath = "",
                          const std::map<std::string, std::string>& changes = {}) {
    const std::string outPath = stdoutPath.empty() ? scratch + "/stdout" : stdoutPath;
    const std::string errPath = scratch + "/stderr";
    std::vector<std::string> env = EnvironmentWith(changes);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    pid_t child = ::fork();
    if (child == 0) {
        int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int in = ::open("/dev/null", O_RDONLY);
        ::dup2(out, 1);
        ::dup2(err, 2);
        ::dup2(in, 0);
        ::execve(program.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }
    return child;
}

// Waits for a started program, killing it after `seconds`.
inline ProgramRun FinishProgram(pid_t child, const std::string& scratch,
                                const std::string& stdoutPath = "", int seconds = 20) {
    ProgramRun run;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            run.code = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (run.code == 0)
        run.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (stdoutPath.empty())
        run.out = ReadWhole(scratch + "/stdout");
    run.err = ReadWhole(scratch + "/stderr");
    return run;
}

// Runs `program` with `args` as StartProgram does, and kills it after `seconds`.
inline ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                             const std::string& scratch, const std::string& stdoutPath = "",
                             const std::map<std::string, std::string>& changes = {},
                             int seconds = 20) {
    return FinishProgram(StartProgram(program, args, scratch, stdoutPath, changes), scratch,
                         stdoutPath, seconds);
}

}  // namespace hanaki::testing
