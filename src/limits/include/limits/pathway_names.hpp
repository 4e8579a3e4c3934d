// The report's pathway numbers 1..5 of the limiting pathways, by name.
#pragma once

namespace vorn {

// As the report and the exports write them, 15 characters at most: "GWINGESTION", ... "MCL".
const char* gw_pathname(int k);
const char* sf_pathname(int k);
// In words, for people: "groundwater ingestion", ... "drinking-water limit".
const char* gw_pathway_words(int k);
const char* sf_pathway_words(int k);

}  // namespace vorn
