// Runs the program as a child process for the tests that need the real
// binary: its input and output through pipes, its error stream in a file,
// its memory read from /proc while it waits for input.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace qm::test {

class ChildProcess {
public:
    // Starts `argv[0]` with `argv`; the environment is this process's, less
    // the variables named in `unset`.
    ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& unset = {})
    {
        // A child that dies early must show as a failed write, not kill the test.
        ::signal(SIGPIPE, SIG_IGN);
        error_path_ = "/tmp/qm_child_" + std::to_string(::getpid()) + "_" + std::to_string(counter()++) + ".err";

        int in[2];
        int out[2];
        if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) return;
        const int err = ::open(error_path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (err < 0) return;

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], 0);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_adddup2(&actions, err, 2);

        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        std::vector<std::string> kept;
        for (char** e = environ; *e != nullptr; ++e) {
            const std::string entry = *e;
            bool drop = false;
            for (const std::string& name : unset) drop = drop || entry.rfind(name + "=", 0) == 0;
            if (!drop) kept.push_back(entry);
        }
        std::vector<char*> env;
        for (const std::string& e : kept) env.push_back(const_cast<char*>(e.c_str()));
        env.push_back(nullptr);

        if (::posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), env.data()) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(in[0]);
        ::close(out[1]);
        ::close(err);
        input_ = in[1];
        output_ = ::fdopen(out[0], "r");
    }

    ~ChildProcess()
    {
        close_input();
        if (output_ != nullptr) std::fclose(output_);
        if (pid_ > 0 && !waited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        std::remove(error_path_.c_str());
    }

    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0 && input_ >= 0 && output_ != nullptr; }

    bool write(const std::string& text)
    {
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t n = ::write(input_, text.data() + done, text.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }

    void close_input()
    {
        if (input_ >= 0) ::close(input_);
        input_ = -1;
    }

    // One line of the child's output without its line break; false at the end.
    bool read_line(std::string& line)
    {
        line.clear();
        int c = 0;
        while ((c = std::fgetc(output_)) != EOF && c != '\n') line.push_back(static_cast<char>(c));
        return c != EOF || !line.empty();
    }

    // Waits for the end; the exit code, or 128 + the signal that ended it.
    int wait()
    {
        close_input();
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        waited_ = true;
        if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
        return WEXITSTATUS(status);
    }

    // Everything the child wrote to its error stream so far.
    std::string error_text() const
    {
        std::ifstream in(error_path_);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // A field of /proc/<pid>/status in kilobytes ("VmRSS", "VmHWM"); -1 when
    // it cannot be read.
    long status_kb(const std::string& field) const
    {
        std::ifstream in("/proc/" + std::to_string(pid_) + "/status");
        std::string line;
        while (std::getline(in, line)) {
            if (line.rfind(field + ":", 0) == 0) return std::strtol(line.c_str() + field.size() + 1, nullptr, 10);
        }
        return -1;
    }

private:
    static int& counter()
    {
        static int n = 0;
        return n;
    }

    pid_t pid_ = -1;
    int input_ = -1;
    std::FILE* output_ = nullptr;
    bool waited_ = false;
    std::string error_path_;
};

}  // namespace qm::test
