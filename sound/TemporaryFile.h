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
    // suffix: the extension the library expects, as ".wav". Throws
    // harmodex::Error naming the folder when no scratch file can be made.
    explicit TemporaryFile(const char* suffix);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& path() const { return path_; }
    // The file's bytes; harmodex::Error when it cannot be read.
    std::string read() const;

private:
    std::string path_;
};

#endif
