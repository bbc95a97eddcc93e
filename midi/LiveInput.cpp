#include "midi/LiveInput.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <regex>
#include <thread>

#include <jack/jack.h>
#include <rtmidi/RtMidi.h>
#include <unistd.h>

#include "base/Error.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPortCheckInterval = std::chrono::milliseconds(500);
constexpr const char* kClientName = "Harmodex";
// Messages waiting for the listener's thread; past this a flood is dropped
// rather than let memory grow.
constexpr size_t kQueueLimit = 4096;

void Silent(const char*) {}

// libjack writes its complaints (no server, a lost connection) to standard
// error; a program that merely looks for a server reports on its own.
void QuietJack()
{
    static std::once_flag once;
    std::call_once(once, [] {
        jack_set_error_function(Silent);
        jack_set_info_function(Silent);
    });
}

// Whether a JACK server answers, asked without starting one.
bool JackServerRunning()
{
    QuietJack();
    jack_status_t status;
    jack_client_t* client = jack_client_open("Harmodex probe", JackNoStartServer, &status);
    if (client == nullptr)
        return false;
    jack_client_close(client);
    return true;
}

// The sequencer device exists only where the kernel's sequencer is loaded;
// without it alsa-lib would only print its failure.
bool AlsaSequencerPresent() { return access("/dev/snd/seq", R_OK | W_OK) == 0; }

// RtMidi's errors and warnings are turned into exceptions or reports of our
// own; without a handler it prints them.
void IgnoreRtMidiError(RtMidiError::Type, const std::string&, void*) {}

// The name a user knows a port by. ALSA appends the client and port numbers
// ("Keystation:Keystation MIDI 1 24:0"), which change when a keyboard is
// plugged in again, so they are left out.
std::string PortName(const std::string& system, const std::string& raw)
{
    if (system == "ALSA") {
        static const std::regex numbers(R"( \d+:\d+$)");
        return std::regex_replace(raw, numbers, "");
    }
    return raw;
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A client of one MIDI system, made only when the system is there.
std::unique_ptr<RtMidiIn> MakeInput(const std::string& system)
{
    try {
        std::unique_ptr<RtMidiIn> in;
        if (system == "ALSA" && AlsaSequencerPresent())
            in = std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, kClientName);
        else if (system == "JACK" && JackServerRunning())
            in = std::make_unique<RtMidiIn>(RtMidi::UNIX_JACK, kClientName);
        if (in)
            in->setErrorCallback(IgnoreRtMidiError, nullptr);
        return in;
    } catch (const RtMidiError&) {
        return nullptr;
    }
}

const std::array<const char*, 2> kSystems = {"ALSA", "JACK"};

bool Compiled(const std::string& system)
{
    std::vector<RtMidi::Api> apis;
    RtMidi::getCompiledApi(apis);
    const RtMidi::Api api = system == "ALSA" ? RtMidi::LINUX_ALSA : RtMidi::UNIX_JACK;
    return std::find(apis.begin(), apis.end(), api) != apis.end();
}

// The ports of one system, through a client of it.
std::vector<MidiInputPort> PortsOf(const std::string& system, RtMidiIn& in)
{
    std::vector<MidiInputPort> ports;
    try {
        const unsigned count = in.getPortCount();
        for (unsigned i = 0; i < count; ++i) {
            const std::string name = PortName(system, in.getPortName(i));
            // Our own ports are not a keyboard.
            if (!name.empty() && name.rfind(kClientName, 0) != 0)
                ports.push_back({system, name});
        }
    } catch (const RtMidiError&) {
    }
    return ports;
}

std::string PortList(const MidiInputs& inputs)
{
    std::string list;
    for (const MidiInputPort& p : inputs.ports)
        list += (list.empty() ? "" : ", ") + ("\"" + p.name + "\"");
    return list;
}

}  // namespace

MidiInputs ListMidiInputs()
{
    MidiInputs inputs;
    for (const char* system : kSystems) {
        if (!Compiled(system))
            continue;
        std::unique_ptr<RtMidiIn> in = MakeInput(system);
        if (!in)
            continue;
        inputs.systems.push_back(system);
        for (MidiInputPort& p : PortsOf(system, *in))
            inputs.ports.push_back(std::move(p));
    }
    return inputs;
}

MidiInputPort FindMidiInput(const MidiInputs& inputs, const std::string& text)
{
    for (const MidiInputPort& p : inputs.ports)
        if (p.name == text)
            return p;
    std::vector<MidiInputPort> matches;
    for (const MidiInputPort& p : inputs.ports)
        if (!text.empty() && Lower(p.name).find(Lower(text)) != std::string::npos)
            matches.push_back(p);
    if (matches.size() == 1)
        return matches.front();
    if (inputs.ports.empty())
        throw harmodex::Error::BadInput("no MIDI input named \"" + text + "\": there is no MIDI input port");
    if (matches.empty())
        throw harmodex::Error::BadInput("no MIDI input named \"" + text + "\"; the inputs are " + PortList(inputs));
    MidiInputs several;
    several.ports = matches;
    throw harmodex::Error::BadInput("\"" + text + "\" names several MIDI inputs: " + PortList(several));
}

struct LiveListener::State {
    // One open port. source is its slot, telling its notes from another's.
    struct Open {
        MidiInputPort port;
        std::unique_ptr<RtMidiIn> in;
        int source = 0;
        State* state = nullptr;
    };
    struct Message {
        int source;
        std::array<unsigned char, 3> bytes;
        size_t size;
        Clock::time_point time;
    };

    std::string wanted;  // the port asked for; empty: every port
    Sink sink;
    HeldNotes held;
    std::vector<std::string> openedAtStart;

    // Touched by the listener's thread only (and the constructor before it starts).
    std::vector<std::unique_ptr<Open>> open;
    std::array<std::unique_ptr<RtMidiIn>, 2> listers;  // one per system, for listing

    // Shared with the MIDI systems' threads.
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Message> queue;
    bool stopping = false;

    std::thread thread;

    State(std::string w, Sink s, std::chrono::milliseconds settling)
        : wanted(std::move(w)), sink(std::move(s)), held(settling)
    {
    }

    static void Received(double, std::vector<unsigned char>* message, void* data)
    {
        // On a MIDI system's thread: stamp, queue, wake the listener.
        Open* o = static_cast<Open*>(data);
        if (message == nullptr || message->empty() || message->size() > 3 || (message->front() & 0xF0) == 0xF0)
            return;  // sysex, clock and other system messages tell nothing of the keys
        Message m{o->source, {0, 0, 0}, message->size(), Clock::now()};
        std::copy(message->begin(), message->end(), m.bytes.begin());
        State* s = o->state;
        {
            std::lock_guard<std::mutex> lock(s->mutex);
            if (s->queue.size() >= kQueueLimit)
                return;
            s->queue.push_back(m);
        }
        s->wake.notify_one();
    }

    MidiInputs list()
    {
        MidiInputs inputs;
        for (size_t i = 0; i < kSystems.size(); ++i) {
            const std::string system = kSystems[i];
            if (!Compiled(system))
                continue;
            // A system that listed nothing may have gone (a JACK server
            // stopped); a new client finds it again once it is back.
            if (!listers[i] || PortsOf(system, *listers[i]).empty())
                listers[i] = MakeInput(system);
            if (!listers[i])
                continue;
            inputs.systems.push_back(system);
            for (MidiInputPort& p : PortsOf(system, *listers[i]))
                inputs.ports.push_back(std::move(p));
        }
        return inputs;
    }

    bool isOpen(const MidiInputPort& port) const
    {
        return std::any_of(open.begin(), open.end(), [&](const std::unique_ptr<Open>& o) {
            return o->port.system == port.system && o->port.name == port.name;
        });
    }

    int freeSource() const
    {
        for (int source = 0;; ++source)
            if (std::none_of(open.begin(), open.end(),
                             [&](const std::unique_ptr<Open>& o) { return o->source == source; }))
                return std::min(source, HeldNotes::kSources - 1);
    }

    // Opens a port; false when it cannot be (it went meanwhile).
    bool openPort(const MidiInputPort& port)
    {
        auto o = std::make_unique<Open>();
        o->port = port;
        o->source = freeSource();
        o->state = this;
        try {
            o->in = MakeInput(port.system);
            if (!o->in)
                return false;
            const unsigned count = o->in->getPortCount();
            unsigned index = count;
            for (unsigned i = 0; i < count && index == count; ++i)
                if (PortName(port.system, o->in->getPortName(i)) == port.name)
                    index = i;
            if (index == count)
                return false;
            o->in->setCallback(&State::Received, o.get());
            o->in->ignoreTypes(true, true, true);
            o->in->openPort(index, "in");
            if (!o->in->isPortOpen())
                return false;
        } catch (const RtMidiError&) {
            return false;
        }
        open.push_back(std::move(o));
        return true;
    }

    void emit(LiveEvent::Kind kind, const std::string& port, const std::string& message, HeldChord chord = {})
    {
        LiveEvent e;
        e.kind = kind;
        e.port = port;
        e.message = message;
        e.chord = std::move(chord);
        sink(e);
    }

    // Closes the ports that have gone, opens those asked for that are there.
    void checkPorts(const MidiInputs& inputs, bool report)
    {
        for (auto it = open.begin(); it != open.end();) {
            const MidiInputPort& p = (*it)->port;
            const bool there = std::any_of(inputs.ports.begin(), inputs.ports.end(), [&](const MidiInputPort& q) {
                return q.system == p.system && q.name == p.name;
            });
            if (there) {
                ++it;
                continue;
            }
            const std::string name = p.name;
            held.releaseSource((*it)->source, Clock::now());
            it = open.erase(it);  // closes the port and its client
            if (report)
                emit(LiveEvent::Kind::PortLost, name,
                     "the MIDI input \"" + name + "\" has disappeared; it is opened again when it returns");
        }
        for (const MidiInputPort& p : inputs.ports) {
            if ((!wanted.empty() && p.name != wanted) || isOpen(p))
                continue;
            if (openPort(p)) {
                if (report)
                    emit(LiveEvent::Kind::PortOpened, p.name, "listening to the MIDI input \"" + p.name + "\"");
                else
                    openedAtStart.push_back(p.name);
            }
        }
    }

    void run()
    {
        Clock::time_point nextCheck = Clock::now() + kPortCheckInterval;
        std::vector<int> lastSounding;
        std::vector<Message> batch;
        for (;;) {
            {
                std::unique_lock<std::mutex> lock(mutex);
                Clock::time_point until = nextCheck;
                if (const auto due = held.nextReport())
                    until = std::min(until, *due);
                wake.wait_until(lock, until, [&] { return stopping || !queue.empty(); });
                if (stopping)
                    return;
                batch.assign(queue.begin(), queue.end());
                queue.clear();
            }
            for (const Message& m : batch)
                held.message(m.source, m.bytes.data(), m.size, m.time);
            const Clock::time_point now = Clock::now();
            if (now >= nextCheck) {
                checkPorts(list(), true);
                nextCheck = now + kPortCheckInterval;
            }
            std::vector<int> sounding = held.sounding();
            if (sounding != lastSounding) {
                lastSounding = sounding;
                HeldChord c;
                c.keys = sounding;
                c.mask = held.soundingMask();
                emit(LiveEvent::Kind::Held, "", "", std::move(c));
            }
            if (std::optional<HeldChord> chord = held.poll(now))
                emit(LiveEvent::Kind::Chord, "", "", std::move(*chord));
        }
    }
};

LiveListener::LiveListener(const std::string& portName, Sink sink, bool waitForPorts,
                           std::chrono::milliseconds settlingTime)
{
    state_ = std::make_unique<State>("", std::move(sink), settlingTime);
    const MidiInputs inputs = state_->list();
    if (inputs.systems.empty())
        throw harmodex::Error("no MIDI system is running: neither the ALSA sequencer (/dev/snd/seq) nor a JACK "
                              "server could be reached");
    if (!portName.empty()) {
        const bool there = std::any_of(inputs.ports.begin(), inputs.ports.end(),
                                       [&](const MidiInputPort& p) { return p.name == portName; });
        // A port remembered by its exact name is awaited; a typed text must
        // name a port that is there.
        state_->wanted = there || waitForPorts ? portName : FindMidiInput(inputs, portName).name;
    }
    state_->checkPorts(inputs, false);
    if (state_->open.empty() && !waitForPorts) {
        if (inputs.ports.empty())
            throw harmodex::Error("no MIDI input port to listen to (" + inputs.systems.front() +
                                  (inputs.systems.size() > 1 ? " and " + inputs.systems.back() : std::string()) +
                                  " running)");
        throw harmodex::Error("the MIDI input \"" + state_->wanted + "\" cannot be opened");
    }
    state_->thread = std::thread([s = state_.get()] { s->run(); });
}

LiveListener::~LiveListener()
{
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        state_->stopping = true;
    }
    state_->wake.notify_one();
    if (state_->thread.joinable())
        state_->thread.join();
    // Closing the ports stops their threads' callbacks before the state goes.
    state_->open.clear();
}

const std::vector<std::string>& LiveListener::openedAtStart() const { return state_->openedAtStart; }
