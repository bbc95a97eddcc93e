#include "sound/Player.h"

#include "base/Error.h"
#include "sound/Synth.h"
#include "sound/WavRender.h"

namespace {
using Clock = std::chrono::steady_clock;

Clock::time_point At(Clock::time_point start, double seconds)
{
    return start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}
}  // namespace

std::vector<AudioOutput> SystemAudioOutputs() { return {{"pulseaudio", {}}, {"alsa", {}}}; }

SoundPlayer::SoundPlayer(std::vector<AudioOutput> outputs, Listener listener, std::string soundFont)
    : outputs_(std::move(outputs)), listener_(std::move(listener)), soundFont_(std::move(soundFont))
{
    thread_ = std::thread([this] { run(); });
}

SoundPlayer::~SoundPlayer()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
    thread_.join();
    if (output_)
        delete_fluid_audio_driver(output_);
}

void SoundPlayer::prepare()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (request_ == Request::None)
            request_ = Request::Prepare;
    }
    wake_.notify_one();
}

int SoundPlayer::play(SetPerformance performance)
{
    int number;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (request_ == Request::Play)
            overtaken_.push_back(lastPlay_);
        pending_ = std::move(performance);
        request_ = Request::Play;
        number = ++lastPlay_;
    }
    wake_.notify_one();
    return number;
}

void SoundPlayer::stop()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (request_ == Request::Play)
            overtaken_.push_back(lastPlay_);
        request_ = Request::Stop;
    }
    wake_.notify_one();
}

void SoundPlayer::report(int play, Event event, const std::string& message, const std::string& detail)
{
    if (listener_)
        listener_({play, event, message, detail, Clock::now()});
}

// The synthesiser is made once and the audio output opened at the first
// play, then both are kept: a second press sounds without either delay. What
// failed is tried again at the next play, since the user may have installed
// the SoundFont or started a sound server meanwhile.
bool SoundPlayer::ready(bool openOutput, std::string* error, std::string* detail)
{
    if (!synth_) {
        auto synth = std::make_unique<Synth>(kSampleRate, true);
        try {
            synth->load(soundFont_);
        } catch (const harmodex::Error& e) {
            *error = e.what();
            return false;
        }
        synth_ = std::move(synth);
    }
    if (output_ || !openOutput)
        return true;
    std::string tried;
    for (const AudioOutput& output : outputs_) {
        try {
            output_ = synth_->openAudioDriver(output.driver, output.settings);
            return true;
        } catch (const harmodex::Error& e) {
            tried += (tried.empty() ? "" : "; ") + std::string(e.what());
        }
    }
    *error = "no audio output is available";
    *detail = "no sound server or audio device answered" + (tried.empty() ? std::string() : " (" + tried + ")");
    return false;
}

void SoundPlayer::silence()
{
    if (synth_)
        fluid_synth_all_notes_off(synth_->synth(), -1);
}

void SoundPlayer::run()
{
    std::vector<SoundEvent> events;
    size_t next = 0;
    int playing = 0;  // the number of the play under way, 0 for none
    bool started = false;
    Clock::time_point start, end;

    std::unique_lock<std::mutex> lock(mutex_);
    while (!quit_) {
        // The request and its play are taken together, before the lock is
        // let go, so that a play asked for meanwhile waits its turn.
        const Request request = request_;
        request_ = Request::None;
        SetPerformance performance;
        int number = 0;
        if (request == Request::Play) {
            performance = std::move(pending_);
            number = lastPlay_;
        }
        if (!overtaken_.empty()) {
            const std::vector<int> overtaken = std::move(overtaken_);
            overtaken_.clear();
            lock.unlock();
            for (int stopped : overtaken)
                report(stopped, Event::Stopped);
            lock.lock();
        }
        if (request == Request::Prepare) {
            lock.unlock();
            std::string ignored, none;      // told at the play that needs it
            ready(false, &ignored, &none);  // the SoundFont only: no output is held before it is needed
            lock.lock();
            continue;
        }
        if (request == Request::Stop || request == Request::Play) {
            const int cut = playing;
            lock.unlock();
            silence();
            if (cut)
                report(cut, Event::Stopped);
            playing = 0;
            if (request == Request::Play) {
                std::string error, detail;
                if (ready(true, &error, &detail)) {
                    events = SwitchEvents(performance.notes);
                    next = 0;
                    started = false;
                    start = Clock::now();
                    end = At(start, performance.length + kReleaseTail);
                    playing = number;
                } else {
                    report(number, Event::Failed, error, detail);
                }
            }
            lock.lock();
            continue;
        }
        if (!playing) {
            wake_.wait(lock, [this] { return quit_ || request_ != Request::None; });
            continue;
        }

        // Switch on and off what is due, then sleep until the next switch,
        // the end, or a request.
        lock.unlock();
        const Clock::time_point now = Clock::now();
        for (; next < events.size() && At(start, events[next].time) <= now; ++next) {
            const SoundEvent& e = events[next];
            if (e.velocity) {
                fluid_synth_noteon(synth_->synth(), 0, e.key, e.velocity);
                if (!started) {
                    started = true;
                    report(playing, Event::Started);
                }
            } else {
                fluid_synth_noteoff(synth_->synth(), 0, e.key);
            }
        }
        if (next == events.size() && now >= end) {
            report(playing, Event::Finished);
            playing = 0;
        }
        lock.lock();
        if (playing)
            wake_.wait_until(lock, next < events.size() ? At(start, events[next].time) : end,
                             [this] { return quit_ || request_ != Request::None; });
    }
    lock.unlock();
    silence();
}
