// harmodex-cli play, sound and midi: the set heard as the page's first staff
// writes it (or, with --as-typed, as it was typed), a rising arpeggio and
// then the chord, on the audio output, as a sound file or as a Standard MIDI
// File.
#include <condition_variable>
#include <mutex>

#include "cli/Subcommand.h"
#include "sound/MidiFile.h"
#include "sound/Player.h"
#include "sound/WavRender.h"

namespace {

const char* const AsTypedHelp = "the notes in the order and octaves typed (note names in the octave written, C4 being "
                                "middle C; numbers rising from middle C) instead of the page's first staff";

SetPerformance PerformanceOf(const std::string& setText, bool asTyped)
{
    if (!asTyped)
        return PerformSet(PageOfSet(ReadSetArgument(setText)).first);
    std::vector<int> pitches;
    for (const TypedNote& note : ReadTypedNotes(setText))
        pitches.push_back(note.pitch);
    return PerformTypedPitches(pitches);
}

class PlayCommand : public Subcommand {
public:
    const char* name() const override { return "play"; }
    void declare(CLI::App& app) override
    {
        CLI::App* command =
            app.add_subcommand(name(), "Play the set on the audio output: its notes as the page's first "
                                       "staff writes them, one by one and then together.\n"
                                       "  example: harmodex-cli play \"0 4 7\"\n"
                                       "  example: harmodex-cli play --as-typed \"G3 B3 D4\"");
        command->add_option("SET", set_, SetArgumentHelp)->required();
        command->add_flag("--as-typed", asTyped_, AsTypedHelp);
    }
    void run(std::ostream&) override
    {
        const SetPerformance performance = PerformanceOf(set_, asTyped_);
        std::mutex mutex;
        std::condition_variable done;
        bool over = false;
        std::string failure;
        SoundPlayer player(SystemAudioOutputs(), [&](const SoundPlayer::Report& r) {
            if (r.event == SoundPlayer::Event::Started)
                return;
            std::lock_guard<std::mutex> lock(mutex);
            over = true;
            if (r.event == SoundPlayer::Event::Failed)
                failure = r.message + (r.detail.empty() ? "" : ": " + r.detail);
            done.notify_one();
        });
        player.play(performance);
        std::unique_lock<std::mutex> lock(mutex);
        done.wait(lock, [&] { return over; });
        if (!failure.empty())
            throw harmodex::Error("cannot play: " + failure +
                                  " (\"harmodex-cli sound SET -o FILE.wav\" writes the sound to a file instead)");
    }

private:
    std::string set_;
    bool asTyped_ = false;
};

class SoundCommand : public Subcommand {
public:
    const char* name() const override { return "sound"; }
    void declare(CLI::App& app) override
    {
        CLI::App* command = app.add_subcommand(
            name(), "Write what play plays as a sound file: WAV (44.1 kHz, 16-bit stereo), FLAC or Ogg Vorbis, "
                    "by the output's extension (default WAV).\n"
                    "  example: harmodex-cli sound \"0 4 7\" -o triad.flac");
        command->add_option("SET", set_, SetArgumentHelp)->required();
        command->add_option("-o,--output", output_,
                            "output file, .wav, .flac or .ogg (default: WAV on standard output, not a terminal)");
        command->add_flag("--as-typed", asTyped_, AsTypedHelp);
    }
    void run(std::ostream& out) override
    {
        static const SoundFormat formats[] = {SoundFormat::Wav, SoundFormat::Flac, SoundFormat::Ogg};
        const SoundFormat format = formats[ChooseOutputType(name(), output_, {{{"wav"}}, {{"flac"}}, {{"ogg"}}})];
        RefuseBinaryOnTerminal(output_, out, "the sound", "triad.wav");
        const SetPerformance performance = PerformanceOf(set_, asTyped_);
        std::string bytes;
        try {
            bytes = RenderSound(performance, format);
        } catch (const harmodex::Error& e) {
            throw harmodex::Error(std::string("cannot render the sound: ") + e.what(), e.kind());
        }
        WriteOutput(output_, bytes, out);
    }

private:
    std::string set_, output_;
    bool asTyped_ = false;
};

class MidiCommand : public Subcommand {
public:
    const char* name() const override { return "midi"; }
    void declare(CLI::App& app) override
    {
        CLI::App* command = app.add_subcommand(
            name(), "Write what play plays as a Standard MIDI File (4/4 at 120 beats a minute, eighth notes and a "
                    "whole-note chord), its track named by the Forte name.\n"
                    "  example: harmodex-cli midi 13.12.14 -o triad.mid");
        command->add_option("SET", set_, SetArgumentHelp)->required();
        command->add_option("-o,--output", output_,
                            "output file, .mid or .midi (default: standard output, not a terminal)");
        command->add_flag("--as-typed", asTyped_, AsTypedHelp);
    }
    void run(std::ostream& out) override
    {
        ChooseOutputType(name(), output_, {{{"mid", "midi"}}});
        RefuseBinaryOnTerminal(output_, out, "the MIDI file", "triad.mid");
        const SetPerformance performance = PerformanceOf(set_, asTyped_);
        std::string bytes;
        try {
            bytes = MakeMidiFile(performance);
        } catch (const harmodex::Error& e) {
            throw harmodex::Error(std::string("cannot make the MIDI file: ") + e.what(), e.kind());
        }
        WriteOutput(output_, bytes, out);
    }

private:
    std::string set_, output_;
    bool asTyped_ = false;
};

}  // namespace

std::unique_ptr<Subcommand> MakePlayCommand() { return std::make_unique<PlayCommand>(); }
std::unique_ptr<Subcommand> MakeSoundCommand() { return std::make_unique<SoundCommand>(); }
std::unique_ptr<Subcommand> MakeMidiCommand() { return std::make_unique<MidiCommand>(); }
