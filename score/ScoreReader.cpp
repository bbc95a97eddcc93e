#include "score/Score.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "score/ReaderSupport.h"

Rational ScoreMeasure::BeatLength() const
{
    // A compound metre (6/8, 9/8, 12/8, 6/16 ...) counts dotted beats: three
    // beatType notes to the beat.
    if (beatType >= 8 && beats > 3 && beats % 3 == 0)
        return Rational(3 * 4, beatType);
    return Rational(4, beatType);
}

void ScoreFault(const std::string& name, const std::string& place, const std::string& what)
{
    throw harmodex::Error::BadInput(name + (place.empty() ? "" : ", " + place) + ": " + what);
}

void ReportProgress(const ScoreReadOptions& options, const std::string& name, double fraction)
{
    if (options.progress && !options.progress(std::clamp(fraction, 0.0, 1.0)))
        throw harmodex::Error("reading " + name + " stopped before the end");
}

void FinishScore(Score& score)
{
    if (static_cast<int64_t>(score.notes.size()) > MaxScoreNotes)
        ScoreFault(score.path, "", "more than " + std::to_string(MaxScoreNotes) + " notes");
    std::sort(score.notes.begin(), score.notes.end(), [](const ScoreNote& a, const ScoreNote& b) {
        if (a.start != b.start)
            return a.start < b.start;
        if (a.pitch != b.pitch)
            return a.pitch < b.pitch;
        return a.part < b.part;
    });
    Rational end;
    if (!score.measures.empty())
        end = score.measures.back().start + score.measures.back().length;
    for (const ScoreNote& n : score.notes) {
        end = std::max(end, n.start + n.duration);
        if (n.start.den() > MaxTimeDenominator || n.duration.den() > MaxTimeDenominator)
            ScoreFault(score.path, "",
                       "times finer than 1/" + std::to_string(MaxTimeDenominator) + " of a quarter note");
    }
    for (const ScoreMeasure& m : score.measures)
        if (m.start.den() > MaxTimeDenominator || m.length.den() > MaxTimeDenominator)
            ScoreFault(score.path, "measure " + m.number,
                       "times finer than 1/" + std::to_string(MaxTimeDenominator) + " of a quarter note");
    if (end > Rational(MaxScoreQuarters))
        ScoreFault(score.path, "", "lasts more than " + std::to_string(MaxScoreQuarters) + " quarter notes");
    score.end = end;
}

namespace {

bool HasExtension(const std::string& path, const char* ext)
{
    const size_t n = std::strlen(ext);
    if (path.size() < n)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(path[path.size() - n + i])) != ext[i])
            return false;
    return true;
}

}  // namespace

Score ReadScoreBytes(const std::string& bytes, const std::string& name, const ScoreReadOptions& options)
{
    // The content decides: a zip is compressed MusicXML, MThd a MIDI file,
    // anything else is read as XML.
    if (bytes.compare(0, 4, "PK\x03\x04") == 0)
        return ReadCompressedMusicXml(bytes, name, options);
    if (bytes.compare(0, 4, "MThd") == 0)
        return ReadMidi(bytes, name, options);
    if (HasExtension(name, ".mid") || HasExtension(name, ".midi"))
        ScoreFault(name, "byte 0", "not a Standard MIDI File (it does not begin with MThd)");
    if (HasExtension(name, ".mxl"))
        ScoreFault(name, "byte 0", "not a compressed MusicXML file (it is not a zip archive)");
    return ReadMusicXml(bytes, name, options);
}

Score ReadScore(const std::string& path, const ScoreReadOptions& options)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        ScoreFault(path, "", std::string("cannot be opened: ") + std::strerror(errno ? errno : ENOENT));
    std::string bytes;
    char block[1 << 16];
    errno = 0;
    while (in.read(block, sizeof block) || in.gcount() > 0) {
        bytes.append(block, static_cast<size_t>(in.gcount()));
        if (static_cast<int64_t>(bytes.size()) > MaxScoreFileBytes)
            ScoreFault(path, "", "larger than " + std::to_string(MaxScoreFileBytes >> 20) + " MiB");
    }
    if (in.bad())
        ScoreFault(path, "", std::string("cannot be read: ") + std::strerror(errno ? errno : EIO));
    return ReadScoreBytes(bytes, path, options);
}
