// harmodex-cli listen: chords played on a MIDI keyboard, named as they come.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <deque>
#include <mutex>

#include <nlohmann/json.hpp>

#include "base/Error.h"
#include "cli/Subcommand.h"
#include "midi/LiveInput.h"
#include "pcset/Conversions.h"
#include "score/Segments.h"

namespace {

// Set by SIGINT and SIGTERM while listening: the end asked for.
volatile std::sig_atomic_t interrupted = 0;
void Interrupt(int) { interrupted = 1; }

// SIGINT and SIGTERM end the listening cleanly (the ports closed, the output
// flushed) for as long as this lives; the handlers before are put back.
class InterruptCatcher {
public:
    InterruptCatcher()
    {
        interrupted = 0;
        struct sigaction action = {};
        action.sa_handler = Interrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &oldInt_);
        sigaction(SIGTERM, &action, &oldTerm_);
    }
    ~InterruptCatcher()
    {
        sigaction(SIGINT, &oldInt_, nullptr);
        sigaction(SIGTERM, &oldTerm_, nullptr);
    }
    InterruptCatcher(const InterruptCatcher&) = delete;
    InterruptCatcher& operator=(const InterruptCatcher&) = delete;

private:
    struct sigaction oldInt_ = {}, oldTerm_ = {};
};

nlohmann::ordered_json ChordJson(const HeldChord& chord)
{
    const SetNames& names = NamesOfMask(chord.mask);
    std::vector<std::string> notes;
    std::vector<int> pitchClasses;
    for (int key : chord.keys)
        notes.push_back(NoteName(key));
    for (int pc = 0; pc < 12; ++pc)
        if (chord.mask & (1u << pc))
            pitchClasses.push_back(pc);
    return {{"notes", notes},
            {"pitches", chord.keys},
            {"pitchClasses", pitchClasses},
            {"forteName", names.forteName},
            {"tnType", StringToVector(names.tnType)},
            {"tnTypeText", names.tnType},
            {"page", names.page}};
}

std::string ChordLine(const HeldChord& chord)
{
    const SetNames& names = NamesOfMask(chord.mask);
    std::string notes;
    for (int key : chord.keys)
        notes += (notes.empty() ? "" : " ") + NoteName(key);
    if (notes.size() < 24)
        notes += std::string(24 - notes.size(), ' ');
    char tail[96];
    std::snprintf(tail, sizeof tail, "  %-7s %-26s p. %d\n", names.forteName.c_str(), names.tnType.c_str(), names.page);
    return notes + tail;
}

class ListenCommand : public Subcommand {
public:
    explicit ListenCommand(std::ostream& err) : err_(err) {}
    const char* name() const override { return "listen"; }
    void declare(CLI::App& app) override
    {
        command_ = app.add_subcommand(
            name(),
            "Listen to a MIDI keyboard (ALSA sequencer or JACK) and name each chord played: its notes, Forte "
            "name, Tn-type and page, one line each. A chord is named once its keys have stayed the same for "
            "120 ms, so an arpeggio is not named note by note; the sustain pedal holds the notes it holds. Runs "
            "until interrupted (Ctrl+C), for --count chords or for --for seconds.\n"
            "A port that disappears is told on standard error and listened to again when it returns.\n"
            "Exit status 1 when no MIDI system runs or there is no input port; 2 when --port names none.\n"
            "  example: harmodex-cli listen\n"
            "  example: harmodex-cli listen --port Keystation --json");
        command_->add_option("--port", port_, "listen to this input only (its name, or a part of it naming one)")
            ->type_name("NAME");
        command_->add_flag("--json", json_,
                           "one JSON object a line: notes, pitches, pitchClasses, forteName, tnType, page");
        command_->add_option("--count", count_, "stop after N chords")->type_name("N")->check(CLI::PositiveNumber);
        command_->add_option("--for", seconds_, "stop after SECONDS seconds")
            ->type_name("SECONDS")
            ->check(CLI::PositiveNumber);
        command_->add_flag("--list", list_, "list the MIDI input ports and exit");
    }
    void run(std::ostream& out) override
    {
        if (list_) {
            const MidiInputs inputs = ListMidiInputs();
            if (inputs.systems.empty())
                throw harmodex::Error(
                    "no MIDI system is running: neither the ALSA sequencer (/dev/snd/seq) nor a JACK server "
                    "could be reached");
            std::string text;
            for (const MidiInputPort& p : inputs.ports)
                text += p.name + "\t" + p.system + "\n";
            WriteOutput("", text, out);
            return;
        }

        std::mutex mutex;
        std::condition_variable wake;
        std::deque<LiveEvent> events;
        // The events come on the listener's thread; they are written here.
        LiveListener listener(port_, [&](const LiveEvent& e) {
            if (e.kind == LiveEvent::Kind::Held)
                return;
            {
                std::lock_guard<std::mutex> lock(mutex);
                events.push_back(e);
            }
            wake.notify_one();
        });
        for (const std::string& p : listener.openedAtStart())
            err_ << "harmodex-cli: listening to the MIDI input \"" << p << "\"\n";
        err_.flush();

        InterruptCatcher catcher;
        const auto end = seconds_ > 0 ? std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds_)
                                      : std::chrono::steady_clock::time_point::max();
        int chords = 0;
        while (!interrupted && (count_ == 0 || chords < count_) && std::chrono::steady_clock::now() < end) {
            std::deque<LiveEvent> taken;
            {
                std::unique_lock<std::mutex> lock(mutex);
                // Woken by an event; a signal is seen within a tenth of a second.
                wake.wait_for(lock, std::chrono::milliseconds(100), [&] { return !events.empty(); });
                taken.swap(events);
            }
            for (const LiveEvent& e : taken) {
                if (e.kind != LiveEvent::Kind::Chord) {
                    err_ << "harmodex-cli: " << e.message << "\n" << std::flush;
                    continue;
                }
                if (count_ > 0 && chords >= count_)
                    break;
                ++chords;
                out << (json_ ? ChordJson(e.chord).dump() + "\n" : ChordLine(e.chord)) << std::flush;
                if (!out)
                    throw harmodex::Error("standard output cannot be written");
            }
        }
    }

private:
    std::ostream& err_;
    CLI::App* command_ = nullptr;
    std::string port_;
    bool json_ = false, list_ = false;
    int count_ = 0;
    double seconds_ = 0;
};

}  // namespace

std::unique_ptr<Subcommand> MakeListenCommand(std::ostream& err) { return std::make_unique<ListenCommand>(err); }
