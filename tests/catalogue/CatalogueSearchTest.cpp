// The catalogue's text search, as the index's search box and the command
// line ask it.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "catalogue/CatalogueQuery.h"
#include "pcset/PitchUniverse.h"

namespace {

std::vector<int> allPages()
{
    std::vector<int> pages;
    for (int page = 1; page <= PitchUniverse::NumTnTypes; ++page)
        pages.push_back(page);
    return pages;
}

std::vector<int> unionOf(std::vector<int> a, const std::vector<int>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    std::sort(a.begin(), a.end());
    a.erase(std::unique(a.begin(), a.end()), a.end());
    return a;
}

CatalogueQuery containing(std::vector<int> set)
{
    CatalogueQuery q;
    q.contains = std::move(set);
    return q;
}

TEST(CatalogueSearch, FindsPagesFormsNamesSetsAndWords)
{
    CatalogueQuery zOnly, symmetricOnly;
    zOnly.zPartner = true;
    symmetricOnly.symmetric = true;
    struct Case {
        const char* text;
        bool containing;
        std::vector<int> pages;
    };
    const Case cases[] = {
        // Forte names and their beginnings; the Z may be left out.
        {"4-Z15", false, {37, 52}},
        {"4-z15", false, {37, 52}},
        {"4-15", false, {37, 52}},
        {"3-11", false, {21, 24}},
        {"3-11b", false, {24}},
        {"12-1", false, {351}},
        // Sets in any notation, and page references.
        {"0 4 7", false, {24}},
        {"7 11 2", false, {24}},
        {"C E G", false, {24}},
        {"[0,4,7]", false, {24}},
        {"0-4-7", false, {24}},
        {"13.12.14", false, {24}},
        {"24", false, {24}},
        {" p. 24 ", false, {24}},
        {"page 351", false, {351}},
        // Nothing typed is everything; nothing known is nothing.
        {"", false, allPages()},
        {"  ", true, allPages()},
        {"hello", false, {}},
        {"4-99", false, {}},
        // Classification words and their beginnings; "symmetric" is not
        // "asymmetrical".
        {"Z", false, FindPages(zOnly)},
        {"symmetric", false, FindPages(symmetricOnly)},
        {"symmetrical", false, FindPages(symmetricOnly)},
        // Containing: the same answer as the catalogue's query.
        {"C E G", true, FindPages(containing({0, 4, 7}))},
        {"24", true, FindPages(containing({0, 4, 7}))},
        {"4-Z15", true, unionOf(FindPages(containing({0, 1, 4, 6})), FindPages(containing({0, 2, 5, 6})))},
        {"0 1 2 3 4 5 6 7 8 9 10 11", true, {351}},
        {"0", true, allPages()},
    };
    for (const Case& c : cases) {
        const CatalogueSearch found = SearchCatalogue(c.text, c.containing);
        EXPECT_EQ(found.pages, c.pages) << '"' << c.text << '"' << (c.containing ? " containing" : "");
    }
}

TEST(CatalogueSearch, EveryBeginningOfAForteNameKeepsItsRow)
{
    for (const CatalogueRow& row : CatalogueRows()) {
        const std::string& name = row.forteName;
        for (size_t length = name.find('-') + 1; length <= name.size(); ++length) {
            const std::vector<int> pages = SearchCatalogue(name.substr(0, length)).pages;
            EXPECT_TRUE(std::binary_search(pages.begin(), pages.end(), row.page)) << name.substr(0, length);
            for (int page : pages)
                EXPECT_EQ(CatalogueRows()[page - 1].forteName.rfind(name.substr(0, name.find('-') + 1), 0), 0u)
                    << name.substr(0, length);
        }
    }
}

TEST(CatalogueSearch, SaysHowTheTextWasRead)
{
    struct Case {
        const char* text;
        bool containing;
        const char* reading;
    };
    const Case cases[] = {
        {"4-Z15", false, "Forte names beginning 4-Z15"},
        {"C E G", false, "note names: 0 4 7"},
        {"p24", true, "page 24, and every set containing it"},
        {"Z", false, "types with a Z-partner"},
        {"", false, ""},
        {"hello", false, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SearchCatalogue(c.text, c.containing).reading, c.reading) << c.text;
}

}  // namespace
