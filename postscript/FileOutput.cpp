#include "postscript/FileOutput.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gio/gio.h>

#include "base/Error.h"

namespace {

// GIO words its errors as "Error opening file “PATH”: reason" or "Error
// writing to file: reason"; the callers name the path themselves, so only
// the reason is kept.
std::string reasonOf(const GError* error)
{
    if (!error)
        return "unknown error";
    const std::string message = error->message;
    const size_t colon = message.rfind(": ");
    return colon == std::string::npos ? message : message.substr(colon + 2);
}

// The descriptor a name such as /dev/stdout or /dev/fd/3 stands for, or -1.
// Such a name is written through the descriptor the program already holds,
// as a shell redirection meant: reopening it could truncate a file the
// shell opened for appending, and replacing it would swap out /proc's link.
int descriptorNamed(const std::string& path)
{
    if (path == "/dev/stdout")
        return STDOUT_FILENO;
    if (path == "/dev/stderr")
        return STDERR_FILENO;
    for (const char* prefix : {"/dev/fd/", "/proc/self/fd/"}) {
        const size_t length = std::strlen(prefix);
        if (path.compare(0, length, prefix) != 0 || path.size() == length)
            continue;
        char* end = nullptr;
        const long fd = std::strtol(path.c_str() + length, &end, 10);
        if (*end == '\0' && fd >= 0 && fd < 1 << 20 && fcntl(static_cast<int>(fd), F_GETFD) != -1)
            return static_cast<int>(fd);
    }
    return -1;
}

bool writeAll(int fd, const std::string& data, std::string* error)
{
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            *error = std::strerror(n < 0 ? errno : EIO);
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool writeInPlace(const std::string& path, const std::string& data, std::string* error)
{
    // No O_CREAT and no O_TRUNC: the node exists and is not a file to cut.
    const int fd = open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        *error = std::strerror(errno);
        return false;
    }
    const bool written = writeAll(fd, data, error);
    if (close(fd) != 0 && written && errno != EINTR) {
        *error = std::strerror(errno);
        return false;
    }
    return written;
}

bool replaceThroughGio(const std::string& path, const std::string& data, bool isNew, std::string* error)
{
    GFile* file = g_file_new_for_path(path.c_str());
    GError* failure = nullptr;
    // GIO writes a name that does not exist yet directly, where a full disk
    // would leave it half written. So the name is first taken by an empty
    // file with the usual permissions (0666 less the umask), which GIO then
    // replaces like any existing file: through a temporary file, keeping
    // those permissions. If anything fails, the empty file goes again.
    bool created = false;
    if (isNew) {
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            *error = std::strerror(errno);
            g_object_unref(file);
            return false;
        }
        created = fd >= 0;
        if (created)
            close(fd);
    }
    GFileOutputStream* stream = g_file_replace(file, nullptr, FALSE, G_FILE_CREATE_NONE, nullptr, &failure);
    g_object_unref(file);
    if (!stream) {
        *error = reasonOf(failure);
        g_clear_error(&failure);
        if (created)
            unlink(path.c_str());
        return false;
    }
    gsize written = 0;
    bool ok = g_output_stream_write_all(G_OUTPUT_STREAM(stream), data.data(), data.size(), &written, nullptr, &failure);
    if (ok) {
        ok = g_output_stream_close(G_OUTPUT_STREAM(stream), nullptr, &failure);
    } else {
        // Closing through a cancelled operation abandons the temporary file
        // instead of letting it take the name half written.
        GCancellable* abandon = g_cancellable_new();
        g_cancellable_cancel(abandon);
        g_output_stream_close(G_OUTPUT_STREAM(stream), abandon, nullptr);
        g_object_unref(abandon);
    }
    g_object_unref(stream);
    if (!ok) {
        *error = reasonOf(failure);
        g_clear_error(&failure);
        if (created)
            unlink(path.c_str());
    }
    return ok;
}

bool writeFile(const std::string& path, const std::string& data, std::string* error)
{
    if (path.empty()) {
        *error = "no file name was given";
        return false;
    }
    const int named = descriptorNamed(path);
    if (named >= 0)
        return writeAll(named, data, error);
    struct stat existing;
    const bool exists = stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        *error = std::strerror(EISDIR);
        return false;
    }
    if (exists && !S_ISREG(existing.st_mode))
        return writeInPlace(path, data, error);
    // A dangling symbolic link is followed by stat no further than its
    // missing target: it is written like an existing name (GIO creates the
    // target), not replaced by a plain file.
    struct stat link;
    const bool isNew = !exists && lstat(path.c_str(), &link) != 0;
    return replaceThroughGio(path, data, isNew, error);
}

}  // namespace

void WriteAllToDescriptor(int fd, const std::string& data)
{
    std::string reason;
    if (!writeAll(fd, data, &reason))
        throw harmodex::Error(reason);
}

void WriteFileAtomically(const std::string& path, const std::string& data)
{
    std::string reason;
    if (!writeFile(path, data, &reason))
        throw harmodex::Error("cannot write " + path + ": " + reason);
}
