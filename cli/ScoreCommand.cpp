// harmodex-cli score: a score (MusicXML, compressed MusicXML or MIDI) cut
// into sonorities, each named by its Forte name, Tn-type and page.
#include <cstdio>

#include "base/Error.h"
#include "cli/Subcommand.h"
#include "score/Score.h"
#include "score/ScoreJson.h"
#include "score/Segments.h"

namespace {

std::string Joined(const std::vector<int>& values, const char* separator)
{
    std::string text;
    for (size_t i = 0; i < values.size(); ++i)
        text += (i ? separator : "") + std::to_string(values[i]);
    return text;
}

std::string Decimal(double value)
{
    // At most four decimals, without trailing zeros: 1234.5, 1.6667, 3.
    char text[48];
    std::snprintf(text, sizeof text, "%.4f", RoundQuarters(value));
    std::string s = text;
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.')
        s.pop_back();
    return s == "-0" ? "0" : s;
}

// "12.2" on a beat, "12.2+1/2" between beats.
std::string MeasureBeat(const Segment& s)
{
    const int64_t whole = s.beat.Floor();
    const Rational part = s.beat - Rational(whole);
    return s.measure + "." + std::to_string(whole) + (part == Rational(0) ? "" : "+" + part.ToString());
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

class ScoreCommand : public Subcommand {
public:
    const char* name() const override { return "score"; }
    void declare(CLI::App& app) override
    {
        command_ = app.add_subcommand(
            name(), "Read a score (MusicXML .musicxml/.xml, compressed .mxl, or MIDI .mid) and name every sonority: "
                    "measure.beat, its notes as they sound, Forte name, Tn-type and page.\n"
                    "Transposing instruments are read at sounding pitch; ties are joined; grace, cue and percussion "
                    "notes are left out. Repeats are not expanded: the score is read once, as written.\n"
                    "  example: harmodex-cli score chorale.musicxml\n"
                    "  example: harmodex-cli score piece.mid --by beat --merge --json");
        command_->add_option("FILE", file_, "the score")->required();
        command_
            ->add_option("--by", by_,
                         "where segments begin: onset (every note's onset; the default), "
                         "measure, or beat (the dotted beat in compound metres)")
            ->check(CLI::IsMember({"onset", "measure", "beat"}));
        command_->add_flag("--merge", merge_, "join consecutive segments with the same pitch-class set");
        CLI::Option* json =
            command_->add_flag("--json", json_, "{\"file\", \"by\", \"segments\": [...], \"summary\": [...]}");
        command_->add_flag("--csv", csv_, "one line per segment, with a header")->excludes(json);
        command_->add_flag("--summary", summary_,
                           "only the set-class profile: each Forte name, its segments and duration in quarter notes");
    }
    void run(std::ostream& out) override
    {
        SegmentBy by = SegmentBy::Onset;
        SegmentByFromName(by_, &by);
        const std::vector<Segment> segments = SegmentScore(ReadScore(file_), by, merge_);
        std::string text;
        if (json_) {
            // One segment or profile row a line: a score has thousands.
            const nlohmann::ordered_json j = ScoreJson(file_, by, segments);
            text = "{\n";
            for (const auto& [key, value] : j.items()) {
                if (summary_ && key == "segments")
                    continue;
                text += (text.size() > 2 ? ",\n  \"" : "  \"") + key + "\": ";
                if (!value.is_array()) {
                    text += value.dump();
                    continue;
                }
                text += "[";
                for (size_t i = 0; i < value.size(); ++i)
                    text += (i ? ",\n    " : "\n    ") + value[i].dump();
                text += value.empty() ? "]" : "\n  ]";
            }
            text += "\n}\n";
        } else if (summary_) {
            text = csv_ ? "forteName,tnType,page,segments,duration\n" : "";
            for (const ProfileRow& row : SetClassProfile(segments)) {
                char line[160];
                if (csv_)
                    std::snprintf(line, sizeof line, "%s,%s,%d,%d,%s\n", row.forteName.c_str(), row.tnType.c_str(),
                                  row.page, row.segments, Decimal(row.durationQuarters).c_str());
                else
                    std::snprintf(line, sizeof line, "%-7s %5d segment%s %10s quarters  p. %-3d  %s\n",
                                  row.forteName.c_str(), row.segments, row.segments == 1 ? " " : "s",
                                  Decimal(row.durationQuarters).c_str(), row.page, row.tnType.c_str());
                text += line;
            }
        } else if (csv_) {
            text = "measure,beat,start,end,pitches,pitchClasses,tnType,tniType,forteName,page\n";
            for (const Segment& s : segments)
                text += CsvField(s.measure) + "," + Decimal(s.beatNumber) + "," + Decimal(s.startQuarters) + "," +
                        Decimal(s.endQuarters) + "," + Joined(s.pitches, " ") + "," + Joined(s.pitchClasses, " ") +
                        "," + s.tnType + "," + s.tniType + "," + s.forteName + "," + std::to_string(s.page) + "\n";
        } else {
            for (const Segment& s : segments) {
                std::string notes;
                for (int p : s.pitches)
                    notes += (notes.empty() ? "" : " ") + NoteName(p);
                char head[64];
                std::snprintf(head, sizeof head, "%-10s ", MeasureBeat(s).c_str());
                char tail[96];
                std::snprintf(tail, sizeof tail, "  %-7s %-26s p. %d\n", s.forteName.c_str(), s.tnType.c_str(), s.page);
                text += head + (notes.size() < 24 ? notes + std::string(24 - notes.size(), ' ') : notes) + tail;
            }
        }
        WriteOutput("", text, out);
    }

private:
    CLI::App* command_ = nullptr;
    std::string file_, by_ = "onset";
    bool merge_ = false, json_ = false, csv_ = false, summary_ = false;
};

}  // namespace

std::unique_ptr<Subcommand> MakeScoreCommand() { return std::make_unique<ScoreCommand>(); }
