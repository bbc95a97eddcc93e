#include "app/WindowState.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include <glib.h>

#include "base/Error.h"
#include "postscript/FileOutput.h"

namespace {

constexpr int kPages = 351;

const char* const kWindowGroup = "window";
const char* const kPageGroup = "page";
const char* const kMidiGroup = "midi";

struct KeyFileDeleter {
    void operator()(GKeyFile* file) const { g_key_file_unref(file); }
};
using KeyFile = std::unique_ptr<GKeyFile, KeyFileDeleter>;

[[noreturn]] void fault(const char* group, const char* key, const std::string& reason)
{
    throw harmodex::Error::BadInput(std::string("[") + group + "] " + key + ": " + reason);
}

// GLib's own message for a key that is present but unreadable.
[[noreturn]] void fault(const char* group, const char* key, GError* error)
{
    const std::string reason = error->message;
    g_error_free(error);
    fault(group, key, reason);
}

bool hasKey(GKeyFile* file, const char* group, const char* key)
{
    return g_key_file_has_key(file, group, key, nullptr);
}

int readInt(GKeyFile* file, const char* group, const char* key, int fallback, int least, int most)
{
    if (!hasKey(file, group, key))
        return fallback;
    GError* error = nullptr;
    const gint64 value = g_key_file_get_int64(file, group, key, &error);
    if (error)
        fault(group, key, error);
    if (value < least || value > most)
        fault(group, key,
              std::to_string(value) + " is outside " + std::to_string(least) + " to " + std::to_string(most));
    return static_cast<int>(value);
}

bool readBool(GKeyFile* file, const char* group, const char* key, bool fallback)
{
    if (!hasKey(file, group, key))
        return fallback;
    GError* error = nullptr;
    const bool value = g_key_file_get_boolean(file, group, key, &error);
    if (error)
        fault(group, key, error);
    return value;
}

// A port's name as RtMidi gives it: one line of printable UTF-8.
std::string readPortName(GKeyFile* file)
{
    if (!hasKey(file, kMidiGroup, "input"))
        return {};
    GError* error = nullptr;
    gchar* raw = g_key_file_get_string(file, kMidiGroup, "input", &error);
    if (error)
        fault(kMidiGroup, "input", error);
    const std::string name = raw ? raw : "";
    g_free(raw);
    if (name.size() > kRememberedPortNameCap)
        fault(kMidiGroup, "input", "longer than " + std::to_string(kRememberedPortNameCap) + " bytes");
    if (!g_utf8_validate(name.data(), static_cast<gssize>(name.size()), nullptr))
        fault(kMidiGroup, "input", "not UTF-8 text");
    for (const unsigned char c : name)
        if (c < 0x20 || c == 0x7f)
            fault(kMidiGroup, "input", "holds a control character");
    return name;
}

// "fit-width", "fit-page" or a size factor such as 1.25.
void readZoom(GKeyFile* file, WindowState& state)
{
    if (!hasKey(file, kPageGroup, "zoom"))
        return;
    gchar* raw = g_key_file_get_value(file, kPageGroup, "zoom", nullptr);
    const std::string text = raw ? raw : "";
    g_free(raw);
    if (text == "fit-width") {
        state.fit = FitMode::Width;
        return;
    }
    if (text == "fit-page") {
        state.fit = FitMode::Page;
        return;
    }
    gchar* end = nullptr;
    const double size = g_ascii_strtod(text.c_str(), &end);
    if (text.empty() || !end || *end != '\0' || !std::isfinite(size))
        fault(kPageGroup, "zoom", "\"" + text.substr(0, 40) + "\" is neither fit-width, fit-page nor a size");
    if (size < kRememberedSmallestSize - 1e-9 || size > kRememberedLargestSize + 1e-9)
        fault(kPageGroup, "zoom", text + " is outside the sizes 0.25 to 4.0");
    state.fit = FitMode::None;
    state.sizeFactor = std::round(size * 100.0) / 100.0;
}

}  // namespace

WindowState ParseWindowState(const std::string& text)
{
    if (text.size() > kWindowStateFileCap)
        throw harmodex::Error::BadInput("larger than " + std::to_string(kWindowStateFileCap / 1024) +
                                        " KiB: not a window state");
    if (std::memchr(text.data(), '\0', text.size()))
        throw harmodex::Error::BadInput("holds a NUL byte: not a key file");
    KeyFile file(g_key_file_new());
    GError* error = nullptr;
    if (!g_key_file_load_from_data(file.get(), text.data(), text.size(), G_KEY_FILE_NONE, &error)) {
        const std::string reason = error->message;
        g_error_free(error);
        throw harmodex::Error::BadInput("not a key file: " + reason);
    }
    WindowState state;
    state.width = readInt(file.get(), kWindowGroup, "width", 0, kRememberedLeastSide, kRememberedLargestSide);
    state.height = readInt(file.get(), kWindowGroup, "height", 0, kRememberedLeastSide, kRememberedLargestSide);
    if ((state.width == 0) != (state.height == 0))
        fault(kWindowGroup, state.width ? "height" : "width", "missing beside the other side");
    state.maximised = readBool(file.get(), kWindowGroup, "maximized", false);
    state.sidePanel = readBool(file.get(), kWindowGroup, "side-panel", false);
    state.page = readInt(file.get(), kPageGroup, "number", 0, 1, kPages);
    readZoom(file.get(), state);
    state.midiInput = readPortName(file.get());
    return state;
}

std::string FormatWindowState(const WindowState& state)
{
    KeyFile file(g_key_file_new());
    if (state.width > 0 && state.height > 0) {
        g_key_file_set_integer(file.get(), kWindowGroup, "width", state.width);
        g_key_file_set_integer(file.get(), kWindowGroup, "height", state.height);
    }
    g_key_file_set_boolean(file.get(), kWindowGroup, "maximized", state.maximised);
    g_key_file_set_boolean(file.get(), kWindowGroup, "side-panel", state.sidePanel);
    if (state.page >= 1 && state.page <= kPages)
        g_key_file_set_integer(file.get(), kPageGroup, "number", state.page);
    if (state.fit == FitMode::Width) {
        g_key_file_set_value(file.get(), kPageGroup, "zoom", "fit-width");
    } else if (state.fit == FitMode::Page) {
        g_key_file_set_value(file.get(), kPageGroup, "zoom", "fit-page");
    } else {
        char size[G_ASCII_DTOSTR_BUF_SIZE];
        g_ascii_formatd(size, sizeof size, "%.2f", state.sizeFactor);
        g_key_file_set_value(file.get(), kPageGroup, "zoom", size);
    }
    if (!state.midiInput.empty())
        g_key_file_set_string(file.get(), kMidiGroup, "input", state.midiInput.c_str());
    gsize length = 0;
    gchar* data = g_key_file_to_data(file.get(), &length, nullptr);
    std::string text(data, length);
    g_free(data);
    return text;
}

std::string DefaultWindowStatePath()
{
    gchar* path = g_build_filename(g_get_user_state_dir(), "harmodex", "window.ini", nullptr);
    std::string result = path;
    g_free(path);
    return result;
}

WindowState LoadWindowState(const std::string& path, std::string& problem)
{
    problem.clear();
    // Opened without blocking and checked to be a regular file: a named
    // pipe or a device in its place must not hang the window's start.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT)
            problem = path + ": " + std::strerror(errno);
        return WindowState();
    }
    std::string text;
    struct stat info;
    if (::fstat(fd, &info) != 0) {
        problem = path + ": " + std::strerror(errno);
    } else if (!S_ISREG(info.st_mode)) {
        problem = path + ": not a regular file";
    } else if (static_cast<std::size_t>(info.st_size) > kWindowStateFileCap) {
        problem = path + ": larger than " + std::to_string(kWindowStateFileCap / 1024) + " KiB: not a window state";
    } else {
        char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                problem = path + ": " + std::strerror(errno);
                break;
            }
            if (got == 0)
                break;
            text.append(buffer, static_cast<std::size_t>(got));
            if (text.size() > kWindowStateFileCap) {
                problem =
                    path + ": larger than " + std::to_string(kWindowStateFileCap / 1024) + " KiB: not a window state";
                break;
            }
        }
    }
    ::close(fd);
    if (!problem.empty())
        return WindowState();
    try {
        return ParseWindowState(text);
    } catch (const harmodex::Error& e) {
        problem = path + ": " + e.what();
        return WindowState();
    }
}

void SaveWindowState(const std::string& path, const WindowState& state)
{
    gchar* folder = g_path_get_dirname(path.c_str());
    const bool made = g_mkdir_with_parents(folder, 0700) == 0;
    const int madeErrno = errno;
    const std::string folderName = folder;
    g_free(folder);
    if (!made)
        throw harmodex::Error("cannot make " + folderName + ": " + std::strerror(madeErrno));
    // Only a regular file is ours to replace: writing a named pipe left in
    // its place would wait for a reader for ever.
    struct stat info;
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        throw harmodex::Error("cannot write " + path + ": not a regular file");
    WriteFileAtomically(path, FormatWindowState(state));
}
