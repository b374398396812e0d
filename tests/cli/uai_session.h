#pragma once
// The built tool's `uai` as a child process with a pipe each way, read line by line with a
// deadline, so that a hang fails the test instead of stopping it.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>

class UaiProcess {
public:
    UaiProcess() {
        int in[2], out[2];
        if (pipe(in) != 0 || pipe(out) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            close(in[1]);
            close(out[0]);
            execl(TOMELIN_CLI_PATH, TOMELIN_CLI_PATH, "uai", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        m_to = in[1];
        m_from = out[0];
        signal(SIGPIPE, SIG_IGN);
    }
    ~UaiProcess() {
        closeInput();
        if (m_from >= 0)
            close(m_from);
        if (m_pid > 0 && !m_reaped) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }
    UaiProcess(const UaiProcess&) = delete;
    UaiProcess& operator=(const UaiProcess&) = delete;

    bool started() const { return m_pid > 0; }

    bool send(const std::string& line) {
        const std::string text = line + "\n";
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t n = write(m_to, text.data() + done, text.size() - done);
            if (n <= 0)
                return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }
    void closeInput() {
        if (m_to >= 0)
            close(m_to);
        m_to = -1;
    }

    // The next line, or nothing when none came within `ms` (or the output ended).
    std::optional<std::string> line(int ms = 5000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            const std::size_t nl = m_buffer.find('\n');
            if (nl != std::string::npos) {
                std::string l = m_buffer.substr(0, nl);
                m_buffer.erase(0, nl + 1);
                return l;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  end - std::chrono::steady_clock::now())
                                  .count();
            if (left <= 0)
                return std::nullopt;
            pollfd p{m_from, POLLIN, 0};
            if (poll(&p, 1, static_cast<int>(left)) <= 0)
                continue;
            char chunk[4096];
            const ssize_t n = read(m_from, chunk, sizeof chunk);
            if (n <= 0)
                return std::nullopt;
            m_buffer.append(chunk, static_cast<std::size_t>(n));
        }
    }

    // Lines up to and including the first that starts with `prefix`; nothing on a timeout.
    std::optional<std::vector<std::string>> until(const std::string& prefix, int ms = 5000) {
        std::vector<std::string> lines;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  end - std::chrono::steady_clock::now())
                                  .count();
            std::optional<std::string> l = line(static_cast<int>(std::max<long long>(left, 0)));
            if (!l)
                return std::nullopt;
            lines.push_back(*l);
            if (l->rfind(prefix, 0) == 0)
                return lines;
        }
    }

    // The exit status, waiting at most `ms`; nothing if the process is still running.
    std::optional<int> exitStatus(int ms = 3000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end) {
            int status = 0;
            if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_reaped = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            usleep(2000);
        }
        return std::nullopt;
    }

private:
    pid_t m_pid = -1;
    int m_to = -1;
    int m_from = -1;
    bool m_reaped = false;
    std::string m_buffer;
};
