// harmodex-cli play, sound and midi: the set heard as the page's first staff
// writes it, a rising arpeggio and then the chord, on the audio output, as a
// WAV file or as a Standard MIDI File.
#include <condition_variable>
#include <mutex>

#include "cli/Subcommand.h"
#include "sound/MidiFile.h"
#include "sound/Player.h"
#include "sound/WavRender.h"

namespace {

SetPerformance PerformanceOf(const std::string& setText)
{
    return PerformSet(PageOfSet(ReadSetArgument(setText)).first);
}

class PlayCommand : public Subcommand {
public:
    const char* name() const override { return "play"; }
    void declare(CLI::App& app) override
    {
        CLI::App* command =
            app.add_subcommand(name(), "Play the set on the audio output: its notes as the page's first "
                                       "staff writes them, one by one and then together.\n"
                                       "  example: harmodex-cli play \"0 4 7\"");
        command->add_option("SET", set_, SetArgumentHelp)->required();
    }
    void run(std::ostream&) override
    {
        const SetPerformance performance = PerformanceOf(set_);
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
            throw Failure{"cannot play: " + failure +
                          " (\"harmodex-cli sound SET -o FILE.wav\" writes the sound to a file instead)"};
    }

private:
    std::string set_;
};

class SoundCommand : public Subcommand {
public:
    const char* name() const override { return "sound"; }
    void declare(CLI::App& app) override
    {
        CLI::App* command =
            app.add_subcommand(name(), "Write what play plays as a WAV file (44.1 kHz, 16-bit stereo).\n"
                                       "  example: harmodex-cli sound \"0 4 7\" -o triad.wav");
        command->add_option("SET", set_, SetArgumentHelp)->required();
        command->add_option("-o,--output", output_, "output file (default: standard output)");
    }
    void run(std::ostream& out) override
    {
        std::string wav, error;
        if (!RenderWav(PerformanceOf(set_), "", &wav, &error))
            throw Failure{"cannot render the sound: " + error};
        WriteOutput(output_, wav, out);
    }

private:
    std::string set_, output_;
};

class MidiCommand : public Subcommand {
public:
    const char* name() const override { return "midi"; }
    void declare(CLI::App& app) override
    {
        CLI::App* command = app.add_subcommand(name(), "Write what play plays as a Standard MIDI File, its track named "
                                                       "by the Forte name.\n"
                                                       "  example: harmodex-cli midi 13.12.14 -o triad.mid");
        command->add_option("SET", set_, SetArgumentHelp)->required();
        command->add_option("-o,--output", output_, "output file (default: standard output)");
    }
    void run(std::ostream& out) override
    {
        std::string midi, error;
        if (!MakeMidiFile(PerformanceOf(set_), &midi, &error))
            throw Failure{"cannot make the MIDI file: " + error};
        WriteOutput(output_, midi, out);
    }

private:
    std::string set_, output_;
};

}  // namespace

std::unique_ptr<Subcommand> MakePlayCommand() { return std::make_unique<PlayCommand>(); }
std::unique_ptr<Subcommand> MakeSoundCommand() { return std::make_unique<SoundCommand>(); }
std::unique_ptr<Subcommand> MakeMidiCommand() { return std::make_unique<MidiCommand>(); }
