#pragma once

// Click scripts: what a user does in the main window, as text, one step a
// line, and the window model they act on. The replay tool, the fuzzer and the
// tests all read them here.
//
//   Text1<TAB>text    sets a field (Text2 likewise); text may use \\ \t \n \r \xHH
//   Command1          clicks a button: Command1, Command2, Command3 or Command5
//
// Empty lines and lines starting with # are no step.

#include "convert/conversions.h"

#include <string>

namespace tuvo::clicks {

struct Malformed
{
    std::string reason;
};

// The characters of UTF-8 bytes; Malformed if they are not UTF-8.
Text decodeUtf8(const std::string &bytes);
std::string encodeUtf8(TextView text);

// Takes one line's step on the window; true when it was a click. Malformed
// says why a line is no step.
bool run(TextView line, WindowModel &window, Form1State &state);

// The window after a click, as one line: Text1, Text2, Label1, Label2 and
// Label5, escaped as in a script, tab-separated.
Text describe(const WindowModel &window);

} // namespace tuvo::clicks
