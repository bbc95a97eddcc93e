#include "raster/Ghostscript.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

#include <glib.h>
#include <glib/gstdio.h>

#include "postscript/FileOutput.h"

extern char** environ;

namespace {

std::string takeMessage(GError* error)
{
    std::string message = error ? error->message : "unknown error";
    g_clear_error(&error);
    return message;
}

// Ghostscript's complaint, minus its banner lines, on one line.
std::string complaintIn(const std::string& path)
{
    gchar* text = nullptr;
    gsize length = 0;
    std::string lines;
    if (g_file_get_contents(path.c_str(), &text, &length, nullptr)) {
        lines.assign(text, length);
        g_free(text);
    }
    std::string complaint;
    size_t start = 0;
    while (start < lines.size() && complaint.size() < 400) {
        size_t end = lines.find('\n', start);
        if (end == std::string::npos)
            end = lines.size();
        const std::string line = lines.substr(start, end - start);
        if (!line.empty() && line.find("Copyright") == std::string::npos &&
            line.find("GPL Ghostscript") == std::string::npos)
            complaint += (complaint.empty() ? "" : "; ") + line;
        start = end + 1;
    }
    return complaint;
}

}  // namespace

ScratchFolder::ScratchFolder()
{
    GError* error = nullptr;
    gchar* made = g_dir_make_tmp("harmodex-XXXXXX", &error);
    if (!made)
        throw std::runtime_error("cannot make a temporary folder: " + takeMessage(error));
    path_ = made;
    g_free(made);
}

ScratchFolder::~ScratchFolder()
{
    if (GDir* dir = g_dir_open(path_.c_str(), 0, nullptr)) {
        while (const gchar* name = g_dir_read_name(dir))
            g_remove(file(name).c_str());
        g_dir_close(dir);
    }
    g_rmdir(path_.c_str());
}

std::string ScratchFolder::file(const std::string& name) const { return path_ + "/" + name; }

std::string GhostscriptOutputFile(const std::string& path)
{
    std::string escaped;
    for (char c : path)
        escaped += c == '%' ? std::string("%%") : std::string(1, c);
    return escaped;
}

std::string PdfTextString(const std::string& utf8)
{
    glong units = 0;
    gunichar2* utf16 = g_utf8_to_utf16(utf8.c_str(), static_cast<glong>(utf8.size()), nullptr, &units, nullptr);
    std::string hex = "<FEFF";
    static const char digits[] = "0123456789ABCDEF";
    for (glong i = 0; utf16 && i < units; ++i)
        for (int shift = 12; shift >= 0; shift -= 4)
            hex += digits[(utf16[i] >> shift) & 0xF];
    g_free(utf16);
    return hex + ">";
}

void RunGhostscript(const std::vector<std::string>& arguments,
                    const std::function<void(const std::function<bool(const std::string&)>& write)>& feed)
{
    ScratchFolder scratch;
    const std::string diagnostics = scratch.file("messages");
    std::vector<std::string> words = {"gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(&word[0]);
    argv.push_back(nullptr);

    int input[2] = {-1, -1};
    if (feed && pipe2(input, O_CLOEXEC) != 0)
        throw std::runtime_error(std::string("cannot make a pipe to Ghostscript: ") + std::strerror(errno));
    // Started without copying this program (posix_spawn, not fork): a fork
    // would write-protect all of its memory, and every page it next writes,
    // such as the image Ghostscript's pixels are read into, would fault.
    // Ghostscript gets nothing of ours but its standard streams.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (feed)
        posix_spawn_file_actions_adddup2(&actions, input[0], 0);
    else
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, diagnostics.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, "gs", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (feed)
        close(input[0]);
    if (failed) {
        if (feed)
            close(input[1]);
        throw std::runtime_error("Ghostscript could not be started (is the ghostscript package installed?): " +
                                 std::string(std::strerror(failed)));
    }

    if (feed) {
        // A Ghostscript that stops reading must not take the program with
        // it: SIGPIPE is held back in this thread, so the write fails with
        // EPIPE instead, and the pending signal is dropped before returning.
        sigset_t pipeSignal, previous;
        sigemptyset(&pipeSignal);
        sigaddset(&pipeSignal, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
        bool open = true;
        feed([&](const std::string& bytes) {
            if (!open)
                return false;
            try {
                WriteAllToDescriptor(input[1], bytes);
            } catch (const harmodex::Error&) {
                open = false;  // Ghostscript has stopped reading: its status says why
            }
            return open;
        });
        close(input[1]);
        const struct timespec now = {0, 0};
        while (sigtimedwait(&pipeSignal, nullptr, &now) == SIGPIPE) {
        }
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    }
    int status = 0;
    pid_t waited;
    do
        waited = waitpid(pid, &status, 0);
    while (waited == -1 && errno == EINTR);
    if (waited != pid)
        throw std::runtime_error(std::string("Ghostscript did not finish: ") + std::strerror(errno));
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        const std::string complaint = complaintIn(diagnostics);
        throw std::runtime_error("Ghostscript failed" + (complaint.empty() ? std::string() : ": " + complaint));
    }
}
