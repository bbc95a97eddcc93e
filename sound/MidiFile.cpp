#include "sound/MidiFile.h"

#include <cmath>
#include <memory>

#include <smf.h>

#include "base/Error.h"

#include "sound/TemporaryFile.h"

namespace {

constexpr int kTicksPerQuarter = 480;
constexpr int kMicrosecondsPerQuarter = 60000000 / kBeatsPerMinute;
constexpr int kNoteOn = 0x90, kNoteOff = 0x80, kProgramChange = 0xC0;

struct SmfDeleter {
    void operator()(smf_t* smf) const { smf_delete(smf); }
};

// Times are placed on the nearest tick: the library's own conversion from
// seconds truncates, which would put a note due at 0.9 s (reached as
// 0.3 + 0.3 + 0.3) one tick early.
void AddAt(smf_track_t* track, smf_event_t* event, double seconds)
{
    if (event)
        smf_track_add_event_pulses(
            track, event, static_cast<int>(std::llround(seconds * 1e6 / kMicrosecondsPerQuarter * kTicksPerQuarter)));
}

}  // namespace

std::string MakeMidiFile(const SetPerformance& performance)
{
    std::unique_ptr<smf_t, SmfDeleter> smf(smf_new());
    if (!smf || smf_set_ppqn(smf.get(), kTicksPerQuarter) != 0)
        throw harmodex::Error("cannot make a MIDI file");
    smf_track_t* track = smf_track_new();
    smf_add_track(smf.get(), track);

    AddAt(track, smf_event_new_textual(0x03, performance.title.c_str()), 0.0);
    unsigned char tempo[] = {0xFF,
                             0x51,
                             0x03,
                             (kMicrosecondsPerQuarter >> 16) & 0xFF,
                             (kMicrosecondsPerQuarter >> 8) & 0xFF,
                             kMicrosecondsPerQuarter & 0xFF};
    AddAt(track, smf_event_new_from_pointer(tempo, sizeof tempo), 0.0);
    // Time signatures: numerator, denominator as a power of two, MIDI clocks
    // a metronome click, 8 thirty-seconds a quarter. The arpeggio's bar of
    // eighths (clicking on the eighth), then 4/4 where the chord begins.
    const size_t arpeggio = performance.notes.size() / 2;
    unsigned char eighths[] = {0xFF, 0x58, 0x04, static_cast<unsigned char>(arpeggio), 3, 12, 8};
    AddAt(track, smf_event_new_from_pointer(eighths, sizeof eighths), 0.0);
    unsigned char common[] = {0xFF, 0x58, 0x04, 4, 2, 24, 8};
    if (arpeggio > 0)
        AddAt(track, smf_event_new_from_pointer(common, sizeof common), performance.notes[arpeggio].onset);
    // No sharps or flats, major: without it an importer guesses a key from
    // the notes (four flats for 0 1 4 6).
    unsigned char key[] = {0xFF, 0x59, 0x02, 0, 0};
    AddAt(track, smf_event_new_from_pointer(key, sizeof key), 0.0);
    AddAt(track, smf_event_new_from_bytes(kProgramChange, kPianoProgram, -1), 0.0);
    for (const SoundEvent& e : SwitchEvents(performance.notes))
        AddAt(track, smf_event_new_from_bytes(e.velocity ? kNoteOn : kNoteOff, e.key, e.velocity), e.time);

    TemporaryFile scratch(".mid");
    if (smf_save(smf.get(), scratch.path().c_str()) != 0)
        throw harmodex::Error("cannot write the MIDI data to " + scratch.path());
    return scratch.read();
}
