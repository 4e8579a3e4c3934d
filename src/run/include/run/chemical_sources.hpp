// The sources of a filled VORN.IN's values, as a run takes them from the sources.csv beside it.
#pragma once

#include <memory>
#include <vector>

#include "chemicals/run_sources.hpp"
#include "core/sink.hpp"
#include "run/run_files.hpp"
#include "vorn/records.hpp"

namespace vorn {

// `file` set against the chemicals as read, with its digest. A file that cannot be read or
// used gives the reason instead, and its warning on `err`.
std::shared_ptr<const chemicals::RunSources> read_chemical_sources(
    const SourcesFile& file, const std::vector<Chemical>& as_read, Sink& err);

}  // namespace vorn
