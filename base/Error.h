#ifndef HARMODEX_BASE_ERROR_H
#define HARMODEX_BASE_ERROR_H

// The one error type of Harmodex's libraries.
//
// A library function that cannot do what it was asked throws
// harmodex::Error with a message a person can act on: what failed, and why
// ("/tmp/x.pdf: Permission denied"; "score.musicxml, line 12: a <note>
// without <duration>"). The kind tells a program how to answer it:
//   BadInput  the caller's input cannot be read or means nothing (a set
//             text, a file that is not what it claims, a value out of range);
//             the command line exits 2, Python raises ValueError;
//   Failed    the input was fine but the work could not be done (a file
//             cannot be written, a program or a device is missing); the
//             command line exits 1, Python raises RuntimeError.
// Messages never name a button or a command-line option: the same message
// reaches the window, the terminal and Python.
//
// A fact the program itself guarantees (a glyph the notation asks for by
// its own name, a pitch class 0-11) is an assertion of the code, not an
// Error: no input of the user's can make it fail.

#include <stdexcept>
#include <string>

namespace harmodex {

class Error : public std::runtime_error {
public:
    enum class Kind { BadInput, Failed };

    explicit Error(const std::string& message, Kind kind = Kind::Failed) : std::runtime_error(message), kind_(kind) {}

    Kind kind() const { return kind_; }
    bool badInput() const { return kind_ == Kind::BadInput; }

    static Error BadInput(const std::string& message) { return Error(message, Kind::BadInput); }

private:
    Kind kind_;
};

}  // namespace harmodex

#endif
