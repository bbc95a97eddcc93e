#include "sound/SoundFont.h"

#include <unistd.h>

#include "base/Error.h"

const char* const kSoundFontPackage = "timgm6mb-soundfont";

std::vector<std::string> InstalledSoundFontPaths()
{
    return {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2",
            "/usr/share/sounds/sf2/FluidR3_GM.sf2"};
}

std::string FindSoundFont(const std::vector<std::string>& candidates)
{
    for (const std::string& path : candidates)
        if (access(path.c_str(), R_OK) == 0)
            return path;
    std::string places;
    for (const std::string& path : candidates)
        places += (places.empty() ? "" : ", ") + path;
    throw harmodex::Error(std::string("no General MIDI SoundFont is installed (looked for ") + places +
                          "); install the Debian package " + kSoundFontPackage);
}
