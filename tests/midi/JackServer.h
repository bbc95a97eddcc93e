#ifndef HARMODEX_TESTS_MIDI_JACKSERVER_H
#define HARMODEX_TESTS_MIDI_JACKSERVER_H

// A JACK server of a test's or benchmark's own: jackd on the dummy driver
// (no sound card), without realtime scheduling (so that it starts as root
// and as a user alike), under a name no other run shares. Every JACK client
// of the process talks to it (JACK_DEFAULT_SERVER), and none starts a
// server of its own. A message sent waits for the next period: 1024 frames
// at 48 kHz (21 ms) keep the server's wake-ups few for the tests, while a
// musician's set-up, which the benchmarks stand for, uses about 256 (5 ms).

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <jack/jack.h>

extern char** environ;

class JackServer {
public:
    explicit JackServer(int framesPerPeriod = 1024)
    {
        const std::string period = std::to_string(framesPerPeriod);
        const std::string name = "harmodex-test-" + std::to_string(getpid());
        setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
        setenv("JACK_NO_AUDIO_RESERVATION", "1", 1);
        setenv("JACK_NO_START_SERVER", "1", 1);
        jack_set_error_function(Quiet);
        jack_set_info_function(Quiet);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
        const char* argv[] = {"jackd", "-n", name.c_str(), "-S", "-r",           "-d",
                              "dummy", "-r", "48000",      "-p", period.c_str(), nullptr};
        const int failed = posix_spawnp(&pid_, "jackd", &files, nullptr, const_cast<char**>(argv), environ);
        posix_spawn_file_actions_destroy(&files);
        if (failed) {
            pid_ = 0;
            reason_ = "jackd cannot be started (" + std::string(strerror(failed)) + "; Debian package jackd2)";
            return;
        }
        for (int i = 0; i < 100; ++i) {
            if (Answers()) {
                running_ = true;
                return;
            }
            int status;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = 0;
                reason_ = "jackd -d dummy stopped at once";
                return;
            }
            usleep(100000);
        }
        reason_ = "jackd -d dummy did not answer within 10 seconds";
    }
    ~JackServer()
    {
        if (pid_) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    JackServer(const JackServer&) = delete;
    JackServer& operator=(const JackServer&) = delete;

    bool running() const { return running_; }
    // Why it is not running.
    const std::string& reason() const { return reason_; }

    static bool Answers()
    {
        jack_client_t* client = jack_client_open("probe", JackNoStartServer, nullptr);
        if (!client)
            return false;
        jack_client_close(client);
        return true;
    }

private:
    static void Quiet(const char*) {}
    pid_t pid_ = 0;
    bool running_ = false;
    std::string reason_;
};

#endif
