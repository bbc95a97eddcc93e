#include "sound/TemporaryFile.h"

#include "base/Error.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <vector>

TemporaryFile::TemporaryFile(const char* suffix)
{
    const char* folder = std::getenv("TMPDIR");
    std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/harmodex-XXXXXX" + suffix;
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemps(name.data(), static_cast<int>(std::strlen(suffix)));
    if (fd < 0)
        throw harmodex::Error("cannot make a scratch file in " + pattern.substr(0, pattern.rfind('/')) + ": " +
                              std::strerror(errno));
    close(fd);
    path_ = name.data();
}

TemporaryFile::~TemporaryFile()
{
    if (!path_.empty())
        unlink(path_.c_str());
}

std::string TemporaryFile::read() const
{
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    if (!in)
        throw harmodex::Error("cannot read back the scratch file " + path_);
    return s.str();
}
