#ifndef HARMODEX_CATALOGUE_SETTEXT_H
#define HARMODEX_CATALOGUE_SETTEXT_H

// A set typed by a user, in any form the forgiving set reader understands
// (lists, compact digits, note names, Forte names, pages, Costère codes), as
// the programs built on the catalogue understand it. Every such text goes through
// ReadUserSet, so that how texts are read is decided in one place.

#include <string>
#include <vector>

struct UserSet {
    std::vector<int> pitchClasses;  // as read, in the order typed
    std::string form;               // the form recognised, in words
    std::string error;              // empty when the text names a set
    // Filled only when the text names a set:
    std::vector<int> tnType;
    std::string tnText;  // the Tn-type as the catalogue writes it
    int page = 0;        // its page number, 1 to 351
};

// What the text names. A text naming no pitch class gets an error that says
// what to type instead; the text is never fatal.
UserSet ReadUserSet(const std::string& text);

#endif
