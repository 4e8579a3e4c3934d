// The batch's index page: every stream with its verdict and a link to its own page.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "batch/stream_summary.hpp"
#include "vorn/page_stamp.hpp"

namespace vorn::batch {

// HTML5 that is also well-formed XML, self-contained (inline CSS, no scripts). Links
// to the streams' pages are relative to `index_file`'s directory when they can be. Its
// provenance block gives the engine, the streams, `stamp`'s date and an identity over every
// stream's VORN.IN.
std::string index_page(const std::vector<StreamSummary>& rows,
                       const std::filesystem::path& index_file, const PageStamp& stamp);

// The href of `page` from a document in `from_dir`.
std::string page_link(const std::filesystem::path& page, const std::filesystem::path& from_dir);

}  // namespace vorn::batch
