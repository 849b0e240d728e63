#pragma once
// Two pseudo-terminals joined by socat: what is written to one is read from
// the other. The test's own socat is ended (by its process id) with the
// object.

#include "support/TestSupport.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

class TPtyPair {
public:
    TPtyPair() : a_(dir_.file("ttyA")), b_(dir_.file("ttyB"))
    {
        const std::string endA = "pty,raw,echo=0,link=" + a_;
        const std::string endB = "pty,raw,echo=0,link=" + b_;
        char* argv[] = {const_cast<char*>("socat"), const_cast<char*>(endA.c_str()),
                        const_cast<char*>(endB.c_str()), nullptr};
        if (::posix_spawnp(&pid_, "socat", nullptr, nullptr, argv, environ) != 0) pid_ = -1;
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!(Exists(a_) && Exists(b_)) && std::chrono::steady_clock::now() < limit && Running())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ~TPtyPair()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            int status = 0;
            ::waitpid(pid_, &status, 0);
        }
    }
    TPtyPair(const TPtyPair&) = delete;
    TPtyPair& operator=(const TPtyPair&) = delete;

    // True once both terminals exist (socat found and running).
    bool Ready() { return Running() && Exists(a_) && Exists(b_); }
    const std::string& A() const { return a_; }
    const std::string& B() const { return b_; }

private:
    static bool Exists(const std::string& p)
    {
        struct stat st {};
        return ::stat(p.c_str(), &st) == 0;
    }
    bool Running()
    {
        if (pid_ <= 0) return false;
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return false;
        }
        return true;
    }

    TempDir dir_;
    std::string a_, b_;
    pid_t pid_ = -1;
};
