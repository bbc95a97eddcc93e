#ifndef HARMODEX_INTERCHANGE_MUSICXML_H
#define HARMODEX_INTERCHANGE_MUSICXML_H

// The roster of a set's 24 transformations as MusicXML, so that teachers and
// composers can take it into the notation program they write in.

#include <string>
#include <vector>

#include "pcset/SetReader.h"

// A score-partwise MusicXML 4.0 document of the Tn-type of the set `list`
// names (pitch classes, read modulo 12), titled as its page ("Harmodex page
// 24: 3-11b (0 4 7)"). One part of 24 measures in the page's order, T0 to
// T11 and then I0 to I11, each labelled above by its row's name as the page
// writes it (T0 .. T9, Td, Tu, I0 .. Iu). A measure holds the row's notes in
// sequence, in the order and with the very letter names, accidentals
// (naturals included), octaves, clef and head colour of the page's staff;
// each note carries its pitch class as a lyric, as the page labels it.
// With typed notes (the set as typed, see TypedNotes), a first measure
// labelled "as typed" holds them in the order, octaves and letters typed,
// ahead of the roster.
// Throws harmodex::Error::BadInput when the list is empty.
std::string MusicXmlForSet(const std::vector<int>& list, const std::vector<TypedNote>& typed = {});

// The document as compressed MusicXML (.mxl): a zip holding the mimetype,
// META-INF/container.xml naming the score, and the score itself.
// harmodex::Error when the archive cannot be made.
std::string CompressedMusicXml(const std::string& musicXml);

#endif
