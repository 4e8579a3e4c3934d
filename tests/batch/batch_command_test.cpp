// vorn batch: many streams in one command, with their summary, run as the built program.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "export/page_checks.hpp"
#include "export/xml_tree.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

ProcessResult vorn_in(const fs::path& cwd, std::vector<std::string> args) {
  args.insert(args.begin(), VORN_CLI);
  return run_process(args, cwd);
}

void make_stream(const fs::path& dir, const std::string& input) {
  fs::create_directories(dir);
  write_text(dir / "VORN.IN", input);
}

std::string reference_input(const char* name) {
  return read_text(data_dir() / "reference" / name / "VORN.IN");
}

// The fields of a CSV row that has no quoted ones.
std::vector<std::string> fields_of(const std::string& row) {
  std::vector<std::string> fields;
  std::istringstream in(row + ",");
  for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
  return fields;
}

const std::string kStopInput = "7\nLF\n1e-5\n1\n0\n0\n20\n0\n";

TEST(BatchCommand, OneBrokenStreamLeavesTheOthersAsSingleRunsWouldBe) {
  ScratchDir batch, single;
  const std::vector<std::pair<std::string, std::string>> streams = {
      {"lf", reference_input("landfill")},
      {"broken", kStopInput},
      {"si", reference_input("impoundment")}};
  std::vector<std::string> args = {"batch", "--threads", "2", "--summary", "s.csv"};
  for (const auto& [name, input] : streams) {
    make_stream(batch / name, input);
    make_stream(single / name, input);
    args.push_back(name);
  }
  args.push_back("missing");
  const auto r = vorn_in(batch.path(), args);

  // The highest status: the stop's 2 over the missing input's 1.
  EXPECT_EQ(r.status, 2) << r.err;
  // A line per stream on standard output, the verdict first; a line more on standard error
  // for each stream that did not complete, which names its failure once.
  const auto out = lines_of(r.out);
  ASSERT_EQ(out.size(), 4u) << r.out;
  EXPECT_EQ(out[0].rfind("lf: exceeds limits: ", 0), 0u) << out[0];
  EXPECT_NE(out[0].find("(drinking-water limit)"), std::string::npos) << out[0];
  EXPECT_EQ(out[1], "broken: not assessed: stopped");
  EXPECT_EQ(out[3], "missing: not assessed: input missing");
  EXPECT_EQ(r.err,
            "vorn batch: broken: stopped: Stop, Error: Waste volume= 0.0\n"
            "vorn batch: broken: VORN.IN line 5, unit line 5, WU_WASTEVOL (the waste volume): "
            "must be above 0; found \"0\"\n"
            "vorn batch: missing: cannot open unit 1 (VORN.IN): "
            "missing/VORN.IN: No such file or directory\n");
  for (const auto& [name, input] : streams) {
    SCOPED_TRACE(name);
    EXPECT_EQ(vorn_in(single.path(), {name}).status, name == "broken" ? 2 : 0);
    for (const char* file : {"VORN.DBG", "VORN.OUT"}) {
      EXPECT_EQ(fs::exists(batch / name / file), fs::exists(single / name / file)) << file;
      if (fs::exists(single / name / file)) {
        EXPECT_EQ(read_text(batch / name / file), read_text(single / name / file)) << file;
      }
    }
  }
  EXPECT_FALSE(fs::exists(batch / "lf" / "report.html"));  // pages only with --html

  const std::string csv = read_text(batch / "s.csv");
  const auto rows = lines_of(csv);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(csv.substr(csv.size() - 2), "\r\n");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 5);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\r'), 5);
  EXPECT_EQ(rows[0],
            "label,path,status,exit_status,message,chemicals,exceeding,worst_name,worst_cas,"
            "worst_pathway,worst_ratio");
  EXPECT_EQ(rows[2], "broken,broken,stopped,2,\"Stop, Error: Waste volume= 0.0\",,,,,,");
  EXPECT_EQ(rows[4].rfind("missing,missing,input missing,1,vorn: cannot open unit 1", 0), 0u);

  // The landfill's worst is benzene's leachate against the drinking-water limit; the
  // ratio is the one the run's own export gives, to the last bit.
  const json lf = json::parse(vorn_in(single.path(), {"lf", "--json", "-"}).out);
  const json& benzene = lf["chemicals"][0];
  ASSERT_EQ(benzene["chemical"]["CHEMNAME"], "Benzene");
  std::size_t exceeding = 0;
  for (const json& c : lf["chemicals"])
    exceeding += c["report"]["GW_EXCEEDED"] == true || c["report"]["SF_EXCEEDED"] == true;
  const auto f = fields_of(rows[1]);
  ASSERT_EQ(f.size(), 11u) << rows[1];
  EXPECT_EQ(std::vector<std::string>(f.begin(), f.begin() + 6),
            (std::vector<std::string>{"lf", "lf", "completed", "0", "", "6"}));
  EXPECT_EQ(std::stoul(f[6]), exceeding);
  EXPECT_EQ(std::vector<std::string>(f.begin() + 7, f.begin() + 10),
            (std::vector<std::string>{"Benzene", "71-43-2", "MCL"}));
  EXPECT_EQ(std::stod(f[10]), benzene["chemical"]["TCLPCONC"].get<double>() /
                                  benzene["report"]["TCLPMAX"].get<double>());
  EXPECT_EQ(rows[3].rfind("si,si,completed,0,,", 0), 0u) << rows[3];
}

TEST(BatchCommand, ManifestWithLabelsAndRelativePaths) {
  ScratchDir cwd;
  make_stream(cwd / "streams" / "east", reference_input("landfill"));
  make_stream(cwd / "streams" / "west pond", reference_input("impoundment"));
  fs::create_directory(cwd / "lists");
  fs::create_directory(cwd / "out");
  // Quoted fields, a doubled quote, a line break inside quotes, CRLF; the second path
  // names the VORN.IN, its label has markup and a byte that is not UTF-8; the third has
  // no label; the fourth names a file that is not a VORN.IN, which is not run in its place.
  write_text(cwd / "streams" / "east" / "other.in", reference_input("landfill"));
  write_text(cwd / "lists" / "m.csv",
             "note,path,label\r\n"
             "x,../streams/east,\"East cell, \"\"A\"\"\"\r\n"
             "\"two\r\nlines\",../streams/west pond/VORN.IN,West \xDF<pond>\r\n"
             "y,../streams/none,\r\n"
             "z,../streams/east/other.in,\r\n");
  const auto r = vorn_in(cwd.path(), {"batch", "--manifest", "lists/m.csv", "--summary",
                                      "out/s.csv", "--json", "s.json", "--html", "out/i.html"});
  EXPECT_EQ(r.status, 1) << r.err;

  const auto rows = lines_of(read_text(cwd / "out" / "s.csv"));
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[1].rfind("\"East cell, \"\"A\"\"\",lists/../streams/east,completed,0,", 0), 0u);
  EXPECT_EQ(rows[2].rfind("West \xDF<pond>,lists/../streams/west pond,completed,0,", 0), 0u);
  EXPECT_EQ(rows[3].rfind("../streams/none,lists/../streams/none,input missing,1,", 0), 0u);
  EXPECT_NE(rows[4].find("input missing,1,vorn: cannot open unit 1 (VORN.IN): "
                         "lists/../streams/east/other.in/VORN.IN"),
            std::string::npos)
      << rows[4];
  const json summary = json::parse(read_text(cwd / "s.json"));
  ASSERT_EQ(summary.size(), 4u);
  EXPECT_EQ(summary[0]["label"], "East cell, \"A\"");
  EXPECT_EQ(summary[1]["label"], "West \xEF\xBF\xBD<pond>");
  EXPECT_EQ(summary[2]["worst_name"], nullptr);

  EXPECT_TRUE(fs::exists(cwd / "streams" / "west pond" / "VORN.OUT"));
  const std::string index = read_text(cwd / "out" / "i.html");
  EXPECT_NE(index.find("href=\"../streams/east/report.html\""), std::string::npos);
  EXPECT_NE(index.find("href=\"../streams/west%20pond/report.html\""), std::string::npos);
  EXPECT_EQ(index.find("<script"), std::string::npos);
  EXPECT_NE(index.find("East cell, &quot;A&quot;"), std::string::npos);
  // The summary files name the limit by its code (MCL), the page in words.
  EXPECT_NE(index.find("the allowable, drinking-water limit"), std::string::npos);
  EXPECT_TRUE(fs::exists(cwd / "streams" / "east" / "report.html"));

  // Each stream's page is the one a single run gives but for the name it goes by (the
  // manifest's label, in its provenance block and the running header of its style): the same
  // input's digest and run identity. The index is well-formed XML with the streams in the
  // order given, each verdict in words.
  ASSERT_EQ(vorn_in(cwd.path(), {"streams/east", "--html", "east.html"}).status, 0);
  const std::string in_batch = read_text(cwd / "streams" / "east" / "report.html");
  const std::string alone = read_text(cwd / "east.html");
  const auto without_name = [](std::string html) {
    const std::size_t style = html.find("<style>"),
                      provenance = html.find("<section id=\"provenance\"");
    html.erase(provenance, html.find("</section>", provenance) - provenance);
    return html.erase(style, html.find("</style>") - style);
  };
  EXPECT_EQ(without_name(in_batch), without_name(alone));
  auto batch_block = provenance_list(*parse_page(in_batch)),
       alone_block = provenance_list(*parse_page(alone));
  EXPECT_EQ(batch_block["Stream"], "East cell, \"A\"");
  EXPECT_EQ(alone_block["Stream"], "streams/east");
  batch_block.erase("Stream");
  alone_block.erase("Stream");
  EXPECT_EQ(batch_block, alone_block);
  const auto page = parse_xml(index);
  const auto rows_in_page = page->first("tbody")->elements("tr");
  ASSERT_EQ(rows_in_page.size(), 4u);
  EXPECT_NE(rows_in_page[0]->all_text().find("East cell"), std::string::npos);
  EXPECT_NE(rows_in_page[1]->all_text().find("West \xEF\xBF\xBD<pond>"), std::string::npos);
  EXPECT_NE(rows_in_page[1]->all_text().find("limits"), std::string::npos);
  EXPECT_NE(rows_in_page[2]->all_text().find("not assessed: input missing"), std::string::npos);
  // The worst ratio as people write it, to three significant digits of the summary's.
  const std::string east = rows_in_page[0]->all_text();
  const auto from = east.find("): "), to = east.find(" \xC3\x97 the allowable");
  ASSERT_NE(to, std::string::npos) << east;
  const std::string ratio = east.substr(from + 3, to - from - 3);
  const double worst = summary[0]["worst_ratio"].get<double>();
  EXPECT_NEAR(page_number(ratio), worst, worst * 5e-3) << ratio;
  EXPECT_EQ(ratio.find_first_of("eE"), std::string::npos) << ratio;
}

TEST(BatchCommand, BadManifestsAreRefusedWithFileLineAndWhat) {
  ScratchDir cwd;
  make_stream(cwd / "a", reference_input("landfill"));
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"path\r\na\r\n\"never closed\r\n", "m.csv:3: a quoted field that is never closed"},
      {"path\r\n\"two\r\nlines\",a\r\n", "m.csv:2: 2 fields, the header has 1"},
      {"path,label\r\na,x\r\n\r\nb\r\n", "m.csv:4: 1 fields, the header has 2"},
      {"path\r\n\"two\r\nlines\"\r\na\"b\r\n",
       "m.csv:4: a quote inside a field that does not start with one"},
      {"path\r\n\"a\"b\r\n", "m.csv:2: text after the closing quote of a field"},
      {"\r\nlabel\r\na\r\n", "m.csv:2: the header row has no column named path"},
      {"path\r\n\r\n", "m.csv: lists no streams"},
      {"path\r\na\rb\r\n", "m.csv:2: a carriage return without a line feed outside quotes"}};
  for (const auto& [text, message] : cases) {
    SCOPED_TRACE(text);
    write_text(cwd / "m.csv", text);
    const auto r = vorn_in(cwd.path(), {"batch", "--manifest", "m.csv"});
    EXPECT_EQ(r.status, 64);
    EXPECT_EQ(r.err, "vorn batch: manifest " + message + "\n");
  }
  EXPECT_FALSE(fs::exists(cwd / "a" / "VORN.DBG"));
}

TEST(BatchCommand, ADirectoryGivenTwiceIsAUsageErrorBeforeAnyRun) {
  ScratchDir cwd;
  make_stream(cwd / "a", reference_input("landfill"));
  make_stream(cwd / "b", reference_input("landfill"));
  write_text(cwd / "m.csv", "path\na\nb/../a/VORN.IN\n");
  fs::create_directory_symlink("a", cwd / "link");
  for (const auto& args : std::vector<std::vector<std::string>>{{"batch", "a", "b", "./a/"},
                                                                {"batch", "link", "b", "a"},
                                                                {"batch", "--manifest", "m.csv"}}) {
    const auto r = vorn_in(cwd.path(), args);
    EXPECT_EQ(r.status, 64);
    EXPECT_NE(r.err.find("are the same directory"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("usage: vorn batch"), std::string::npos);
    EXPECT_NE(r.err.find("see vorn batch --help"), std::string::npos);
  }
  EXPECT_FALSE(fs::exists(cwd / "a" / "VORN.DBG"));
  EXPECT_FALSE(fs::exists(cwd / "b" / "VORN.DBG"));

  // A directory named like the subcommand is an ordinary run as ./batch.
  make_stream(cwd / "batch", reference_input("landfill"));
  EXPECT_EQ(vorn_in(cwd.path(), {"./batch"}).status, 0);
  EXPECT_EQ(vorn_in(cwd.path(), {"--json", "x.json", "batch"}).status, 64);
  EXPECT_NE(vorn_in(cwd.path(), {"--help"}).out.find("vorn batch --help"), std::string::npos);
}

}  // namespace
}  // namespace vorn::test
