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

#endif
