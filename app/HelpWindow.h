#ifndef HARMODEX_APP_HELPWINDOW_H
#define HARMODEX_APP_HELPWINDOW_H

// "Reading the page": the guide to every block of the analysis page.
//
// Its sections have fixed ids, one per block of the page plus one on
// typing a set: "identity", "roster", "root-salience", "attraction",
// "poles", one "classification-..." id per group of the classification
// column, "measures", "commonality", "strips" and "typing"; an "overview"
// comes first. The groups are "classification-symmetry", "-cardinal",
// "-tonal", "-transpositional", "-reversibility",
// "-multimodalization" and "-imitation", as page/PageText.h names them.
//
// The text lives in help/ (one file per section, and terms.txt), compiled
// into the program as a GResource.

#include <string>
#include <vector>

#include <gtk/gtk.h>

// Shows the guide beside the parent window, at the section with the given
// id (its first section when the id is empty or unknown).
void ShowHelp(GtkWindow* parent, const char* sectionId);

// A term the classification column prints ("symmetric", "Z", ...): the
// id of the section explaining it, and its explanation in a sentence;
// both empty for a term the guide does not know.
std::string HelpSectionOfTerm(const std::string& term);
std::string ShortExplanationOfTerm(const std::string& term);

// The ids of every section in the guide's order, and of those whose title
// or text holds the query, ignoring case (all of them for an empty query).
std::vector<std::string> HelpSectionIds();
std::vector<std::string> FindHelpSections(const std::string& query);

// The guide's window while it is open (nullptr otherwise), and the ids of
// the sections its sidebar lists now, after its search.
GtkWindow* ShownHelpWindow();
std::vector<std::string> ListedHelpSections();

#endif
