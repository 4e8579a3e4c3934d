// The program's --json and --csv options: where the documents go, what a run that did
// not complete leaves, and the exit statuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <nlohmann/json.hpp>

#include "support/test_support.hpp"
#include "vorn/results_csv.hpp"
#include "vorn/results_json.hpp"

namespace vorn::test {
namespace {

using nlohmann::json;

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string quoted(const std::string& s) {
  return "'" + s + "'";
}

// Runs `vorn ARGS` with `cwd` as the current directory.
CliRun run_cli(const ScratchDir& cwd, const std::string& args) {
  const std::string command = "cd " + quoted(cwd.path().string()) + " && " + quoted(VORN_CLI) +
                              " " + args + " >.stdout 2>.stderr";
  const int raw = std::system(command.c_str());
  CliRun r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.out = read_text(cwd / ".stdout");
  r.err = read_text(cwd / ".stderr");
  std::filesystem::remove(cwd / ".stdout");
  std::filesystem::remove(cwd / ".stderr");
  return r;
}

std::string reference_input(const char* name) {
  return read_text(data_dir() / "reference" / name / "VORN.IN");
}

// A working directory holding the run's directory "run" with `input` as its VORN.IN.
struct Workspace {
  ScratchDir cwd;
  explicit Workspace(const std::string& input) {
    std::filesystem::create_directory(cwd / "run");
    write_text(cwd / "run" / "VORN.IN", input);
  }
};

TEST(ExportOptions, BothFilesAreWrittenRelativeToTheCurrentDirectory) {
  Workspace ws(reference_input("impoundment"));
  const CliRun r = run_cli(ws.cwd, "run --json out.json --csv=out.csv");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, " NORMAL TERMINATION...\n");
  EXPECT_EQ(r.err, "");
  ASSERT_TRUE(std::filesystem::exists(ws.cwd / "out.json"));
  EXPECT_FALSE(std::filesystem::exists(ws.cwd / "run" / "out.json"));
  EXPECT_TRUE(std::filesystem::exists(ws.cwd / "run" / "VORN.OUT"));

  // The program writes what the C++ entry gives for the same input.
  const auto mem = run_text(reference_input("impoundment"));
  EXPECT_EQ(read_text(ws.cwd / "out.json"), results_json(mem.outcome));
  EXPECT_EQ(read_text(ws.cwd / "out.csv"), results_csv(*mem.outcome.results));
  EXPECT_EQ(json::parse(read_text(ws.cwd / "out.json"))["chemicals"].size(), 5u);
}

TEST(ExportOptions, StandardOutputHoldsTheDocumentAlone) {
  Workspace ws(reference_input("landfill"));
  CliRun r = run_cli(ws.cwd, "--json - run");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, results_json(run_text(reference_input("landfill")).outcome));
  EXPECT_EQ(r.err,
            " NORMAL TERMINATION...\nvorn: warning: chemical 6 \"Toluene\" (108-88-3) has no DAF "
            "rows: the run used the default landfill DAF 15.1\n");

  r = run_cli(ws.cwd, "run --csv - --json both.json");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("index,CHEMNAME,CHEMCAS,", 0), 0u);
  EXPECT_EQ(r.err,
            " NORMAL TERMINATION...\nvorn: warning: chemical 6 \"Toluene\" (108-88-3) has no DAF "
            "rows: the run used the default landfill DAF 15.1\n");
  EXPECT_TRUE(std::filesystem::exists(ws.cwd / "both.json"));
}

TEST(ExportOptions, BadOptionsAreUsageErrorsBeforeAnyRun) {
  Workspace ws(reference_input("landfill"));
  for (const char* args : {"run --json - --csv -", "run --json", "run --json=",
                           "run --csv a --csv b", "run --xml out.xml", "run other"}) {
    SCOPED_TRACE(args);
    const CliRun r = run_cli(ws.cwd, args);
    EXPECT_EQ(r.status, 64);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("usage: vorn [DIR] [--json FILE] [--csv FILE]"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(ws.cwd / "run" / "VORN.DBG"));

  const CliRun help = run_cli(ws.cwd, "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--json FILE"), std::string::npos);
  EXPECT_NE(help.out.find("--csv FILE"), std::string::npos);
}

TEST(ExportOptions, StoppedRunWritesItsStatusDocumentAndLeavesTheCsvAlone) {
  InputBuilder in;
  in.site = "1\nXX\n1.0E-5\n1.0\n10000\n0\n20\n0\n";
  Workspace ws(in.text());
  write_text(ws.cwd / "old.csv", "earlier table\r\n");
  CliRun r = run_cli(ws.cwd, "run --json s.json --csv old.csv");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("vorn: run stopped: Stop, Error: WMUTYPE=  XX"), std::string::npos);
  const json doc = json::parse(read_text(ws.cwd / "s.json"));
  EXPECT_EQ(doc["status"], "stopped");
  EXPECT_EQ(doc["message"], "Stop, Error: WMUTYPE=  XX");
  EXPECT_EQ(read_text(ws.cwd / "old.csv"), "earlier table\r\n");

  r = run_cli(ws.cwd, "run --csv new.csv");
  EXPECT_EQ(r.status, 2);
  EXPECT_FALSE(std::filesystem::exists(ws.cwd / "new.csv"));
}

TEST(ExportOptions, MissingInputAndFatalInputErrorKeepTheirStatus) {
  Workspace ws("x\nLF\n");
  CliRun r = run_cli(ws.cwd, "run --json - --csv c.csv");
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(json::parse(r.out)["status"], "fatal input error");
  EXPECT_FALSE(std::filesystem::exists(ws.cwd / "c.csv"));

  r = run_cli(ws.cwd, "nowhere --json -");
  EXPECT_EQ(r.status, 1);
  const json doc = json::parse(r.out);
  EXPECT_EQ(doc["status"], "input missing");
  EXPECT_EQ(doc["message"].get<std::string>().rfind("vorn: cannot open unit 1 (VORN.IN)", 0), 0u);
}

TEST(ExportOptions, AFileThatCannotBeWrittenIsAFatalErrorNamingIt) {
  Workspace ws(reference_input("landfill"));
  std::filesystem::create_directory(ws.cwd / "taken.json");
  CliRun r = run_cli(ws.cwd, "run --json taken.json --csv fine.csv");
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find("vorn: fatal error: cannot create taken.json:"), std::string::npos) << r.err;
  // The run itself completed, and the other export is written.
  EXPECT_EQ(r.out, " NORMAL TERMINATION...\n");
  EXPECT_TRUE(std::filesystem::exists(ws.cwd / "run" / "VORN.OUT"));
  EXPECT_TRUE(std::filesystem::exists(ws.cwd / "fine.csv"));

  r = run_cli(ws.cwd, "run --csv no/such/dir/t.csv");
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find("no/such/dir/t.csv"), std::string::npos);

  // A stopped run whose document cannot be written.
  Workspace stopped("1\nXX\n");
  std::filesystem::create_directory(stopped.cwd / "taken.json");
  r = run_cli(stopped.cwd, "run --json taken.json");
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find("taken.json"), std::string::npos);
}

}  // namespace
}  // namespace vorn::test
