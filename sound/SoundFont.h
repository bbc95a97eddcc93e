// The General MIDI SoundFont the sound is made with.
#ifndef HARMODEX_SOUND_SOUNDFONT_H
#define HARMODEX_SOUND_SOUNDFONT_H

#include <string>
#include <vector>

// The Debian package that installs the SoundFont we play with, named in the
// message when none is found.
extern const char* const kSoundFontPackage;

// Where SoundFonts are installed, in order of preference: the system's
// chosen General MIDI font, then the small piano-worthy one we depend on,
// then the large one a user may have added.
std::vector<std::string> InstalledSoundFontPaths();

// The first of the candidates that is a readable file; otherwise
// harmodex::Error naming the places looked at and the package to install.
std::string FindSoundFont(const std::vector<std::string>& candidates = InstalledSoundFontPaths());

#endif
