#ifndef HARMODEX_CATALOGUE_CATALOGUEQUERY_H
#define HARMODEX_CATALOGUE_CATALOGUEQUERY_H

// The 351 Tn-types as a table a researcher can filter: which types contain a
// given set, which a set holds, which have a Z-partner, which are
// inversionally symmetrical, which carry a classification the page prints.
// The answers come from the relation searches and the analysis that write
// the page itself, so a query and a page never disagree.

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

// One catalogue entry as it is listed.
struct CatalogueRow {
    int page = 0;
    std::string tnType;       // "0 4 7"
    std::string tnIType;      // "0 3 7"
    std::string forteName;    // "3-11b"
    std::string costereCode;  // "13.12.14"
    std::vector<int> intervalVector;
};

// The 351 rows in page order (index = page - 1). Built once, then read only.
const std::vector<CatalogueRow>& CatalogueRows();

// A row as JSON, with the field names of the analysis's identity.
nlohmann::ordered_json RowJson(const CatalogueRow& row);

// Filters that all have to hold. Sets are Tn-types (see ReadUserSet); an
// empty list means the filter is not asked for.
struct CatalogueQuery {
    int size = 0;               // number of pitch classes, 1 to 12; 0: any
    std::vector<int> contains;  // types holding this set at some transposition
    std::vector<int> within;    // types this set holds
    bool inversions = false;    // contains/within also through the set's inversion
    bool zPartner = false;      // types with a Z-partner
    bool symmetric = false;     // inversionally symmetrical types
    std::string attribute;      // words of a classification the page prints
};

// Page numbers of the types that pass every filter, ascending. Throws
// harmodex::Error::BadInput, with a message for the user, for a size outside 1
// to 12, for inversions without a set to invert, and for an attribute that
// no page prints.
std::vector<int> FindPages(const CatalogueQuery& query);

// What a short text typed into a search box finds, tried in this order, the
// first that finds anything answering:
//   a page number (24, p24, page 24, #24);
//   a Forte name or its beginning (4-, 6-Z, 3-11 for 3-11a and 3-11b; the Z
//     may be left out: 4-15 finds 4-Z15a and 4-Z15b);
//   any set the set reader understands (0 4 7, C E G, [0,4,7], 13.12.14): the
//     page of its Tn-type;
//   words of the classifications the pages print, each word or its
//     beginning, in order within one classification (symmetric, triadic
//     major); Z alone finds the types with a Z-partner.
// With containing, a page number, a Forte name or a set finds every type
// that holds the type found at some transposition (the type itself too).
struct CatalogueSearch {
    std::vector<int> pages;  // ascending; every page for a blank text
    std::string reading;     // how the text was understood, in words; empty for a blank text
};
CatalogueSearch SearchCatalogue(const std::string& text, bool containing = false);

#endif
