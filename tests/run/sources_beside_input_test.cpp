// A filled stream's sources.csv beside its VORN.IN: the run reads it, the JSON carries every
// value's source and the page shows them, while VORN.OUT, VORN.DBG and the CSV are those of
// the same VORN.IN alone. A value changed by hand after the fill loses its source; a file
// that cannot be used is a warning that leaves the documents as they are without it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <nlohmann/json.hpp>

#include "chemicals/daf_sheet.hpp"
#include "chemicals/fill_files.hpp"
#include "chemicals/library_snapshot.hpp"
#include "chemicals/run_sources.hpp"
#include "chemicals/stream_fill.hpp"
#include "chemicals/stream_sheet.hpp"
#include "core/text.hpp"
#include "export/page_checks.hpp"
#include "input/input_records.hpp"
#include "input/input_writer.hpp"
#include "numerics/sha256.hpp"
#include "support/test_support.hpp"
#include "vorn/results_csv.hpp"
#include "vorn/results_html.hpp"
#include "vorn/results_json.hpp"
#include "vorn/version.hpp"

namespace vorn::test {
namespace {

using Json = nlohmann::ordered_json;

// The landfill example's stream filled from the compiled snapshot, both files in `dir`.
chemicals::FillResult fill_landfill(const std::filesystem::path& dir) {
  const auto sheet = chemicals::read_stream_sheet(
      read_text(data_dir() / "chemicals" / "landfill_stream.csv"), "landfill_stream.csv");
  const auto daf = chemicals::read_daf_sheet(
      read_text(data_dir() / "chemicals" / "landfill_daf.csv"), "landfill_daf.csv");
  const chemicals::LibraryStack stack({&chemicals::snapshot_library()});
  chemicals::FillResult fill = chemicals::fill_stream(sheet, daf, "landfill_daf.csv", stack);
  chemicals::write_fill(dir, fill, false);
  return fill;
}

struct Documents {
  Outcome outcome;
  std::string out, dbg, json, csv, html;
};

Documents run_documents(const std::filesystem::path& dir) {
  Documents d;
  d.outcome = run(dir);
  d.out = read_text(dir / "VORN.OUT");
  d.dbg = read_text(dir / "VORN.DBG");
  d.json = results_json(d.outcome);
  if (d.outcome.results) d.csv = results_csv(*d.outcome.results);
  const PageStamp stamp{"2023-11-14", "stream", numerics::sha256_hex(read_text(dir / "VORN.IN"))};
  d.html = html_page(d.outcome, stamp);
  return d;
}

// The same VORN.IN run alone, in a directory of its own.
Documents run_without_sources(const std::filesystem::path& dir) {
  ScratchDir alone;
  std::filesystem::copy_file(dir / "VORN.IN", alone / "VORN.IN");
  return run_documents(alone.path());
}

const XmlNode* section(const XmlNode& page, const std::string& id) {
  for (const XmlNode* s : page.elements("section"))
    if (s->attr("id") && *s->attr("id") == id) return s;
  return nullptr;
}

// The identity of a run from its inputs' digests, as anyone can check it.
std::string identity(const std::string& input_sha, const std::string& sources_line) {
  return numerics::sha256_hex(std::string("vorn ") + kVersion + "\nVORN.IN " + input_sha + "\n" +
                              sources_line)
      .substr(0, 12);
}

TEST(SourcesBesideInput, EveryValueOfTheFillComesIntoTheJsonAndThePage) {
  ScratchDir dir;
  const chemicals::FillResult fill = fill_landfill(dir.path());
  const Documents with = run_documents(dir.path());
  const Documents alone = run_without_sources(dir.path());
  ASSERT_EQ(with.outcome.status, Status::completed);
  ASSERT_TRUE(with.outcome.sources && with.outcome.sources->usable());
  EXPECT_EQ(with.outcome.stderr_text, "");

  // What the run writes for itself, and the CSV, are those of the VORN.IN alone.
  EXPECT_EQ(with.out, alone.out);
  EXPECT_EQ(with.dbg, alone.dbg);
  EXPECT_EQ(with.csv, alone.csv);

  // The JSON is the VORN.IN's with a "sources" list per chemical: sources.csv's rows of that
  // chemical, in order, each value the one the fill wrote.
  Json doc = Json::parse(with.json);
  const Json plain = Json::parse(alone.json);
  ASSERT_EQ(doc["chemicals"].size(), fill.chemicals.size());
  std::size_t row = 0;
  for (Json& chemical : doc["chemicals"]) {
    const auto index = chemical["index"].get<std::size_t>();
    for (const Json& value : chemical["sources"]) {
      ASSERT_LT(row, fill.sources.size());
      const chemicals::ValueSource& s = fill.sources[row++];
      SCOPED_TRACE(s.CHEMCAS + " " + s.field);
      EXPECT_EQ(s.index, index);
      EXPECT_EQ(value["field"], s.field);
      EXPECT_EQ(value["value"], s.value);
      EXPECT_EQ(value["filled_value"], s.value);
      EXPECT_EQ(value["origin"], s.origin);
      EXPECT_EQ(value["table"], s.table);
      EXPECT_EQ(value["date"], s.date);
      EXPECT_EQ(value["source"], s.source);
      EXPECT_EQ(value["note"], s.note);
      EXPECT_EQ(value["action"], s.action);
    }
    chemical.erase("sources");
  }
  EXPECT_EQ(row, fill.sources.size());
  EXPECT_EQ(doc, plain);
  EXPECT_EQ(doc["version"], 2);

  // The page: the user's values with the note of their row, one line per chemical; every
  // value to supply with its pathways; every value's source; sources.csv in the identity.
  const auto page = parse_page(with.html);
  const XmlNode* differing = section(*page, "differing");
  ASSERT_NE(differing, nullptr);
  const auto user_rows = differing->elements("tr", "user");
  EXPECT_EQ(user_rows.size(), fill.chemicals.size());
  for (const XmlNode* tr : user_rows)
    EXPECT_NE(tr->all_text().find("the landfill example's site values"), std::string::npos);
  std::size_t to_supply = 0;
  for (const chemicals::ValueSource& s : fill.sources) to_supply += s.action == "supply";
  ASSERT_GT(to_supply, 0u);
  const XmlNode* supply = section(*page, "to-supply");
  ASSERT_NE(supply, nullptr);
  EXPECT_EQ(supply->first("tbody")->elements("tr").size(), to_supply);
  EXPECT_NE(supply->all_text().find("indoor inhalation GWINH"), std::string::npos);
  const XmlNode* sources = section(*page, "sources");
  ASSERT_NE(sources, nullptr);
  EXPECT_EQ(sources->elements("details", "sources").size(), fill.chemicals.size());
  std::size_t user_values = 0;
  for (const chemicals::ValueSource& s : fill.sources) user_values += s.origin == "user";
  EXPECT_EQ(sources->elements("tr", "user").size(), user_values);
  // Without the file the page has none of it.
  EXPECT_EQ(section(*parse_page(alone.html), "differing"), nullptr);

  const auto facts = provenance_list(*page);
  const std::string input_sha = numerics::sha256_hex(read_text(dir / "VORN.IN"));
  const std::string sources_sha = numerics::sha256_hex(read_text(dir / "sources.csv"));
  EXPECT_EQ(facts.at("sources.csv (SHA-256)"), sources_sha);
  EXPECT_NE(facts.at("Chemical data").find("RSL summary table (May 2017)"), std::string::npos);
  EXPECT_EQ(facts.at("Run identity"), identity(input_sha, "sources.csv " + sources_sha + "\n"));
  EXPECT_EQ(provenance_list(*parse_page(alone.html)).at("Run identity"), identity(input_sha, ""));
}

TEST(SourcesBesideInput, AValueChangedByHandAfterTheFillLosesItsSource) {
  ScratchDir dir;
  fill_landfill(dir.path());
  // Benzene's oral slope factor edited in VORN.IN, and the chemicals' order reversed: the
  // sources follow each chemical by its CAS number, so only the edit is marked.
  InputRecords records = read_input_records(read_text(dir / "VORN.IN"));
  ASSERT_EQ(records.chemicals.front().CHEMCAS.substr(0, 8), "71-43-2 ");
  records.chemicals.front().CSFO = 0.06;
  std::reverse(records.chemicals.begin(), records.chemicals.end());
  write_text(dir / "VORN.IN", write_input_text(records.unit, records.chemicals, *records.daf));

  const Documents d = run_documents(dir.path());
  ASSERT_EQ(d.outcome.status, Status::completed);
  std::vector<std::string> changed;
  const Json edited = Json::parse(d.json);
  for (const Json& chemical : edited["chemicals"])
    for (const Json& value : chemical["sources"])
      if (value["origin"] == chemicals::kChangedAfterFill) {
        changed.push_back(chemical["chemical"]["CHEMCAS"].get<std::string>() + " " +
                          value["field"].get<std::string>());
        EXPECT_EQ(value["value"], "0.06");
        EXPECT_EQ(value["filled_value"], "0.055");
        EXPECT_EQ(value["table"], "");
      }
  EXPECT_EQ(changed, std::vector<std::string>{"71-43-2 CSFO"});
  const auto page = parse_page(d.html);
  const XmlNode* differing = section(*page, "differing");
  ASSERT_NE(differing, nullptr);
  const auto marked = differing->elements("tr", "changed");
  ASSERT_EQ(marked.size(), 1u);
  EXPECT_NE(marked[0]->all_text().find("CSFO 0.06 (mg/kg-day)-1 (filled as 0.055)"),
            std::string::npos);
  EXPECT_NE(d.html.find("changed after the fill: 1"), std::string::npos);

  // A chemical the fill did not write: no value of it has a source.
  records.chemicals.front().CHEMCAS = "7782-49-2";
  write_text(dir / "VORN.IN", write_input_text(records.unit, records.chemicals, *records.daf));
  const Json doc = Json::parse(results_json(run(dir.path())));
  const Json& added = doc["chemicals"][0]["sources"];
  EXPECT_EQ(added.size(), 31u);
  for (const Json& value : added) {
    EXPECT_EQ(value["origin"], chemicals::kChangedAfterFill);
    EXPECT_EQ(value["filled_value"], "");
  }
  EXPECT_EQ(added[0]["value"], trim_blanks(records.chemicals.front().CHEMNAME));
}

TEST(SourcesBesideInput, AFileThatCannotBeUsedIsAWarningAndLeavesTheDocumentsAsWithout) {
  const struct {
    const char* what;
    std::function<void(const std::filesystem::path&)> spoil;
    const char* reason;
  } cases[] = {
      {"another header",
       [](const std::filesystem::path& f) { write_text(f, "index,CAS\r\n1,71-43-2\r\n"); },
       "sources.csv:1: not a sources file"},
      {"a value that is no number",
       [](const std::filesystem::path& f) {
         std::string text = read_text(f);
         const std::string at = ",CSFO,0.055,";
         text.replace(text.find(at), at.size(), ",CSFO,lots,");
         write_text(f, text);
       },
       "CSFO \"lots\" is not a number"},
      {"a directory in its place",
       [](const std::filesystem::path& f) {
         std::filesystem::remove(f);
         std::filesystem::create_directory(f);
       },
       "sources.csv: "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    fill_landfill(dir.path());
    c.spoil(dir / "sources.csv");
    const Documents d = run_documents(dir.path());
    const Documents alone = run_without_sources(dir.path());
    EXPECT_EQ(d.outcome.status, Status::completed);
    ASSERT_TRUE(d.outcome.sources);
    EXPECT_NE(d.outcome.sources->problem.find(c.reason), std::string::npos)
        << d.outcome.sources->problem;
    EXPECT_EQ(d.outcome.stderr_text,
              "vorn: warning: " + chemicals::sources_warning(*d.outcome.sources) + "\n");
    EXPECT_EQ(d.json, alone.json);
    EXPECT_EQ(d.csv, alone.csv);
    EXPECT_EQ(d.out, alone.out);
    const auto page = parse_page(d.html);
    EXPECT_EQ(section(*page, "differing"), nullptr);
    EXPECT_EQ(section(*page, "sources"), nullptr);
    EXPECT_EQ(provenance_list(*page).at("Chemical data").rfind("sources.csv not used: ", 0), 0u);
  }

  // The program says so on standard error and keeps the run's status.
  ScratchDir dir;
  fill_landfill(dir.path());
  write_text(dir / "sources.csv", "not,a,sources,file\n");
  const ProcessResult r = run_process({VORN_CLI, dir.path().string()}, dir.path());
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("vorn: warning: " + (dir / "sources.csv").string() + ":1: not a sources"),
            std::string::npos)
      << r.err;
}

TEST(SourcesBesideInput, ABatchTakesEachStreamsSourcesAsARunDoes) {
  ScratchDir dir;
  fill_landfill(dir / "site");
  const ProcessResult r = run_process(
      {VORN_CLI, "batch", "site", "--html", "index.html", "--threads", "1"}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  const Outcome outcome = run(dir / "site");
  const PageStamp stamp{"2023-11-14", "site",
                        numerics::sha256_hex(read_text(dir / "site" / "VORN.IN"))};
  EXPECT_EQ(read_text(dir / "site" / "report.html"), html_page(outcome, stamp));
  const std::string input_sha = *stamp.input_sha256;
  const std::string sources_sha = numerics::sha256_hex(read_text(dir / "site" / "sources.csv"));
  // The index (which links to the streams' pages) takes the sources into its identity too.
  const std::string index_identity = "<dt>Run identity</dt><dd><span class=\"code\">" +
                                     identity(input_sha, "sources.csv " + sources_sha + "\n");
  EXPECT_NE(read_text(dir / "index.html").find(index_identity), std::string::npos);
}

}  // namespace
}  // namespace vorn::test
