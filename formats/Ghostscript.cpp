#include "formats/Ghostscript.h"

#include <csignal>
#include <pthread.h>
#include <stdexcept>

#include <gio/gio.h>
#include <gio/gunixoutputstream.h>
#include <glib/gstdio.h>

#include "postscript/FileOutput.h"

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
    std::vector<const gchar*> argv = {"gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE"};
    for (const std::string& a : arguments)
        argv.push_back(a.c_str());
    argv.push_back(nullptr);

    GSubprocessLauncher* launcher = g_subprocess_launcher_new(
        static_cast<GSubprocessFlags>(G_SUBPROCESS_FLAGS_STDOUT_SILENCE | (feed ? G_SUBPROCESS_FLAGS_STDIN_PIPE : 0)));
    g_subprocess_launcher_set_stderr_file_path(launcher, diagnostics.c_str());
    GError* error = nullptr;
    GSubprocess* gs = g_subprocess_launcher_spawnv(launcher, argv.data(), &error);
    g_object_unref(launcher);
    if (!gs)
        throw std::runtime_error("Ghostscript could not be started (is the ghostscript package installed?): " +
                                 takeMessage(error));

    if (feed) {
        GOutputStream* input = g_subprocess_get_stdin_pipe(gs);
        const int fd = g_unix_output_stream_get_fd(G_UNIX_OUTPUT_STREAM(input));
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
                WriteAllToDescriptor(fd, bytes);
            } catch (const harmodex::Error&) {
                open = false;  // Ghostscript has stopped reading: its status says why
            }
            return open;
        });
        g_output_stream_close(input, nullptr, nullptr);
        const struct timespec now = {0, 0};
        while (sigtimedwait(&pipeSignal, nullptr, &now) == SIGPIPE) {
        }
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    }
    const bool waited = g_subprocess_wait(gs, nullptr, &error);
    const bool succeeded = waited && g_subprocess_get_if_exited(gs) && g_subprocess_get_exit_status(gs) == 0;
    g_object_unref(gs);
    if (!waited)
        throw std::runtime_error("Ghostscript did not finish: " + takeMessage(error));
    if (!succeeded) {
        const std::string complaint = complaintIn(diagnostics);
        throw std::runtime_error("Ghostscript failed" + (complaint.empty() ? std::string() : ": " + complaint));
    }
}
