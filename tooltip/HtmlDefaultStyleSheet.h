#pragma once

namespace tarvel {

// The drawer's sheet until another is set: the text of string resource 109.
inline constexpr const char kHtmlDefaultStyleSheet[] =
    "body {font-size: 10pt; color:black; font-family:Verdana}\n"
    "p {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}\n"
    "h1 {font-size: 14pt; color:black; font-family:Verdana; font-weight:bold}\n"
    "h2 {font-size: 13pt; color:#ff9900; font-family:Verdana; font-weight:bold}\n"
    "h3 {font-size: 12pt; color:#ff9900; font-family:Arial; font-weight:bold}\n"
    "h4 {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}\n"
    "h5 {font-size: 9pt; color:#ff9900; font-family:Verdana; font-weight:bold}\n"
    "h6 {font-size: 65%; color:#626262; font-family:Verdana; font-weight:normal}\n"
    "pre {font-size: 9pt; font-family:\"Courier\"; background-color:#fbedbb}\n"
    "code {color:#990000; font-family:Arial}\n"
    "a:link {text-decoration:none; color:blue}\n"
    "a:hover {text-decoration:underline; color:blue}\n"
    "sub {font-size:65%; vertical-align:bottom}\n"
    "sup {font-size:65%; vertical-align:top}\n"
    "big {font-size:125%}\n"
    "small {font-size:75%}\n"
    ".cpp-comment {color:green; font-style:italic}";

}  // namespace tarvel
