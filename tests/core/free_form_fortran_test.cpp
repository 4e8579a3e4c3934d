// The free-form reader against gfortran's list-directed READ on generated input.
// A small Fortran program (list_read_helper.f90) is built at test time; both read
// the same lines into the same item lists and must agree on every value and on
// which reads fail. The generator leaves out the forms where the reader decides
// differently: repeat counts ("3*1.0"), exponents without a letter ("1.0+5"), CR
// bytes, a quote left open at the end of the file, and three gfortran quirks around
// line ends (noted where the generator avoids them).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/free_form.hpp"
#include "core/run_error.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

constexpr std::size_t kTextWidth = 6;
constexpr std::size_t kFlagWidth = 1;

const std::vector<std::string> kSignatures = {"R",   "I",   "T",   "F",   "RR",   "II",   "TT",
                                              "RRR", "III", "TTT", "IRT", "RFRF", "TRRI", "RIRTR"};

// Random input in the notation both readers share.
class Generator {
 public:
  explicit Generator(unsigned seed) : rng_(seed) {}

  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool chance(int percent) { return pick(100) < percent; }
  template <typename T>
  const T& one_of(const std::vector<T>& v) {
    return v[static_cast<std::size_t>(pick(static_cast<int>(v.size())))];
  }

  std::string digits(int count) {
    std::string s;
    for (int k = 0; k < count; ++k) s += static_cast<char>('0' + pick(10));
    return s;
  }
  std::string sign() { return one_of<std::string>({"", "", "+", "-"}); }

  std::string integer_token() {
    const int n = chance(5) ? 10 + pick(3) : 1 + pick(9);
    return sign() + digits(n);
  }

  std::string real_token() {
    if (chance(6)) {
      static const std::vector<std::string> words = {
          "nan", "NaN", "NAN", "inf", "Inf", "INF", "infinity", "Infinity", "INFINITY"};
      return sign() + one_of(words);
    }
    std::string mantissa;
    switch (pick(4)) {
      case 0:
        mantissa = digits(1 + pick(9));
        break;
      case 1:
        mantissa = digits(1 + pick(9)) + ".";
        break;
      case 2:
        mantissa = digits(1 + pick(9)) + "." + digits(1 + pick(12));
        break;
      default:
        mantissa = "." + digits(1 + pick(12));
        break;
    }
    std::string exponent;
    if (chance(50)) {
      const int e = chance(5) ? pick(1000) : pick(290);
      exponent =
          std::string(1, "eEdD"[pick(4)]) + one_of<std::string>({"", "+", "-"}) + std::to_string(e);
    }
    return sign() + mantissa + exponent;
  }

  std::string unquoted_text() {
    static const std::string first = "ABCXYZabcnxyz0123456789.-+_#@()$%^=?<>[]{}~";
    // No sign after the first character: gfortran reads "6-5" as 6.0E-5.
    static const std::string rest = "ABCXYZabcnxyz0123456789._#@()$%^=?<>[]{}~'\"";
    std::string s(1, first[static_cast<std::size_t>(pick(static_cast<int>(first.size())))]);
    const int n = pick(9);
    for (int k = 0; k < n; ++k)
      s += rest[static_cast<std::size_t>(pick(static_cast<int>(rest.size())))];
    return s;
  }

  // A quoted text; in a file it may run over a line end.
  std::string quoted_text(bool may_span_lines) {
    const char q = chance(50) ? '\'' : '"';
    static const std::string inside = "abcXYZ019 ,/.-'\"";
    std::string s(1, q);
    const int n = pick(9);
    for (int k = 0; k < n; ++k) {
      if (may_span_lines && chance(4)) s += '\n';
      const char c = inside[static_cast<std::size_t>(pick(static_cast<int>(inside.size())))];
      s += c;
      if (c == q) s += q;
    }
    s += q;
    return s;
  }

  std::string garbage() {
    static const std::vector<std::string> g = {
        "1.5x", "abc",     "1e", "e5",  ".",    "1.2.3", "--1",  "+",   "-",   "x1",   "1e+",
        "0x10", "1.5e3.0", "1d", "+-2", "inf5", "nanx",  "1..2", "..5", "'7'", "\"7\""};
    return one_of(g);
  }

  std::string token(char kind, bool in_file) {
    if (chance(4)) return garbage();
    if (chance(8)) kind = "RITF"[pick(4)];
    switch (kind) {
      case 'R':
        return real_token();
      case 'I':
        return integer_token();
      case 'F':
        if (chance(70)) return one_of<std::string>({"N", "n", "D", "C", "x"});
        [[fallthrough]];
      default:
        return chance(70) ? unquoted_text() : quoted_text(in_file);
    }
  }

  std::string separator(bool comma, bool in_file) {
    static const std::vector<std::string> plain = {" ",  "  ", "\t",  " \t ", ",",
                                                   ", ", " ,", " , ", ",\t"};
    static const std::vector<std::string> commas = {",", ", ", " ,", " , ", ",\t"};
    // A null value next to a comma that starts a line after a value is left out:
    // gfortran takes "1<eol>,<eol>,2" for two values.
    if (in_file && chance(15)) {
      if (comma) return one_of<std::string>({",\n", ", \n", ",\n\n"});
      return one_of<std::string>({"\n", " \n", "\n\n", ",\n", "\n  ", "\n,", "\n , "});
    }
    return comma ? one_of(commas) : one_of(plain);
  }

  // The values of one read for `sig`: tokens and null values joined by separators,
  // ended early by a slash now and then, and sometimes one value short or long.
  std::string values(const std::string& sig, bool in_file) {
    std::vector<std::string> items;
    for (char kind : sig) items.push_back(chance(6) ? std::string() : token(kind, in_file));
    if (!in_file && chance(8)) items.pop_back();  // the text runs out
    // A value too many is discarded unread; it stays on its line (an unclosed quote at
    // the end of the file is an error here, not to gfortran).
    if (chance(6)) items.push_back(token("RITF"[pick(4)], false));
    bool slash = chance(6) && items.size() > 1;
    if (slash) items.resize(static_cast<std::size_t>(1 + pick(static_cast<int>(items.size()) - 1)));
    // A line end after a comma is no null value: trailing nulls are ended by a slash.
    while (!items.empty() && items.back().empty()) {
      items.pop_back();
      slash = true;
    }
    std::string s = chance(8) ? "  " : "";
    for (std::size_t k = 0; k < items.size(); ++k) {
      if (k > 0)
        s += separator(items[k].empty() || items[k - 1].empty(), in_file && k < sig.size());
      s += items[k];
    }
    if (slash)
      s += one_of<std::string>({"/", " /", ",/", " / 99 junk"});
    else if (chance(15))
      s += one_of<std::string>({" 42", " extra 1.5", " ", ","});
    return s;
  }

 private:
  std::mt19937 rng_;
};

// One read by the reader under test, shown as the helper shows it.
class Items {
 public:
  void reset() {
    for (auto& i : ints_) i = 7777;
    for (auto& r : reals_) r = -1.25;
    for (auto& t : texts_) t = "init  ";
    for (auto& f : flags_) f = "?";
  }

  template <typename Read>
  std::string read(const std::string& sig, Read&& do_read) {
    std::vector<Item> list;
    int ni = 0, nr = 0, nt = 0, nf = 0;
    for (char kind : sig) {
      switch (kind) {
        case 'I':
          list.push_back(Item::integer(ints_[ni++]));
          break;
        case 'R':
          list.push_back(Item::real(reals_[nr++]));
          break;
        case 'T':
          list.push_back(Item::text(texts_[nt++], kTextWidth));
          break;
        case 'F':
          list.push_back(Item::text(flags_[nf++], kFlagWidth));
          break;
        default:
          break;
      }
    }
    try {
      do_read(list);
    } catch (const FatalInputError&) {
      return "ERR";
    }
    std::string out;
    ni = nr = nt = nf = 0;
    for (char kind : sig) {
      out += '|';
      switch (kind) {
        case 'I':
          out += std::to_string(ints_[ni++]);
          break;
        case 'R': {
          std::uint64_t bits = 0;
          std::memcpy(&bits, &reals_[nr++], sizeof bits);
          char buf[20];
          std::snprintf(buf, sizeof buf, "%016llX", static_cast<unsigned long long>(bits));
          out += buf;
          break;
        }
        case 'T':
          out += "[" + texts_[nt++] + "]";
          break;
        case 'F':
          out += "[" + flags_[nf++] + "]";
          break;
        default:
          out.pop_back();
          break;
      }
    }
    return out;
  }

 private:
  std::int32_t ints_[3] = {};
  double reals_[3] = {};
  std::string texts_[3], flags_[2];
};

// The item list is fixed per signature; read_free takes an initializer list.
void read_list(const std::vector<Item>& list, std::string_view text) {
  switch (list.size()) {
    case 1:
      read_free(text, 1, {list[0]});
      break;
    case 2:
      read_free(text, 1, {list[0], list[1]});
      break;
    case 3:
      read_free(text, 1, {list[0], list[1], list[2]});
      break;
    case 4:
      read_free(text, 1, {list[0], list[1], list[2], list[3]});
      break;
    default:
      read_free(text, 1, {list[0], list[1], list[2], list[3], list[4]});
      break;
  }
}
void read_list(const std::vector<Item>& list, InputFile& file) {
  switch (list.size()) {
    case 0:
      read_free(file, {});
      break;
    case 1:
      read_free(file, {list[0]});
      break;
    case 2:
      read_free(file, {list[0], list[1]});
      break;
    case 3:
      read_free(file, {list[0], list[1], list[2]});
      break;
    case 4:
      read_free(file, {list[0], list[1], list[2], list[3]});
      break;
    default:
      read_free(file, {list[0], list[1], list[2], list[3], list[4]});
      break;
  }
}

// Reals printed as bits: every NaN is the same value here.
std::string without_nan_bits(const std::string& line) {
  std::string out;
  std::stringstream in(line);
  std::string field;
  bool first = true;
  while (std::getline(in, field, '|')) {
    if (!first) out += '|';
    first = false;
    if (field.size() == 16 && field.find_first_not_of("0123456789ABCDEF") == std::string::npos) {
      const std::uint64_t bits = std::stoull(field, nullptr, 16);
      double v = 0;
      std::memcpy(&v, &bits, sizeof v);
      if (std::isnan(v)) field = "NAN";
    }
    out += field;
  }
  return out;
}

// Tabs and line ends made visible in failure messages.
std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\t')
      out += "\\t";
    else if (c == '\n')
      out += "\\n";
    else
      out += c;
  }
  return out;
}

struct Case {
  std::string description;
  std::string ours;
};

TEST(FreeFormAgainstFortran, ListDirectedReadsAgreeOnGeneratedInput) {
#ifndef VORN_GFORTRAN
  GTEST_SKIP() << "gfortran was not found when the tests were configured";
#else
  ScratchDir dir;
  const std::string build = std::string("\"") + VORN_GFORTRAN + "\" -O0 -o \"" +
                            (dir / "helper").string() + "\" \"" + VORN_FORTRAN_HELPER + "\"";
  ASSERT_EQ(std::system(build.c_str()), 0) << build;

  const unsigned seed = std::getenv("VORN_FORTRAN_SEED")
                            ? static_cast<unsigned>(std::stoul(std::getenv("VORN_FORTRAN_SEED")))
                            : 20240611u;
  SCOPED_TRACE("seed " + std::to_string(seed));
  Generator gen(seed);
  Items items;
  std::string cases;
  std::vector<Case> expected;
  constexpr int kTextCases = 4000;
  constexpr int kFileCases = 500;

  for (int n = 0; n < kTextCases; ++n) {
    const std::string sig = gen.one_of(kSignatures);
    const std::string line = gen.values(sig, false);
    cases += "T " + sig + "\n" + line + "\n";
    items.reset();
    expected.push_back({"text read " + sig + " of \"" + escaped(line) + "\"",
                        items.read(sig, [&](const std::vector<Item>& l) { read_list(l, line); })});
  }

  for (int n = 0; n < kFileCases; ++n) {
    std::vector<std::string> sigs;
    std::string content;
    const int reads = 1 + gen.pick(4);
    for (int k = 0; k < reads; ++k) {
      if (gen.chance(15)) {
        sigs.push_back("-");
        content += gen.chance(50) ? "skipped 1 2\n" : "\n";
        continue;
      }
      sigs.push_back(gen.one_of(kSignatures));
      const std::string values = gen.values(sigs.back(), true);
      // An empty line before a read whose first value is null: the comma that follows
      // is a null value here, a separator to gfortran.
      if (values.find_first_not_of(" \t") != values.find(',') && gen.chance(5)) content += "\n";
      content += values + "\n";
    }
    // A last line without its line end; gfortran reports the end of the file when a
    // slash ends a read on such a line.
    const auto last_line = content.rfind('\n', content.size() - 2);
    if (content.find('/', last_line == std::string::npos ? 0 : last_line) == std::string::npos &&
        gen.chance(10))
      content.pop_back();
    const std::string name = "file" + std::to_string(n) + ".txt";
    write_text(dir / name, content);
    cases += "F " + std::to_string(reads) + "\n" + (dir / name).string() + "\n";
    for (const auto& s : sigs) cases += s + "\n";

    InputFile file(content);
    items.reset();
    bool failed = false;
    for (const auto& s : sigs) {
      std::string ours = "SKIP";
      if (!failed) {
        const std::string list = s == "-" ? "" : s;
        ours = items.read(list, [&](const std::vector<Item>& l) { read_list(l, file); });
        failed = ours == "ERR";
      }
      std::string all;
      for (const auto& t : sigs) all += " " + t;
      expected.push_back({"file read " + std::to_string(&s - sigs.data() + 1) + " (" + s + ") of" +
                              all + " in " + name + ": \"" + escaped(content) + "\"",
                          ours});
    }
  }
  write_text(dir / "cases.txt", cases);

  const std::string helper = "cd \"" + dir.path().string() + "\" && ./helper";
  ASSERT_EQ(std::system(helper.c_str()), 0);
  const std::vector<std::string> fortran = lines_of(read_text(dir / "results.txt"));
  ASSERT_EQ(fortran.size(), expected.size());

  int failures = 0, errors = 0;
  for (std::size_t k = 0; k < expected.size(); ++k) {
    const std::string theirs = without_nan_bits(fortran[k]);
    const std::string ours = without_nan_bits(expected[k].ours);
    if (ours == "ERR") ++errors;
    if (theirs != ours && ++failures <= 20) {
      ADD_FAILURE() << expected[k].description << "\n  gfortran: " << fortran[k]
                    << "\n  reader:   " << expected[k].ours;
    }
  }
  EXPECT_EQ(failures, 0);
  // The generator must reach both outcomes often enough to mean something.
  EXPECT_GT(errors, 200);
  EXPECT_LT(errors, static_cast<int>(expected.size()) / 2);
#endif
}

}  // namespace
}  // namespace vorn::test
