// The guide against the page: every term the classification column prints,
// on any of the 351 pages, is explained, and its search finds the sections.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/HelpWindow.h"
#include "page/PageText.h"
#include "pcset/Conversions.h"
#include "pcset/PitchUniverse.h"

namespace {

bool known(const std::string& id)
{
    const std::vector<std::string> ids = HelpSectionIds();
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

TEST(HelpGuide, EveryClassificationTermOfEveryPageIsExplained)
{
    const PitchUniverse& u = SharedUniverse();
    std::set<std::string> missing, groups;
    for (int i = 0; i < PitchUniverse::NumTnTypes; ++i) {
        PitchClassSet p;
        p.initializeSet(StringToVector(u.tnTypes[i]));
        p.calculateEverything();
        for (const ClassificationGroup& group : ClassificationGroups(p)) {
            groups.insert(group.id);
            std::vector<std::string> terms = group.words;
            terms.insert(terms.end(), group.labels.begin(), group.labels.end());
            for (const std::string& term : terms)
                if (HelpSectionOfTerm(term).empty() || ShortExplanationOfTerm(term).empty() ||
                    !known(HelpSectionOfTerm(term)))
                    missing.insert(term);
        }
    }
    for (const std::string& term : missing)
        ADD_FAILURE() << "the guide does not explain \"" << term << "\"";
    for (const std::string& id : groups)
        EXPECT_TRUE(known(id)) << "no section " << id;
}

TEST(HelpGuide, TermsLeadToTheirSection)
{
    const struct {
        const char* term;
        const char* section;
    } cases[] = {
        {"asymmetrical", "classification-symmetry"},
        {"Cislocative", "classification-cardinal"},
        {"triadic major", "classification-tonal"},
        {"phonicity", "measures"},
        {"commonality", "commonality"},
        {"no such word", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HelpSectionOfTerm(c.term), c.section) << c.term;
}

TEST(HelpGuide, SearchFindsTheSectionsThatMentionAWord)
{
    const struct {
        const char* query;
        const char* section;
        bool found;
    } cases[] = {
        {"phonicity", "measures", true}, {"PHONICITY", "measures", true},    {"azimuth", "typing", false},
        {"Forte name", "typing", true},  {"ambimultipolar", "poles", false}, {"", "strips", true},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> ids = FindHelpSections(c.query);
        EXPECT_EQ(std::find(ids.begin(), ids.end(), c.section) != ids.end(), c.found) << c.query;
    }
    EXPECT_TRUE(FindHelpSections("no such word anywhere").empty());
    // The ids are kept: the page's tooltips and double-click open them.
    for (const char* id : {"identity", "roster", "root-salience", "attraction", "poles", "classification-symmetry",
                           "classification-cardinal", "classification-tonal", "classification-transpositional",
                           "classification-reversibility", "classification-multimodalization",
                           "classification-imitation", "measures", "commonality", "strips", "typing"})
        EXPECT_TRUE(known(id)) << id;
}

}  // namespace
