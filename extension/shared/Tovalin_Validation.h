#pragma once
// Validation of typed input.

#include <string>

// Strips the leading zeros of a typed number: "007" gives "7", "000" and "0" give "",
// "0.5" gives ".5"; a text that does not start with "0" comes back unchanged. The
// caller's text is changed the same way.
std::string strValidLeadingZero(std::string& text);
