#include "midi/HeldNotes.h"

#include <algorithm>

HeldNotes::HeldNotes(std::chrono::milliseconds settlingTime) : settlingTime_(settlingTime) {}

HeldNotes::Channel& HeldNotes::channel(int source, int channelNumber)
{
    source = std::clamp(source, 0, kSources - 1);
    const size_t index = static_cast<size_t>(source) * 16 + static_cast<size_t>(channelNumber & 15);
    if (index >= channels_.size())
        channels_.resize(index + 1);
    return channels_[index];
}

std::bitset<128> HeldNotes::soundingKeys() const
{
    std::bitset<128> keys;
    for (const Channel& c : channels_)
        keys |= c.held | c.sustained;
    return keys;
}

void HeldNotes::changed(TimePoint t)
{
    // The settling time runs from the last change of what sounds: pressing
    // the pedal, or releasing a key it holds, changes nothing heard.
    const std::bitset<128> now = soundingKeys();
    if (now != lastSounding_) {
        lastSounding_ = now;
        lastChange_ = t;
    }
}

void HeldNotes::noteOn(int source, int channelNumber, int key, TimePoint t)
{
    if (key < 0 || key > 127)
        return;
    Channel& c = channel(source, channelNumber);
    c.held.set(static_cast<size_t>(key));
    c.sustained.reset(static_cast<size_t>(key));
    changed(t);
}

void HeldNotes::noteOff(int source, int channelNumber, int key, TimePoint t)
{
    if (key < 0 || key > 127)
        return;
    Channel& c = channel(source, channelNumber);
    if (c.held.test(static_cast<size_t>(key)) && c.pedal)
        c.sustained.set(static_cast<size_t>(key));
    c.held.reset(static_cast<size_t>(key));
    changed(t);
}

void HeldNotes::sustain(int source, int channelNumber, bool down, TimePoint t)
{
    Channel& c = channel(source, channelNumber);
    c.pedal = down;
    if (!down)
        c.sustained.reset();
    changed(t);
}

void HeldNotes::releaseSource(int source, TimePoint t)
{
    source = std::clamp(source, 0, kSources - 1);
    for (size_t i = static_cast<size_t>(source) * 16;
         i < std::min(channels_.size(), static_cast<size_t>(source + 1) * 16); ++i)
        channels_[i] = Channel{};
    changed(t);
}

void HeldNotes::message(int source, const unsigned char* bytes, size_t size, TimePoint t)
{
    if (bytes == nullptr || size < 2)
        return;
    const int status = bytes[0] & 0xF0, channelNumber = bytes[0] & 0x0F;
    const int data1 = bytes[1] & 0x7F;
    const int data2 = size >= 3 ? bytes[2] & 0x7F : -1;
    if ((bytes[1] & 0x80) || data2 < 0)
        return;  // every message heeded here has two data bytes
    switch (status) {
    case 0x90:
        if (data2 > 0)
            noteOn(source, channelNumber, data1, t);
        else
            noteOff(source, channelNumber, data1, t);
        break;
    case 0x80:
        noteOff(source, channelNumber, data1, t);
        break;
    case 0xB0:
        if (data1 == 64) {
            sustain(source, channelNumber, data2 >= 64, t);
        } else if (data1 == 120 || data1 == 123) {
            Channel& c = channel(source, channelNumber);
            c.held.reset();
            c.sustained.reset();
            changed(t);
        }
        break;
    default:
        break;
    }
}

std::optional<HeldChord> HeldNotes::poll(TimePoint now)
{
    const std::optional<TimePoint> due = nextReport();
    if (!due || now < *due)
        return std::nullopt;
    lastReported_ = lastSounding_;
    HeldChord chord;
    for (int key = 0; key < 128; ++key)
        if (lastSounding_.test(static_cast<size_t>(key))) {
            chord.keys.push_back(key);
            chord.mask |= static_cast<uint16_t>(1u << (key % 12));
        }
    return chord;
}

std::optional<HeldNotes::TimePoint> HeldNotes::nextReport() const
{
    if (lastSounding_.none() || lastSounding_ == lastReported_)
        return std::nullopt;
    return lastChange_ + settlingTime_;
}

std::vector<int> HeldNotes::sounding() const
{
    std::vector<int> keys;
    const std::bitset<128> now = soundingKeys();
    for (int key = 0; key < 128; ++key)
        if (now.test(static_cast<size_t>(key)))
            keys.push_back(key);
    return keys;
}

uint16_t HeldNotes::soundingMask() const
{
    uint16_t mask = 0;
    for (int key : sounding())
        mask |= static_cast<uint16_t>(1u << (key % 12));
    return mask;
}
