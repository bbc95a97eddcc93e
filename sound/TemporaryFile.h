// A private scratch file for libraries that can only write to a path (the
// MIDI file library, FluidSynth's file renderer). The result is read back
// and written where the user asked through the project's writer, so the
// user's path never sees a partial file; the scratch file is removed
// whatever happens.
#ifndef HARMODEX_SOUND_TEMPORARYFILE_H
#define HARMODEX_SOUND_TEMPORARYFILE_H

#include <string>

class TemporaryFile {
public:
    // suffix: the extension the library expects, as ".wav".
    explicit TemporaryFile(const char* suffix);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // "" when no scratch file could be made; then error() says why.
    const std::string& path() const { return path_; }
    const std::string& error() const { return error_; }
    // The file's bytes; false with *error set when it cannot be read.
    bool read(std::string* bytes, std::string* error) const;

private:
    std::string path_, error_;
};

#endif
