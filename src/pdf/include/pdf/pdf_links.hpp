// Links in a printed PDF that point next to it: the browser writes each link's absolute URL;
// those to files near the PDF become relative, so the PDF and what it links to can be moved
// or mailed together.
#pragma once

#include <string>
#include <string_view>

namespace vorn::pdf {

// The file URL of an absolute path ("file:///a/b%20c"): bytes other than letters, digits,
// - . _ ~ and / percent-encoded.
std::string file_url(const std::string& absolute_path);

// `target` (a file URL) relative to the directory `base` (a file URL ending in '/'):
// "../x/report.pdf". Segments are compared as they are written.
std::string relative_url(std::string_view target, std::string_view base);

// The PDF with every link action to a file URL ("/URI (file:///...)") rewritten relative to
// the directory `base`, where the relative form is no longer than the absolute one; it is
// padded with blanks to the same length, so the PDF's byte offsets stay as they are. Other
// links are kept.
std::string relative_links(std::string pdf, std::string_view base);

}  // namespace vorn::pdf
