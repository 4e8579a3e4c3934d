// Dll1.dll, the Windows build of the library, checked from Linux: its export and import tables
// with objdump, and its behaviour through tests/windows/host.c run under Wine. The files of a
// Windows run are compared with the files this build writes for the same VORN.IN: the report
// byte for byte except for CRLF line ends, the log line by line with numbers within 4 units in
// the last place (the Windows C runtime's exp, log and pow may differ from glibc's in the last
// bit).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <sstream>
#include <vector>

#include "support/test_support.hpp"

namespace vorn::test {
namespace {

namespace fs = std::filesystem;

const fs::path kWindowsBuild = VORN_WINDOWS_BUILD_DIR;
const std::string kWine = VORN_WINE;
const std::string kObjdump = VORN_MINGW_OBJDUMP;

std::string quoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Why the tests cannot run, or "" when they can.
std::string windows_build_missing() {
  for (const char* file : {"Dll1.dll", "host.exe"})
    if (!fs::exists(kWindowsBuild / file))
      return "no " + (kWindowsBuild / file).string() +
             ": build it with cmake --preset windows && cmake --build --preset windows";
  return "";
}
std::string wine_missing() {
  if (kWine.empty() || !fs::exists(kWine))
    return "Wine not found: install wine and wine64 (scripts/install-deps windows) and configure "
           "again";
  return "";
}
std::string objdump_missing() {
  if (kObjdump.empty() || !fs::exists(kObjdump))
    return "x86_64-w64-mingw32-objdump not found: install g++-mingw-w64-x86-64-posix "
           "(scripts/install-deps windows) and configure again";
  return "";
}

struct Finished {
  int status = -1;  // exit status, -1 when killed by a signal
  std::string out;
  std::string err;
};

// Runs a command with standard output and error captured outside `dir`.
Finished run_command(const fs::path& dir, const std::string& command) {
  ScratchDir capture;
  const std::string line = "cd " + quoted(dir.string()) + " && " + command + " >" +
                           quoted((capture / "out").string()) + " 2>" +
                           quoted((capture / "err").string());
  const int rc = std::system(line.c_str());
  Finished f;
  f.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  f.out = read_text(capture / "out");
  f.err = read_text(capture / "err");
  return f;
}

// The host program under Wine, in `dir`, with the given commands.
Finished run_host(const fs::path& dir, const std::vector<std::string>& commands) {
  std::string command =
      "WINEDEBUG=-all " + quoted(kWine) + " " + quoted((kWindowsBuild / "host.exe").string());
  for (const auto& c : commands) command += " " + quoted(c);
  return run_command(dir, command);
}

std::string objdump_p(const fs::path& file) {
  const Finished f =
      run_command(fs::current_path(), quoted(kObjdump) + " -p " + quoted(file.string()));
  EXPECT_EQ(f.status, 0) << f.err;
  return f.out;
}

std::vector<std::string> text_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string last_word(const std::string& line) {
  return line.substr(line.find_last_of(" \t") + 1);
}

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// LF line ends as CRLF.
std::string crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// The distance of two doubles of the same sign in units in the last place.
bool within_ulps(double a, double b, std::uint64_t ulps) {
  if (a == b) return true;
  if (std::isnan(a) || std::isnan(b) || std::signbit(a) != std::signbit(b)) return false;
  std::uint64_t ia = 0, ib = 0;
  std::memcpy(&ia, &a, sizeof a);
  std::memcpy(&ib, &b, sizeof b);
  return (ia > ib ? ia - ib : ib - ia) <= ulps;
}

bool parse_number(const std::string& token, double& value) {
  const char* end = token.data() + token.size();
  const auto [ptr, ec] = std::from_chars(token.data(), end, value);
  return ec == std::errc() && ptr == end;
}

// Two log lines agree when their blank-separated fields are equal, or are numbers within 4 ulps.
bool log_lines_agree(const std::string& windows, const std::string& linux_line) {
  if (windows == linux_line) return true;
  std::vector<std::string> w, l;
  std::string field;
  std::istringstream ws(windows), ls(linux_line);
  while (std::getline(ws, field, ' ')) w.push_back(field);
  while (std::getline(ls, field, ' ')) l.push_back(field);
  if (w.size() != l.size()) return false;
  for (std::size_t k = 0; k < w.size(); ++k) {
    double a = 0, b = 0;
    if (w[k] != l[k] && !(parse_number(w[k], a) && parse_number(l[k], b) && within_ulps(a, b, 4)))
      return false;
  }
  return true;
}

void expect_crlf_twin(const std::string& windows, const std::string& linux_text,
                      const std::string& what) {
  EXPECT_NE(linux_text.find('\n'), std::string::npos) << what << " is empty";
  EXPECT_EQ(windows, crlf(linux_text)) << what;
}

void expect_same_log(const std::string& windows, const std::string& linux_text) {
  const auto lf = static_cast<std::size_t>(std::count(windows.begin(), windows.end(), '\n'));
  std::size_t crlf_ends = 0;
  for (std::size_t p = windows.find("\r\n"); p != std::string::npos;
       p = windows.find("\r\n", p + 2))
    ++crlf_ends;
  EXPECT_EQ(crlf_ends, lf) << "every line of the Windows VORN.DBG ends in CRLF";
  const std::vector<std::string> w = lines_of(windows), l = lines_of(linux_text);
  ASSERT_EQ(w.size(), l.size());
  ASSERT_FALSE(w.empty());
  for (std::size_t k = 0; k < w.size(); ++k)
    EXPECT_TRUE(log_lines_agree(w[k], l[k]))
        << "line " << k + 1 << "\n  Windows: " << w[k] << "\n  Linux:   " << l[k];
}

std::vector<std::string> files_in(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// This build's run on the same input.
struct LinuxRun {
  ScratchDir dir;
  Outcome outcome;
  explicit LinuxRun(const std::string& input) {
    write_text(dir / "VORN.IN", input);
    outcome = run(dir.path());
  }
  std::string file(const char* name) const { return read_text(dir / name); }
};

std::string reference_input(const char* name) {
  return read_text(data_dir() / "reference" / name / "VORN.IN");
}

const std::string kClosingLine = " NORMAL TERMINATION...\r\n";

TEST(LogComparison, NumbersWithinFourUlpsAgreeAndNothingElseDoes) {
  const double x = 0.008333333333333333;
  double four_up = x;
  for (int k = 0; k < 4; ++k) four_up = std::nextafter(four_up, 1.0);
  const double five_up = std::nextafter(four_up, 1.0);
  char a[64], b[64];
  std::snprintf(a, sizeof a, " ORDI= %.17g", four_up);
  std::snprintf(b, sizeof b, " ORDI= %.17g", five_up);
  EXPECT_TRUE(log_lines_agree(a, " ORDI= 0.008333333333333333"));
  EXPECT_FALSE(log_lines_agree(b, " ORDI= 0.008333333333333333"));
  EXPECT_FALSE(log_lines_agree(" ORDI=  0.1", " ORDI= 0.1"));
  EXPECT_FALSE(log_lines_agree(" ORDO= 0.1", " ORDI= 0.1"));
  EXPECT_FALSE(log_lines_agree(" X= -0.0", " X= 1e-320"));
  EXPECT_TRUE(log_lines_agree(" X= 0.0", " X= -0.0"));
}

class Dll1Tables : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const std::string& why : {windows_build_missing(), objdump_missing()})
      if (!why.empty()) GTEST_SKIP() << why;
    dump_ = objdump_p(kWindowsBuild / "Dll1.dll");
  }
  std::string dump_;
};

TEST_F(Dll1Tables, ModuleNameIsDll1AndExactlyTheFourFunctionsAreExported) {
  const auto lines = text_lines(dump_);
  const auto start = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
    return l.rfind("The Export Tables", 0) == 0;
  });
  ASSERT_NE(start, lines.end()) << dump_;
  std::string module;
  std::string address_count;
  std::vector<std::string> names;
  for (auto it = start; it != lines.end(); ++it) {
    if (it->rfind("Name ", 0) == 0 && module.empty()) module = last_word(*it);
    if (it->find("Export Address Table ") != std::string::npos && address_count.empty())
      address_count = last_word(*it);
    if (*it == "[Ordinal/Name Pointer] Table") {
      for (++it; it != lines.end() && !it->empty(); ++it)
        names.push_back(it->substr(it->find(']') + 2));
      break;
    }
  }
  EXPECT_EQ(module, "Dll1.dll");
  EXPECT_EQ(address_count, "00000004");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names,
            (std::vector<std::string>{"callarytest", "ierr_runvorn", "int_multiply", "runvorn"}));
}

TEST_F(Dll1Tables, OnlySystemLibrariesAreImported) {
  const std::set<std::string> system = {"kernel32.dll", "msvcrt.dll", "ucrtbase.dll",
                                        "ntdll.dll",    "user32.dll", "advapi32.dll"};
  std::vector<std::string> imported;
  for (const std::string& line : text_lines(dump_)) {
    const auto p = line.find("DLL Name: ");
    if (p != std::string::npos) imported.push_back(lower(line.substr(p + 10)));
  }
  ASSERT_FALSE(imported.empty()) << dump_;
  EXPECT_NE(std::find(imported.begin(), imported.end(), "kernel32.dll"), imported.end());
  for (const std::string& dll : imported)
    EXPECT_TRUE(system.count(dll) == 1 || dll.rfind("api-ms-win-crt-", 0) == 0)
        << dll << " is not a system library";
}

class Dll1UnderWine : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const std::string& why : {windows_build_missing(), wine_missing()})
      if (!why.empty()) GTEST_SKIP() << why;
  }
  ScratchDir dir_;
};

TEST_F(Dll1UnderWine, IntMultiplyTakesPointersAndWrapsIn32Bits) {
  const Finished f = run_host(
      dir_.path(), {"multiply", "65536", "65536", "multiply", "-3", "7", "multiply", "2147483647",
                    "2", "multiply", "46341", "46341", "multiply", "-2147483648", "-1"});
  EXPECT_EQ(f.status, 0) << f.err;
  EXPECT_EQ(f.out,
            "host: int_multiply returned 0\r\n"
            "host: int_multiply returned -21\r\n"
            "host: int_multiply returned -2\r\n"
            "host: int_multiply returned -2147479015\r\n"
            "host: int_multiply returned -2147483648\r\n");
  EXPECT_EQ(f.err, "");
}

TEST_F(Dll1UnderWine, CallarytestWritesNineTimesNThenTotalAndTheFirstNValues) {
  const Finished f =
      run_host(dir_.path(), {"callarytest", "3", "1,2,3", "callarytest", "0", "-", "callarytest",
                             "-2", "-", "callarytest", "2", "0.1,-2.5e-300,7"});
  EXPECT_EQ(f.status, 0) << f.err;
  EXPECT_EQ(f.out,
            " 27\r\n total 1.0 2.0 3.0\r\nhost: callarytest returned\r\n"
            " 0\r\n total\r\nhost: callarytest returned\r\n"
            " -18\r\n total\r\nhost: callarytest returned\r\n"
            " 18\r\n total 0.1 -2.5e-300\r\nhost: callarytest returned\r\n");
  EXPECT_EQ(files_in(dir_.path()), std::vector<std::string>{});
}

TEST_F(Dll1UnderWine, IerrRunvornWithoutInputReturnsOneWithItsMessageAndWritesNoFile) {
  const std::string message = " VORN.IN CANNOT BE OPENED" + std::string(76, ' ') + "\r\n";
  ASSERT_EQ(message.size(), 103u);
  const Finished empty = run_host(dir_.path(), {"ierr_runvorn"});
  EXPECT_EQ(empty.status, 0) << empty.err;
  EXPECT_EQ(empty.out, message + "host: ierr_runvorn returned 1\r\n");
  EXPECT_EQ(files_in(dir_.path()), std::vector<std::string>{});

  // Files of an earlier run stay as they were.
  write_text(dir_ / "VORN.DBG", "old log\n");
  write_text(dir_ / "VORN.OUT", "old report\n");
  const Finished old = run_host(dir_.path(), {"ierr_runvorn", "ierr_runvorn"});
  EXPECT_EQ(old.status, 0) << old.err;
  EXPECT_EQ(old.out, message + "host: ierr_runvorn returned 1\r\n" + message +
                         "host: ierr_runvorn returned 1\r\n");
  EXPECT_EQ(read_text(dir_ / "VORN.DBG"), "old log\n");
  EXPECT_EQ(read_text(dir_ / "VORN.OUT"), "old report\n");
  EXPECT_EQ(files_in(dir_.path()), (std::vector<std::string>{"VORN.DBG", "VORN.OUT"}));
}

TEST_F(Dll1UnderWine, RunvornWithoutInputEndsTheHostWithStatusOne) {
  const Finished f = run_host(dir_.path(), {"runvorn", "multiply", "2", "3"});
  EXPECT_EQ(f.status, 1);
  EXPECT_EQ(f.out, "");
  EXPECT_NE(f.err.find("VORN.IN"), std::string::npos) << f.err;
  EXPECT_EQ(files_in(dir_.path()), std::vector<std::string>{});
}

// The inputs shipped with the sources: the two reference runs and the two examples.
fs::path shipped_input(const std::string& name) {
  const std::string example = "example_";
  if (name.rfind(example, 0) == 0)
    return fs::path(VORN_EXAMPLES_DIR) / name.substr(example.size()) / "VORN.IN";
  return data_dir() / "reference" / name / "VORN.IN";
}

class ShippedInput : public Dll1UnderWine, public ::testing::WithParamInterface<std::string> {};

TEST_P(ShippedInput, GivesTheLinuxReportWithCrlfEndsTheLinuxLogAndOneClosingLine) {
  const fs::path input = shipped_input(GetParam());
  const LinuxRun linux_run(read_text(input));
  ASSERT_EQ(linux_run.outcome.status, Status::completed);
  fs::copy_file(input, dir_ / "VORN.IN");
  const Finished f = run_host(dir_.path(), {"ierr_runvorn"});
  EXPECT_EQ(f.status, 0) << f.err;
  EXPECT_EQ(f.out, kClosingLine + "host: ierr_runvorn returned 0\r\n");
  EXPECT_EQ(f.err, "");
  const std::string report = read_text(dir_ / "VORN.OUT");
  const std::string log = read_text(dir_ / "VORN.DBG");
  expect_crlf_twin(report, linux_run.file("VORN.OUT"), "VORN.OUT");
  expect_same_log(log, linux_run.file("VORN.DBG"));
  // The superscript labels keep their single bytes.
  EXPECT_NE(log.find("atm-m\xB3/mol-K"), std::string::npos);
  EXPECT_NE(log.find("cm\xB2/sec"), std::string::npos);
  EXPECT_EQ(files_in(dir_.path()), (std::vector<std::string>{"VORN.DBG", "VORN.IN", "VORN.OUT"}));
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedInput,
                         ::testing::Values("landfill", "impoundment", "example_landfill",
                                           "example_impoundment"),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           return info.param;
                         });

TEST_F(Dll1UnderWine, InputWithCrlfEndsReadsAsWithLfEnds) {
  const std::string input = reference_input("landfill");
  const LinuxRun linux_run(input);
  write_text(dir_ / "VORN.IN", crlf(input));
  const Finished f = run_host(dir_.path(), {"runvorn"});
  EXPECT_EQ(f.status, 0) << f.err;
  EXPECT_EQ(f.out, kClosingLine + "host: runvorn returned\r\n");
  expect_crlf_twin(read_text(dir_ / "VORN.OUT"), linux_run.file("VORN.OUT"), "VORN.OUT");
  expect_same_log(read_text(dir_ / "VORN.DBG"), linux_run.file("VORN.DBG"));
}

TEST_F(Dll1UnderWine, StopEndsTheHostWithStatusTwoAndLeavesTheLog) {
  // 501 DAF rows: the run stops after echoing every chemical and 500 rows.
  std::string input = reference_input("landfill");
  for (int k = 0; k < 500; ++k) input += "71-43-2 1 10 10 1 2 2\n";
  const LinuxRun linux_run(input);
  ASSERT_EQ(linux_run.outcome.status, Status::stopped);
  write_text(dir_ / "VORN.IN", input);
  const Finished f = run_host(dir_.path(), {"ierr_runvorn", "multiply", "2", "3"});
  EXPECT_EQ(f.status, 2);
  EXPECT_EQ(f.out, "") << "the call returns nothing and prints no closing line";
  const std::string log = read_text(dir_ / "VORN.DBG");
  expect_same_log(log, linux_run.file("VORN.DBG"));
  EXPECT_GT(lines_of(log).size(), 500u);
  EXPECT_EQ(lines_of(log).back(), " Stop, Error: DAF table has more than 500 rows");
  EXPECT_EQ(files_in(dir_.path()), (std::vector<std::string>{"VORN.DBG", "VORN.IN"}));
}

TEST_F(Dll1UnderWine, FatalInputErrorEndsTheHostWithStatusThreeAndOneMessage) {
  std::string input = reference_input("landfill");
  input.replace(input.find("1.0E-5"), 6, "1.0X-5");
  const LinuxRun linux_run(input);
  ASSERT_EQ(linux_run.outcome.status, Status::fatal_input_error);
  write_text(dir_ / "VORN.IN", input);
  const Finished f = run_host(dir_.path(), {"runvorn"});
  EXPECT_EQ(f.status, 3);
  EXPECT_EQ(f.out, "");
  EXPECT_EQ(f.err, crlf(linux_run.outcome.stderr_text));
  expect_same_log(read_text(dir_ / "VORN.DBG"), linux_run.file("VORN.DBG"));
  EXPECT_FALSE(fs::exists(dir_ / "VORN.OUT"));
}

TEST_F(Dll1UnderWine, SuccessiveCallsInOneProcessStartAfreshAndRepeatExactly) {
  const std::string landfill = reference_input("landfill");
  const std::string impoundment = reference_input("impoundment");
  write_text(dir_ / "landfill.in", landfill);
  write_text(dir_ / "impoundment.in", impoundment);
  const Finished f = run_host(
      dir_.path(), {"input", "impoundment.in", "ierr_runvorn", "keep", "si", "input", "landfill.in",
                    "ierr_runvorn", "keep", "lf1", "runvorn", "keep", "lf2"});
  EXPECT_EQ(f.status, 0) << f.err;
  EXPECT_EQ(f.out, kClosingLine + "host: ierr_runvorn returned 0\r\n" + kClosingLine +
                       "host: ierr_runvorn returned 0\r\n" + kClosingLine +
                       "host: runvorn returned\r\n");
  for (const char* name : {"VORN.OUT", "VORN.DBG"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(read_text(dir_ / (std::string(name) + ".lf1")),
              read_text(dir_ / (std::string(name) + ".lf2")));
  }
  const LinuxRun linux_landfill(landfill), linux_impoundment(impoundment);
  expect_crlf_twin(read_text(dir_ / "VORN.OUT.si"), linux_impoundment.file("VORN.OUT"),
                   "impoundment VORN.OUT");
  expect_same_log(read_text(dir_ / "VORN.DBG.si"), linux_impoundment.file("VORN.DBG"));
  expect_crlf_twin(read_text(dir_ / "VORN.OUT.lf1"), linux_landfill.file("VORN.OUT"),
                   "landfill VORN.OUT after an impoundment run");
  expect_same_log(read_text(dir_ / "VORN.DBG.lf1"), linux_landfill.file("VORN.DBG"));
}

}  // namespace
}  // namespace vorn::test
