#include "postscript/FileOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A short temporary name in the target's folder, so that the final rename
// stays within one file system and any name the target may have fits.
std::string temporaryBeside(const std::string& path)
{
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    return folder + (slash == std::string::npos ? "/" : "") + ".harmodex-XXXXXX";
}

mode_t modeForNewFile()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool WriteFileAtomically(const std::string& path, const std::string& data, std::string* error)
{
    std::string temporary = temporaryBeside(path);
    const int fd = mkstemp(&temporary[0]);
    if (fd < 0) {
        *error = std::strerror(errno);
        return false;
    }
    FILE* file = fdopen(fd, "w");
    if (!file) {
        *error = std::strerror(errno);
        close(fd);
        unlink(temporary.c_str());
        return false;
    }

    int failure = 0;
    if (std::fwrite(data.data(), 1, data.size(), file) != data.size() || std::fflush(file) != 0 || fsync(fd) != 0)
        failure = errno ? errno : EIO;
    if (std::fclose(file) != 0 && !failure)
        failure = errno ? errno : EIO;

    if (!failure) {
        // mkstemp makes the file private: a replaced file keeps its own
        // permissions, a new one gets those of any new file.
        struct stat existing;
        chmod(temporary.c_str(), stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : modeForNewFile());
        if (std::rename(temporary.c_str(), path.c_str()) == 0)
            return true;
        failure = errno;
    }
    unlink(temporary.c_str());
    *error = std::strerror(failure);
    return false;
}
