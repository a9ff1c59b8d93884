#pragma once

#include <string>
#include <string_view>

namespace tarvel {

class IHtmlPlatform;

// Readies a markup text for the tag parser: replaces the entities, drops
// carriage returns, and turns line feeds and tabs into <br> and <t> (or
// drops them when `breaksAsTags` is off). "&lt;" becomes "<<", the parser's
// escape for one literal "<".
//
// The entities for characters outside ASCII produce the character in the
// platform's text encoding when it has one; only where it has none is the
// byte of the Western code page used, so "&euro;" is 0x80 on a Western
// system, 0x88 on a Cyrillic one.
std::string PrepareHtmlMarkup(std::string_view text, bool breaksAsTags, IHtmlPlatform& platform);

}  // namespace tarvel
