// The four C exports, loaded with dlopen from the shared library in a child
// process (a stop ends the process, as hosts see it).
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "support/test_support.hpp"

namespace vorn::test {
namespace {

void* library() {
  void* handle = dlopen(VORN_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    std::fprintf(stderr, "dlopen failed: %s\n", dlerror());
    _exit(124);
  }
  return handle;
}

template <class F>
F symbol(const char* name) {
  void* s = dlsym(library(), name);
  if (s == nullptr) _exit(123);
  return reinterpret_cast<F>(s);
}

int call_runvorn(void*) {
  symbol<void (*)()>("runvorn")();
  return 0;
}

int call_ierr_runvorn(void*) {
  const int32_t r = symbol<int32_t (*)()>("ierr_runvorn")();
  std::printf("returned %d\n", r);
  return 0;
}

int call_ierr_runvorn_twice(void* dir) {
  auto ierr = symbol<int32_t (*)()>("ierr_runvorn");
  const auto& d = *static_cast<std::filesystem::path*>(dir);
  if (ierr() != 0) return 10;
  std::filesystem::copy_file(d / "VORN.OUT", d / "first.OUT");
  std::filesystem::copy_file(d / "VORN.DBG", d / "first.DBG");
  return ierr() == 0 ? 0 : 11;
}

struct ArrayCall {
  std::vector<double> values;
  int32_t n;
};

int call_callarytest(void* arg) {
  auto* call = static_cast<ArrayCall*>(arg);
  symbol<void (*)(const double*, const int32_t*)>("callarytest")(call->values.data(), &call->n);
  return 0;
}

int call_int_multiply(void*) {
  auto mul = symbol<int32_t (*)(const int32_t*, const int32_t*)>("int_multiply");
  const int32_t pairs[][2] = {{65536, 65536}, {-2147483647 - 1, -1}, {3, -7}, {46341, 46341}};
  for (const auto& p : pairs) std::printf("%d\n", mul(&p[0], &p[1]));
  return 0;
}

std::string reference_input(const char* name) {
  return read_text(data_dir() / "reference" / name / "VORN.IN");
}

TEST(Exports, IntMultiplyWrapsIn32Bits) {
  ScratchDir dir;
  const auto r = run_in_child(dir.path(), call_int_multiply, nullptr);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "0\n-2147483648\n-21\n-2147479015\n");
}

TEST(Exports, CallarytestWritesNineTimesNThenTheValues) {
  ScratchDir dir;
  ArrayCall three{{1.0, 2.0, 3.0}, 3};
  auto r = run_in_child(dir.path(), call_callarytest, &three);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, " 27\n total 1.0 2.0 3.0\n");
  ArrayCall none{{1.0}, 0};
  r = run_in_child(dir.path(), call_callarytest, &none);
  EXPECT_EQ(r.out, " 0\n total\n");
  ArrayCall negative{{1.0}, -2};
  r = run_in_child(dir.path(), call_callarytest, &negative);
  EXPECT_EQ(r.out, " -18\n total\n");
}

TEST(Exports, IerrRunvornWithoutInputReturnsOneAndLeavesOldFiles) {
  ScratchDir dir;
  write_text(dir / "VORN.DBG", "old log\n");
  const auto r = run_in_child(dir.path(), call_ierr_runvorn, nullptr);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, " VORN.IN CANNOT BE OPENED" + std::string(76, ' ') + "\nreturned 1\n");
  EXPECT_EQ(read_text(dir / "VORN.DBG"), "old log\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "VORN.OUT"));
}

// The reference runs and the shipped examples, each with its checked files.
TEST(Exports, IerrRunvornReproducesTheCheckedRuns) {
  const std::filesystem::path examples = data_dir().parent_path().parent_path() / "examples";
  const std::pair<std::filesystem::path, std::filesystem::path> runs[] = {
      {data_dir() / "reference" / "landfill", data_dir() / "reference" / "landfill"},
      {data_dir() / "reference" / "impoundment", data_dir() / "reference" / "impoundment"},
      {examples / "landfill", data_dir() / "examples" / "landfill"},
      {examples / "impoundment", data_dir() / "examples" / "impoundment"}};
  for (const auto& [input, checked] : runs) {
    SCOPED_TRACE(input.string());
    ScratchDir dir;
    write_text(dir / "VORN.IN", read_text(input / "VORN.IN"));
    const auto r = run_in_child(dir.path(), call_ierr_runvorn, nullptr);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, read_text(checked / "stdout.txt") + "returned 0\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(read_text(dir / "VORN.OUT"), read_text(checked / "VORN.OUT"));
    EXPECT_EQ(read_text(dir / "VORN.DBG"), read_text(checked / "VORN.DBG"));
  }
}

TEST(Exports, TwoCallsInOneProcessGiveIdenticalFiles) {
  ScratchDir dir;
  write_text(dir / "VORN.IN", reference_input("landfill"));
  std::filesystem::path d = dir.path();
  const auto r = run_in_child(dir.path(), call_ierr_runvorn_twice, &d);
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(read_text(dir / "VORN.OUT"), read_text(dir / "first.OUT"));
  EXPECT_EQ(read_text(dir / "VORN.DBG"), read_text(dir / "first.DBG"));
  EXPECT_EQ(r.out, " NORMAL TERMINATION...\n NORMAL TERMINATION...\n");
}

TEST(Exports, AStopEndsTheProcessWithStatusTwoAndKeepsTheLog) {
  ScratchDir dir;
  write_text(dir / "VORN.IN", "7\nLF\n1e-5\n1\n0\n0\n20\n0\n");
  write_text(dir / "VORN.OUT", "old report\n");
  for (auto entry : {call_runvorn, call_ierr_runvorn}) {
    const auto r = run_in_child(dir.path(), entry, nullptr);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");  // the call never returned
    EXPECT_EQ(read_text(dir / "VORN.DBG"),
              " SITEKEY=  7\n WMUTYPE=  LF\n RISKFACT=  1e-05\n HQFACT  =  1.0\n"
              " Stop, Error: Waste volume= 0.0\n");
    EXPECT_EQ(read_text(dir / "VORN.OUT"), "old report\n");
  }
}

TEST(Exports, AFatalInputErrorEndsTheProcessWithStatusThree) {
  ScratchDir dir;
  write_text(dir / "VORN.IN", "7\nLF\n1e-5x\n");
  const auto r = run_in_child(dir.path(), call_runvorn, nullptr);
  EXPECT_EQ(r.status, 3);
  const std::string message =
      "vorn: fatal input error on unit 1 (VORN.IN), line 3: \"1e-5x\" is not a real";
  EXPECT_EQ(r.err, message + "\n");
  EXPECT_EQ(read_text(dir / "VORN.DBG"), " SITEKEY=  7\n WMUTYPE=  LF\n " + message + "\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "VORN.OUT"));
}

TEST(Exports, RunvornWithoutInputEndsTheProcessWithStatusOne) {
  ScratchDir dir;
  const auto r = run_in_child(dir.path(), call_runvorn, nullptr);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("unit 1 (VORN.IN)"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir / "VORN.DBG"));
}

TEST(Exports, TheLibraryExportsExactlyTheFourFunctions) {
  if (std::system("command -v nm >/dev/null 2>&1") != 0) GTEST_SKIP() << "nm not found";
  ScratchDir dir;
  const auto r = run_process(
      {"/bin/sh", "-c",
       std::string("nm -D --defined-only '") + VORN_LIBRARY + "' | awk '{print $3}' | sort"},
      dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "callarytest\nierr_runvorn\nint_multiply\nrunvorn\n");
}

}  // namespace
}  // namespace vorn::test
