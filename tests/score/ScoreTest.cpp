#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <zip.h>

#include "../ThrownError.h"
#include "base/Error.h"
#include "score/Score.h"
#include "score/Segments.h"

namespace {

const std::string DataDir = HARMODEX_TEST_DATA "/score/";

// A one-part partwise score around the measures given.
std::string Partwise(const std::string& measures, const std::string& partList = "")
{
    return "<?xml version=\"1.0\"?>\n<score-partwise version=\"3.1\">\n<part-list>\n"
           "<score-part id=\"P1\"><part-name>A</part-name>" +
           partList + "</score-part>\n</part-list>\n<part id=\"P1\">\n" + measures + "</part>\n</score-partwise>\n";
}

// A note; extra comes before the pitch (<chord/>, <cue/>), after after the
// duration (<tie/>).
std::string Note(const std::string& step, int octave, int duration, const std::string& extra = "",
                 const std::string& after = "")
{
    return "<note>" + extra + "<pitch><step>" + step + "</step><octave>" + std::to_string(octave) +
           "</octave></pitch><duration>" + std::to_string(duration) + "</duration>" + after + "</note>\n";
}

const std::string Attributes = "<attributes><divisions>1</divisions><time><beats>4</beats>"
                               "<beat-type>4</beat-type></time></attributes>\n";

// The onset segments as "start:pitch pitch ..." lines, exactly.
std::string Onsets(const Score& score)
{
    std::string text;
    for (const Segment& s : SegmentScore(score, SegmentBy::Onset, false)) {
        text += s.start.ToString() + ":";
        for (int p : s.pitches)
            text += " " + std::to_string(p);
        text += "\n";
    }
    return text;
}

// The call is refused as unreadable input, with a message that holds the given text.
template <typename Call>
void ExpectBadInput(Call call, const std::string& message)
{
    bool badInput = false;
    const std::string said = ThrownError(call, &badInput);
    EXPECT_TRUE(badInput) << "for \"" << message << "\": " << said;
    EXPECT_NE(said.find(message), std::string::npos) << said;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(ScoreMusicXml, ReadsWhatSoundsAndWhen)
{
    struct Case {
        const char* what;
        std::string xml;
        std::string onsets;
    };
    const std::vector<Case> cases = {
        {"a chord and a second voice after <backup>",
         Partwise("<measure number=\"1\">" + Attributes + Note("C", 4, 2) + Note("E", 4, 2, "<chord/>") +
                  Note("G", 4, 2) + "<backup><duration>4</duration></backup>" + Note("C", 3, 1) +
                  "<forward><duration>2</duration></forward>" + Note("D", 3, 1) + "</measure>\n"),
         "0: 48 60 64\n2: 67\n3: 50 67\n"},
        {"rests, grace, cue and unpitched notes are left out",
         Partwise("<measure number=\"1\">" + Attributes + Note("C", 4, 1) +
                  "<note><grace/><pitch><step>D</step><octave>4</octave></pitch></note>" + Note("E", 4, 1, "<cue/>") +
                  "<note><unpitched><display-step>E</display-step><display-octave>4</display-octave></unpitched>"
                  "<duration>1</duration></note>" +
                  "<note><rest/><duration>1</duration></note></measure>\n"),
         "0: 60\n"},
        {"a tie across the bar line is one note, not a new onset",
         Partwise("<measure number=\"1\">" + Attributes + Note("C", 4, 3) + Note("G", 4, 1, "") +
                  Note("E", 4, 1, "<chord/>", "<tie type=\"start\"/>") + "</measure>\n<measure number=\"2\">" +
                  Note("E", 4, 2, "", "<tie type=\"stop\"/>") + Note("F", 4, 2) + "</measure>\n"),
         "0: 60\n3: 64 67\n6: 65\n"},
        {"a B-flat clarinet an octave down sounds a ninth below what is written",
         Partwise("<measure number=\"1\"><attributes><divisions>1</divisions><transpose><diatonic>-1</diatonic>"
                  "<chromatic>-2</chromatic><octave-change>-1</octave-change></transpose></attributes>" +
                  Note("D", 5, 4) + "</measure>\n"),
         "0: 60\n"},
        {"divisions that change mid-part",
         Partwise("<measure number=\"1\">" + Attributes + Note("C", 4, 2) + Note("D", 4, 2) +
                  "</measure>\n<measure number=\"2\"><attributes><divisions>3</divisions></attributes>" +
                  Note("E", 4, 1) + Note("F", 4, 11) + "</measure>\n"),
         "0: 60\n2: 62\n4: 64\n13/3: 65\n"},
        {"a percussion part (MIDI channel 10) is left out",
         Partwise("<measure number=\"1\">" + Attributes + Note("C", 4, 4) + "</measure>\n",
                  "<midi-instrument id=\"P1-I1\"><midi-channel>10</midi-channel></midi-instrument>"),
         ""},
        {"timewise",
         "<score-timewise><part-list><score-part id=\"A\"/><score-part id=\"B\"/></part-list>"
         "<measure number=\"1\"><part id=\"A\">" +
             Attributes + Note("C", 5, 4) + "</part><part id=\"B\">" + Attributes + Note("A", 3, 2) + Note("F", 3, 2) +
             "</part></measure><measure number=\"2\"><part id=\"A\">" + Note("D", 5, 4) + "</part><part id=\"B\">" +
             Note("B", 3, 4) + "</part></measure></score-timewise>",
         "0: 57 72\n2: 53 72\n4: 59 74\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Onsets(ReadMusicXml(c.xml, "t.musicxml")), c.onsets) << c.what;
}

TEST(ScoreMusicXml, MeasuresAndBeatsFollowTheFileAndTheTimeSignature)
{
    // A pickup of one quarter numbered 0, then a 6/8 measure numbered 7a.
    const std::string xml =
        Partwise("<measure number=\"0\" implicit=\"yes\"><attributes><divisions>2</divisions><time><beats>3</beats>"
                 "<beat-type>4</beat-type></time></attributes>" +
                 Note("G", 4, 2) +
                 "</measure>\n<measure number=\"7a\"><attributes><time><beats>6</beats>"
                 "<beat-type>8</beat-type></time></attributes>" +
                 Note("C", 5, 1) + Note("E", 5, 4) + Note("G", 5, 1) + "</measure>\n");
    const Score score = ReadMusicXml(xml, "t.musicxml");
    ASSERT_EQ(score.measures.size(), 2u);
    EXPECT_EQ(score.measures[0].length, Rational(1));
    EXPECT_EQ(score.measures[1].BeatLength(), Rational(3, 2));
    const std::vector<Segment> onsets = SegmentScore(score, SegmentBy::Onset, false);
    ASSERT_EQ(onsets.size(), 4u);
    EXPECT_EQ(onsets[0].measure, "0");
    EXPECT_EQ(onsets[2].measure, "7a");
    EXPECT_EQ(onsets[2].beat, Rational(4, 3));  // the second eighth of a dotted beat
    EXPECT_EQ(onsets[3].beat, Rational(8, 3));
    const std::vector<Segment> beats = SegmentScore(score, SegmentBy::Beat, false);
    ASSERT_EQ(beats.size(), 3u);
    EXPECT_EQ(beats[1].pitches, (std::vector<int>{72, 76}));
    EXPECT_EQ(beats[2].pitches, (std::vector<int>{76, 79}));
}

TEST(ScoreMusicXml, BadFilesNameThePlaceOfTheFault)
{
    const std::string deep = std::string(80 * 3, ' ');
    std::string nested;
    for (int i = 0; i < 80; ++i)
        nested += "<a>";
    for (int i = 0; i < 80; ++i)
        nested += "</a>";
    struct Case {
        std::string xml;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"<score-partwise>\n<part-list>\n</score-partwise>", "t.musicxml, line 3: not well-formed XML"},
        {"<html/>", "not a MusicXML score"},
        {Partwise("<measure number=\"4\">" + Attributes + "<backup><duration>1</duration></backup></measure>"),
         "(measure 4): <backup> goes back before the start"},
        {Partwise("<measure number=\"1\">\n" + Attributes +
                  "<note><pitch><step>C</step><octave>4</octave></pitch>"
                  "</note></measure>"),
         "t.musicxml, line 9 (measure 1): a <note> without <duration>"},
        {Partwise("<measure number=\"1\">" + Attributes + Note("C", 4, -1) + "</measure>"), "a negative duration"},
        {Partwise("<measure number=\"1\">" + Attributes + Note("C", 4, 99999) + "</measure>"),
         "a duration of more than 10000 quarter notes"},
        {Partwise("<measure number=\"1\"><attributes><divisions>0</divisions></attributes></measure>"),
         "<divisions> must be a whole number"},
        {Partwise("<measure number=\"1\">" + Attributes + Note("H", 4, 1) + "</measure>"), "<step> is not A to G"},
        {"<score-partwise>" + nested + "</score-partwise>", "nested more than 64 deep"},
    };
    for (const Case& c : cases)
        ExpectBadInput([&] { ReadMusicXml(c.xml, "t.musicxml"); }, c.message);
}

// A Standard MIDI File from raw track bodies (end-of-track added).
std::string Smf(int format, int division, const std::vector<std::string>& tracks)
{
    std::string s = "MThd";
    s += std::string("\0\0\0\6", 4);
    s += {char(0), char(format), char(0), char(tracks.size()), char(division >> 8), char(division & 0xff)};
    for (std::string t : tracks) {
        t += std::string("\x00\xff\x2f\x00", 4);
        s += "MTrk";
        s += {char(t.size() >> 24), char(t.size() >> 16), char(t.size() >> 8), char(t.size())};
        s += t;
    }
    return s;
}

std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

TEST(ScoreMidi, ReadsNotesWithRunningStatusAndSilentNoteOns)
{
    // Format 1: a 3/4 signature in the first track; in the second, C4 and E4
    // struck together with running status, released by zero-velocity
    // note-ons; then G4 released by a note-off; channel 10 is left out.
    const std::string meta = Bytes({0x00, 0xff, 0x58, 0x04, 0x03, 0x02, 0x18, 0x08});
    const std::string notes = Bytes({0x00, 0x90, 60,   100,  0x00, 64,   100,         // C4, E4
                                     0x00, 0x99, 36,   100,                           // a kick drum
                                     0x81, 0x70, 0x90, 60,   0,    0x00, 64,  0,      // 240 ticks later: off, off
                                     0x00, 67,   90,   0x83, 0x60, 0x80, 67,  64}) +  // G4 for 480 ticks
                              Bytes({0x00, 0x89, 36, 0});
    const Score score = ReadMidi(Smf(1, 480, {meta, notes}), "t.mid");
    EXPECT_EQ(Onsets(score), "0: 60 64\n1/2: 67\n");
    ASSERT_FALSE(score.measures.empty());
    EXPECT_EQ(score.measures[0].beats, 3);
    EXPECT_EQ(score.measures[0].length, Rational(3));
    // Format 0 with the same events in one track reads the same.
    EXPECT_EQ(Onsets(ReadMidi(Smf(0, 480, {meta + notes}), "t.mid")), "0: 60 64\n1/2: 67\n");
}

TEST(ScoreMidi, BadFilesNameTheByte)
{
    const std::string ok = Bytes({0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0});
    struct Case {
        std::string bytes;
        std::string message;
    };
    std::string truncated = Smf(0, 96, {ok});
    truncated.resize(truncated.size() - 6);
    const std::vector<Case> cases = {
        {"MThd", "not a Standard MIDI File"},
        {Smf(2, 96, {ok}), "byte 8: format 2"},
        {Smf(0, 0xe728, {ok}), "byte 12: its time is counted in SMPTE frames"},
        {truncated, "byte 18: a chunk of"},
        {Smf(0, 96, {Bytes({0x00, 60, 100})}), "byte 23: running status with no status before it"},
        {Smf(0, 96, {Bytes({0xff, 0xff, 0xff, 0xff, 0x7f, 0x90, 60, 1})}), "a number longer than four bytes"},
        {Smf(0, 96, {Bytes({0x00, 0x90, 60, 200})}), "a data byte with its top bit set"},
        {Smf(0, 1, {Bytes({0x8f, 0xff, 0xff, 0x7f, 0x90, 60, 1})}), "quarter notes in"},
    };
    for (const Case& c : cases)
        ExpectBadInput([&] { ReadMidi(c.bytes, "t.mid"); }, c.message);
}

// An .mxl made with libzip from name/content pairs.
std::string Zip(const std::vector<std::pair<std::string, std::string>>& entries)
{
    char path[] = "/tmp/harmodex-mxl-XXXXXX";
    const int fd = mkstemp(path);
    close(fd);
    int error = 0;
    zip_t* zip = zip_open(path, ZIP_TRUNCATE, &error);
    for (const auto& [name, content] : entries) {
        zip_source_t* source = zip_source_buffer(zip, content.data(), content.size(), 0);
        zip_file_add(zip, name.c_str(), source, ZIP_FL_OVERWRITE);
    }
    zip_close(zip);
    const std::string bytes = ReadFile(path);
    std::remove(path);
    return bytes;
}

TEST(ScoreMxl, TheContainerNamesTheScoreAndBombsAreRefused)
{
    const std::string xml = Partwise("<measure number=\"1\">" + Attributes + Note("C", 4, 4) + "</measure>");
    const std::string container = "<container><rootfiles><rootfile full-path=\"music/s.xml\"/></rootfiles></container>";
    EXPECT_EQ(Onsets(ReadScoreBytes(Zip({{"META-INF/container.xml", container}, {"music/s.xml", xml}}), "t.mxl")),
              "0: 60\n");
    EXPECT_EQ(Onsets(ReadScoreBytes(Zip({{"s.musicxml", xml}}), "t.mxl")), "0: 60\n");

    const std::string huge(MaxScoreFileBytes + 1, ' ');
    const std::vector<std::pair<std::vector<std::pair<std::string, std::string>>, std::string>> bad = {
        {{{"META-INF/container.xml", container}}, "the archive has no music/s.xml"},
        {{{"readme.txt", "hello"}}, "holds neither META-INF/container.xml nor a MusicXML file"},
        {{{"s.xml", huge}}, "t.mxl, entry s.xml: unpacks to more than 64 MiB"},
        {{{"s.xml", "<score-partwise><oops></score-partwise>"}}, "t.mxl (s.xml), line 1: not well-formed"},
    };
    for (const auto& [entries, message] : bad)
        ExpectBadInput([&] { ReadScoreBytes(Zip(entries), "t.mxl"); }, message);
    EXPECT_THROW(ReadScoreBytes("PK\x03\x04 broken", "t.mxl"), harmodex::Error);
    EXPECT_THROW(ReadScore(DataDir + "no-such-file.musicxml"), harmodex::Error);
}

TEST(ScoreSegments, MergeJoinsTouchingSegmentsAndSilenceIsLeftOut)
{
    // C E G, then G E C an octave up, a rest, then C again; a second part
    // holds nothing.
    const std::string xml = Partwise("<measure number=\"1\">" + Attributes + Note("C", 4, 1) +
                                     Note("E", 4, 1, "<chord/>") + Note("G", 4, 1, "<chord/>") + Note("G", 5, 1) +
                                     Note("E", 5, 1, "<chord/>") + Note("C", 5, 1, "<chord/>") +
                                     "<note><rest/><duration>1</duration></note>" + Note("C", 4, 1) + "</measure>");
    const Score score = ReadMusicXml(xml, "t.musicxml");
    const std::vector<Segment> plain = SegmentScore(score, SegmentBy::Onset, false);
    ASSERT_EQ(plain.size(), 3u);
    EXPECT_EQ(plain[0].forteName, "3-11b");
    EXPECT_EQ(plain[0].page, 24);
    EXPECT_EQ(plain[0].tniType, "0 3 7");
    const std::vector<Segment> merged = SegmentScore(score, SegmentBy::Onset, true);
    ASSERT_EQ(merged.size(), 2u);
    EXPECT_EQ(merged[0].end, Rational(2));
    EXPECT_EQ(merged[0].pitches, (std::vector<int>{60, 64, 67, 72, 76, 79}));
    EXPECT_EQ(merged[1].start, Rational(3));  // the rest is no segment, and the C is not joined across it
    EXPECT_EQ(merged[1].beat, Rational(4));

    const std::vector<ProfileRow> profile = SetClassProfile(plain);
    ASSERT_EQ(profile.size(), 2u);
    EXPECT_EQ(profile[0].forteName, "3-11b");
    EXPECT_EQ(profile[0].segments, 2);
    EXPECT_EQ(profile[0].durationQuarters, 2.0);
    EXPECT_EQ(profile[1].forteName, "1-1");

    const std::vector<Segment> measures = SegmentScore(score, SegmentBy::Measure, false);
    ASSERT_EQ(measures.size(), 1u);
    EXPECT_EQ(measures[0].pitchClasses, (std::vector<int>{0, 4, 7}));
}

TEST(ScoreSegments, EveryReadingOfTheSameScoreAgrees)
{
    // Our own scores, and what MuseScore 3 wrote of them as MusicXML,
    // compressed MusicXML and MIDI: a four-part chorale with a tie across the
    // bar line and a change of divisions; a 6/8 piece with a B-flat clarinet
    // and two voices on one staff.
    for (const std::string name : {"chorale", "compound"}) {
        const Score source = ReadScore(DataDir + name + ".musicxml");
        for (const std::string ext : {".mscore.musicxml", ".mscore.mxl", ".mscore.mid"}) {
            const Score other = ReadScore(DataDir + name + ext);
            for (SegmentBy by : {SegmentBy::Onset, SegmentBy::Measure, SegmentBy::Beat})
                for (bool merge : {false, true}) {
                    const std::vector<Segment> a = SegmentScore(source, by, merge);
                    const std::vector<Segment> b = SegmentScore(other, by, merge);
                    ASSERT_EQ(a.size(), b.size()) << name << ext << " " << SegmentByName(by);
                    for (size_t i = 0; i < a.size(); ++i) {
                        const std::string where = name + ext + " " + SegmentByName(by) + " #" + std::to_string(i);
                        EXPECT_EQ(a[i].start, b[i].start) << where;
                        EXPECT_EQ(a[i].end, b[i].end) << where;
                        EXPECT_EQ(a[i].measure, b[i].measure) << where;
                        EXPECT_EQ(a[i].beat, b[i].beat) << where;
                        EXPECT_EQ(a[i].pitches, b[i].pitches) << where;
                        EXPECT_EQ(a[i].page, b[i].page) << where;
                    }
                }
        }
    }
}

TEST(ScoreRead, ProgressRisesToTheEndAndCanStopTheReading)
{
    std::vector<double> seen;
    ScoreReadOptions options;
    options.progress = [&](double f) {
        seen.push_back(f);
        return true;
    };
    ReadScore(DataDir + "chorale.mscore.mxl", options);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), 1.0);
    for (size_t i = 1; i < seen.size(); ++i)
        EXPECT_LE(seen[i - 1], seen[i]);

    options.progress = [](double) { return false; };
    for (const char* file : {"chorale.musicxml", "chorale.mscore.mid"}) {
        bool badInput = true;
        EXPECT_NE(ThrownError([&] { ReadScore(DataDir + file, options); }, &badInput), "")
            << file << " read to the end";
        EXPECT_FALSE(badInput) << file;
    }
}

TEST(ScoreSegments, EverySetIsNamedAsTheCatalogueNamesIt)
{
    // The 4095 non-empty sets land on 351 pages, the aggregate on the last.
    std::vector<int> seen(352, 0);
    for (int mask = 1; mask < 4096; ++mask)
        ++seen.at(static_cast<size_t>(NamesOfMask(static_cast<uint16_t>(mask)).page));
    EXPECT_EQ(seen[0], 0);
    for (int page = 1; page <= 351; ++page)
        EXPECT_GT(seen[page], 0) << page;
    EXPECT_EQ(NamesOfMask(0xfff).page, 351);
    EXPECT_EQ(NamesOfMask((1 << 7) | (1 << 11) | (1 << 2)).tnType, "0 4 7");
}

}  // namespace
