// Chords played into real MIDI systems: a JACK server this program starts
// (its own, under a name of its own) and, where the kernel has it, the ALSA
// sequencer. A test keyboard is an output port of the test's; the listener
// and harmodex-cli listen find it among the inputs like any keyboard.
//
// Exit status 77 (skipped) when neither system can be had, with the reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <regex>
#include <thread>
#include <unistd.h>

#include <jack/jack.h>

#include "catalogue/SetText.h"
#include "cli/Commands.h"
#include "midi/LiveInput.h"
#include "score/Segments.h"
#include "tests/midi/JackServer.h"
#include "tests/midi/LiveKeyboard.h"

namespace {

bool jackRunning = false;
std::string jackReason;
const bool alsaPresent = access("/dev/snd/seq", R_OK | W_OK) == 0;

// Whether some client of ours has its input port registered (and so
// connected: RtMidi connects a port as it opens it).
bool HarmodexListening()
{
    jack_client_t* client = jack_client_open("watcher", JackNoStartServer, nullptr);
    if (!client)
        return false;
    const char** ports = jack_get_ports(client, "^Harmodex", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput);
    const bool found = ports != nullptr;
    jack_free(ports);
    jack_client_close(client);
    return found;
}

// The events a listener reported, as a test reads them.
struct Recorder {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<LiveEvent> events;

    LiveListener::Sink sink()
    {
        return [this](const LiveEvent& e) {
            std::lock_guard<std::mutex> lock(mutex);
            events.push_back(e);
            changed.notify_all();
        };
    }
    std::vector<HeldChord> chords()
    {
        std::lock_guard<std::mutex> lock(mutex);
        std::vector<HeldChord> found;
        for (const LiveEvent& e : events)
            if (e.kind == LiveEvent::Kind::Chord)
                found.push_back(e.chord);
        return found;
    }
    // Waits (up to five seconds) for an event of that kind; true when it came.
    bool waitFor(LiveEvent::Kind kind, size_t count = 1)
    {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(5), [&] {
            return static_cast<size_t>(std::count_if(events.begin(), events.end(),
                                                     [&](const LiveEvent& e) { return e.kind == kind; })) >= count;
        });
    }
};

std::vector<int> Keys(std::initializer_list<int> keys) { return keys; }

// A new connection carries messages only once the MIDI system has taken it
// into its graph (on a busy machine, some cycles later): the lowest key is
// touched until the listener hears it, then everything heard is forgotten.
bool Connected(LiveKeyboard& keys, Recorder& recorder)
{
    bool heard = false;
    for (int i = 0; i < 100 && !heard; ++i) {
        keys.on(0);
        LiveKeyboard::pause(50);
        std::lock_guard<std::mutex> lock(recorder.mutex);
        heard = std::any_of(recorder.events.begin(), recorder.events.end(), [](const LiveEvent& e) {
            return e.kind == LiveEvent::Kind::Held && e.chord.keys == std::vector<int>{0};
        });
    }
    keys.off(0);
    LiveKeyboard::pause(50);
    std::lock_guard<std::mutex> lock(recorder.mutex);
    recorder.events.clear();
    return heard;
}

class LiveInput : public testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        if (GetParam() == "JACK" && !jackRunning)
            GTEST_SKIP() << "no JACK server: " << jackReason;
        if (GetParam() == "ALSA" && !alsaPresent)
            GTEST_SKIP() << "no ALSA sequencer here (/dev/snd/seq is missing; the kernel module snd-seq is not "
                            "loaded, as in most containers)";
    }
    RtMidi::Api api() const { return GetParam() == "JACK" ? RtMidi::UNIX_JACK : RtMidi::LINUX_ALSA; }
    std::string client() const { return GetParam() + " test keyboard"; }
};

TEST_P(LiveInput, TriadThenMajorSeventh)
{
    LiveKeyboard keys(api(), client());
    Recorder recorder;
    LiveListener listener(client(), recorder.sink());
    ASSERT_EQ(listener.openedAtStart().size(), 1u);
    ASSERT_TRUE(Connected(keys, recorder));
    keys.on(60);
    keys.on(64);
    keys.on(67);
    ASSERT_TRUE(recorder.waitFor(LiveEvent::Kind::Chord));
    keys.on(71);
    ASSERT_TRUE(recorder.waitFor(LiveEvent::Kind::Chord, 2));
    const std::vector<HeldChord> chords = recorder.chords();
    ASSERT_EQ(chords.size(), 2u);
    EXPECT_EQ(chords[0].keys, Keys({60, 64, 67}));
    EXPECT_EQ(NamesOfMask(chords[0].mask).page, 24);
    EXPECT_EQ(NamesOfMask(chords[0].mask).forteName, "3-11b");
    EXPECT_EQ(chords[1].keys, Keys({60, 64, 67, 71}));
    EXPECT_TRUE(std::regex_match(NamesOfMask(chords[1].mask).forteName, std::regex("4-20b?")))
        << NamesOfMask(chords[1].mask).forteName;
    EXPECT_EQ(NamesOfMask(chords[1].mask).page, ReadUserSet("0 4 7 11").page);
}

TEST_P(LiveInput, PedalHoldsAndArpeggioDoesNotFlicker)
{
    LiveKeyboard keys(api(), client());
    Recorder recorder;
    LiveListener listener(client(), recorder.sink());
    ASSERT_TRUE(Connected(keys, recorder));
    // A quick arpeggio with the pedal down, each key let go at once.
    keys.pedal(true);
    for (int key : {48, 55, 64, 67, 72}) {
        keys.on(key);
        LiveKeyboard::pause(15);
        keys.off(key);
        LiveKeyboard::pause(25);
    }
    ASSERT_TRUE(recorder.waitFor(LiveEvent::Kind::Chord));
    LiveKeyboard::pause(300);
    keys.pedal(false);
    LiveKeyboard::pause(400);
    const std::vector<HeldChord> chords = recorder.chords();
    ASSERT_EQ(chords.size(), 1u);
    EXPECT_EQ(chords[0].keys, Keys({48, 55, 64, 67, 72}));
    EXPECT_EQ(NamesOfMask(chords[0].mask).page, 24);
}

TEST_P(LiveInput, PortThatDisappearsIsReportedAndOpenedAgain)
{
    auto keys = std::make_unique<LiveKeyboard>(api(), client());
    Recorder recorder;
    LiveListener listener(client(), recorder.sink());
    ASSERT_TRUE(Connected(*keys, recorder));
    keys->on(60);
    ASSERT_TRUE(recorder.waitFor(LiveEvent::Kind::Chord));
    keys->unplug();
    ASSERT_TRUE(recorder.waitFor(LiveEvent::Kind::PortLost));
    keys = std::make_unique<LiveKeyboard>(api(), client());
    ASSERT_TRUE(recorder.waitFor(LiveEvent::Kind::PortOpened));
    ASSERT_TRUE(Connected(*keys, recorder));
    keys->on(62);
    keys->on(65);
    keys->on(69);
    ASSERT_TRUE(recorder.waitFor(LiveEvent::Kind::Chord));
    // The key held when the port went is forgotten with it.
    EXPECT_EQ(recorder.chords().back().keys, Keys({62, 65, 69}));
}

TEST_P(LiveInput, CommandLinePrintsEachChordAsJson)
{
    if (GetParam() != "JACK")
        GTEST_SKIP() << "checked on JACK, where the test can tell when the command listens";
    LiveKeyboard keys(api(), client());
    std::string out, err;
    int status = -1;
    std::thread command([&] {
        const std::string port = client();
        const char* argv[] = {"harmodex-cli", "listen", "--port", port.c_str(), "--json",
                              "--count",      "2",      "--for",  "20"};
        std::ostringstream o, e;
        status = RunCli(9, argv, o, e);
        out = o.str();
        err = e.str();
    });
    for (int i = 0; i < 100 && !HarmodexListening(); ++i)
        LiveKeyboard::pause(50);
    // The connection is taken into the graph some cycles later.
    LiveKeyboard::pause(500);
    keys.on(60);
    keys.on(64);
    keys.on(67);
    LiveKeyboard::pause(400);
    keys.on(71);
    command.join();
    EXPECT_EQ(status, 0) << err;
    const std::string page = std::to_string(ReadUserSet("0 4 7 11").page);
    EXPECT_TRUE(std::regex_match(
        out, std::regex("\\{\"notes\":\\[\"C4\",\"E4\",\"G4\"\\],\"pitches\":\\[60,64,67\\],\"pitchClasses\":\\[0,4,"
                        "7\\],\"forteName\":\"3-11b\",\"tnType\":\\[0,4,7\\],\"tnTypeText\":\"0 4 7\",\"page\":24\\}\n"
                        "\\{\"notes\":\\[\"C4\",\"E4\",\"G4\",\"B4\"\\],.*\"forteName\":\"4-20b?\",.*\"page\":" +
                        page + "\\}\n")))
        << out;
}

INSTANTIATE_TEST_SUITE_P(Systems, LiveInput, testing::Values("JACK", "ALSA"),
                         [](const testing::TestParamInfo<std::string>& p) { return p.param; });

TEST(LiveInputPorts, NamedPortMissingIsBadInputAndNoSystemIsFailedWork)
{
    const char* argv[] = {"harmodex-cli", "listen", "--port", "no such keyboard here", "--count", "1"};
    std::ostringstream out, err;
    const int status = RunCli(6, argv, out, err);
    if (!jackRunning && !alsaPresent) {
        EXPECT_EQ(status, 1) << err.str();
        EXPECT_NE(err.str().find("no MIDI system"), std::string::npos) << err.str();
    } else {
        EXPECT_EQ(status, 2) << err.str();
        EXPECT_NE(err.str().find("no MIDI input named \"no such keyboard here\""), std::string::npos) << err.str();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    JackServer server;
    jackRunning = server.running();
    jackReason = server.reason();
    if (!jackRunning && !alsaPresent) {
        std::printf("SKIP: neither MIDI system can be had: %s; and no ALSA sequencer (/dev/snd/seq)\n",
                    jackReason.c_str());
        return 77;
    }
    return RUN_ALL_TESTS();
}
