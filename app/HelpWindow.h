#ifndef HARMODEX_APP_HELPWINDOW_H
#define HARMODEX_APP_HELPWINDOW_H

// "Reading the page": the guide to every block of the analysis page.
//
// Its sections have fixed ids, one per block of the page plus one on
// typing a set: "identity", "roster", "root-salience", "attraction",
// "poles", one "classification-..." id per group of the classification
// column, "measures", "commonality", "strips" and "typing".

#include <string>

#include <gtk/gtk.h>

// Shows the guide beside the parent window, at the section with the given
// id (its first section when the id is empty or unknown).
void ShowHelp(GtkWindow* parent, const char* sectionId);

// A term the classification column prints ("symmetric", "Z", ...): the
// id of the section explaining it, and its explanation in a sentence;
// both empty for a term the guide does not know.
std::string HelpSectionOfTerm(const std::string& term);
std::string ShortExplanationOfTerm(const std::string& term);

#endif
