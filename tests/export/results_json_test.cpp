// The JSON document of a run: shape and key order, full-precision numbers and texts.
#include <gtest/gtest.h>

#include <cfloat>
#include <random>

#include "core/number_text.hpp"
#include "export/export_checks.hpp"
#include "support/test_support.hpp"
#include "vorn/results_json.hpp"

namespace vorn::test {
namespace {

std::vector<std::string> keys_of(const OrderedJson& object) {
  std::vector<std::string> keys;
  for (const auto& item : object.items()) keys.push_back(item.key());
  return keys;
}

// Same structure, same keys in the same order, numbers of the same kind and bits.
void expect_same_document(const OrderedJson& mine, const OrderedJson& expected,
                          const std::string& path) {
  ASSERT_EQ(mine.type_name(), std::string(expected.type_name())) << path;
  if (expected.is_object()) {
    std::vector<std::string> my_keys, expected_keys;
    for (const auto& item : mine.items()) my_keys.push_back(item.key());
    for (const auto& item : expected.items()) expected_keys.push_back(item.key());
    ASSERT_EQ(my_keys, expected_keys) << path;
    for (const auto& key : expected_keys)
      expect_same_document(mine.at(key), expected.at(key), path + "." + key);
  } else if (expected.is_array()) {
    ASSERT_EQ(mine.size(), expected.size()) << path;
    for (std::size_t k = 0; k < expected.size(); ++k)
      expect_same_document(mine[k], expected[k], path + "[" + std::to_string(k) + "]");
  } else if (expected.is_number_float()) {
    EXPECT_TRUE(same_double(mine.get<double>(), expected.get<double>()))
        << path << ": " << mine << " vs " << expected;
  } else {
    EXPECT_EQ(mine, expected) << path;
    // 1 and 1.0 compare equal: integers must stay integers.
    EXPECT_EQ(mine.is_number_integer(), expected.is_number_integer()) << path;
  }
}

class ReferenceRunJson : public ::testing::TestWithParam<const char*> {};

// The reference documents hold every chemical's values; the stream's verdict and totals are
// set against the sums and flags of those values, in the report's order (groundwater over
// the chemicals, then surface), and taken out before the rest is compared key for key.
void expect_stream_from_reference(OrderedJson& mine, const OrderedJson& reference) {
  std::size_t exceeding = 0;
  double ri_gw = 0, ri_sf = 0, hi_gw = 0, hi_sf = 0;
  for (const OrderedJson& c : reference["chemicals"]) {
    const OrderedJson& w = c["report"];
    exceeding += w["GW_EXCEEDED"].get<bool>() || w["SF_EXCEEDED"].get<bool>();
    ri_gw += number_of(w["RI_GW"]);
    ri_sf += number_of(w["RI_SF"]);
    hi_gw += number_of(w["HI_GW"]);
    hi_sf += number_of(w["HI_SF"]);
  }
  EXPECT_EQ(mine["verdict"], exceeding > 0 ? "exceeds limits" : "within limits");
  EXPECT_EQ(mine["exceeding"], exceeding);
  const auto expect_total = [&](const char* name, double total, const char* target_field) {
    const OrderedJson& t = mine["stream"][name];
    EXPECT_EQ(keys_of(t), (std::vector<std::string>{"value", "target", "above_target"}));
    EXPECT_TRUE(same_double(number_of(t["value"]), total)) << name << ": " << t["value"];
    const double target = number_of(reference["unit"][target_field]);
    EXPECT_TRUE(same_double(number_of(t["target"]), target)) << name;
    EXPECT_EQ(t["above_target"], total > target) << name;
  };
  expect_total("RI_TOT", ri_gw + ri_sf, "WU_RISKFACT");
  expect_total("HI_TOT", hi_gw + hi_sf, "WU_HQFACT");
  EXPECT_EQ(keys_of(mine["stream"]), (std::vector<std::string>{"RI_TOT", "HI_TOT"}));
  for (const char* key : {"verdict", "exceeding", "stream"}) mine.erase(key);
}

TEST_P(ReferenceRunJson, DocumentEqualsTheReferenceKeyForKeyAndNumberForNumber) {
  const auto ref = data_dir() / "reference" / GetParam();
  const auto r = run_text(read_text(ref / "VORN.IN"));
  ASSERT_EQ(r.outcome.status, Status::completed);
  // The run's values; its warnings (below) are the run's, not the reference's.
  const std::string text = results_json(*r.outcome.results);
  ASSERT_EQ(text.back(), '\n');
  OrderedJson mine = OrderedJson::parse(text);
  const OrderedJson reference = OrderedJson::parse(read_text(ref / "results.json"));
  // They follow the status.
  const std::vector<std::string> keys = keys_of(mine);
  ASSERT_GE(keys.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(keys.begin() + 2, keys.begin() + 5),
            (std::vector<std::string>{"verdict", "exceeding", "stream"}));
  expect_stream_from_reference(mine, reference);
  expect_same_document(mine, reference, "");
}

// Every number of the document against the value the run holds, bit for bit.
void expect_number(const OrderedJson& v, double held, const char* name) {
  EXPECT_TRUE(same_double(number_of(v), held)) << name << ": " << v << " vs " << held;
}
void expect_number(const OrderedJson& v, std::int32_t held, const char* name) {
  EXPECT_EQ(v.get<std::int64_t>(), held) << name;
}
void expect_number(const OrderedJson& v, std::int16_t held, const char* name) {
  EXPECT_EQ(v.get<std::int64_t>(), held) << name;
}
void expect_number(const OrderedJson& v, const std::string& held, const char* name) {
  EXPECT_EQ(v.get<std::string>(), held.substr(0, held.find_last_not_of(' ') + 1)) << name;
}

TEST_P(ReferenceRunJson, EveryNumberReadsBackAsTheDoubleTheRunHolds) {
  const auto r = run_text(read_text(data_dir() / "reference" / GetParam() / "VORN.IN"));
  ASSERT_EQ(r.outcome.status, Status::completed);
  const Results& res = *r.outcome.results;
  const OrderedJson doc = OrderedJson::parse(results_json(res));
  const OrderedJson& unit = doc["unit"];
#define VORN_UNIT_CHECK(name, which) \
  if (unit.contains(#name)) expect_number(unit[#name], res.unit.name, #name);
  VORN_UNIT_FIELDS(VORN_UNIT_CHECK)
#undef VORN_UNIT_CHECK
  expect_number(unit["DAF_SCALE"], res.DAF_SCALE, "DAF_SCALE");
  for (std::size_t k = 0; k < res.chemicals.size(); ++k) {
    const OrderedJson& e = doc["chemicals"][k];
    const Chemical& c = res.chemicals[k];
    const ResultSlots& s = res.results[k];
    const ChemicalReport& w = res.report[k];
#define VORN_CHEMICAL_CHECK(name, kind) expect_number(e["chemical"][#name], c.name, #name);
    VORN_CHEMICAL_FIELDS(VORN_CHEMICAL_CHECK)
#undef VORN_CHEMICAL_CHECK
#define VORN_SLOT_CHECK(name, init) expect_number(e["results"][#name], s.name, #name);
    VORN_RESULT_SLOTS(VORN_SLOT_CHECK)
#undef VORN_SLOT_CHECK
    const OrderedJson& rep = e["report"];
    for (const auto& [name, held] :
         {std::pair{"RI_SF", w.RI_SF}, std::pair{"RI_GW", w.RI_GW}, std::pair{"HI_SF", w.HI_SF},
          std::pair{"HI_GW", w.HI_GW}, std::pair{"TC_MAX", w.TC_MAX},
          std::pair{"TCLPMAX", w.TCLPMAX}, std::pair{"LIMITPOE", w.LIMITPOE},
          std::pair{"DAF", w.DAF}, std::pair{"DAF_WV", w.DAF_WV}})
      expect_number(rep[name], held, name);
    for (std::size_t p = 0; p < 5; ++p) {
      expect_number(rep["SF_ALLOW"][p], w.SF_ALLOW[p], "SF_ALLOW");
      expect_number(rep["GW_WELL"][p], w.GW_WELL[p], "GW_WELL");
    }
    EXPECT_EQ(rep["SF_LIMIT"], w.SF_LIMIT);
    EXPECT_EQ(rep["GW_LIMIT"], w.GW_LIMIT);
  }
}

INSTANTIATE_TEST_SUITE_P(Both, ReferenceRunJson, ::testing::Values("landfill", "impoundment"));

// Doubles that are hard to print: the extremes, subnormals, -0, values beside the
// switch between fixed and exponent forms, and 0.1 + 0.2.
std::vector<double> awkward_doubles() {
  std::vector<double> v = {0.0,
                           -0.0,
                           5e-324,
                           2.2250738585072009e-308,
                           DBL_MIN,
                           DBL_MAX,
                           -DBL_MAX,
                           DBL_EPSILON,
                           0.1 + 0.2,
                           1.0 / 3.0,
                           1e-5,
                           9.999999999999999e-5,
                           1e15,
                           1e16,
                           123456789012345680.0,
                           9007199254740993.0,
                           1e30,
                           -1.5e-7,
                           4.35,
                           2.675};
  // And random bit patterns, every exponent alike.
  std::mt19937_64 random(20240611);
  while (v.size() < 2000) {
    const std::uint64_t bits = random();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    if (std::isfinite(d)) v.push_back(d);
  }
  return v;
}

TEST(ResultsJson, EveryNumberReadsBackAsTheIdenticalDouble) {
  const std::vector<double> values = awkward_doubles();
  std::size_t next = 0;
  auto take = [&] { return values[next++ % values.size()]; };

  Results res;
  res.unit.WU_WMUTYPE = "SI";
  res.unit.WU_RISKFACT = take();
  res.unit.WU_DIAM = take();
  res.DAF_SCALE = take();
  for (int n = 0; n < 30; ++n) {
    Chemical c;
    c.TOTC = take();
    c.LOGKOW = take();
    ResultSlots s;
#define VORN_FILL(name, init) s.name = take();
    VORN_RESULT_SLOTS(VORN_FILL)
#undef VORN_FILL
    ChemicalReport w;
    w.RI_SF = take();
    w.TC_MAX = take();
    for (double& a : w.SF_ALLOW) a = take();
    for (double& g : w.GW_WELL) g = take();
    res.chemicals.push_back(c);
    res.results.push_back(s);
    res.report.push_back(w);
  }
  ASSERT_GE(next, values.size()) << "every awkward value is used";

  const OrderedJson doc = OrderedJson::parse(results_json(res));
  auto expect_same = [](const OrderedJson& v, double held) {
    ASSERT_TRUE(v.is_number_float()) << v;
    EXPECT_TRUE(same_double(v.get<double>(), held)) << v << " vs " << held;
  };
  expect_same(doc["unit"]["WU_RISKFACT"], res.unit.WU_RISKFACT);
  expect_same(doc["unit"]["WU_DIAM"], res.unit.WU_DIAM);
  expect_same(doc["unit"]["DAF_SCALE"], res.DAF_SCALE);
  ASSERT_EQ(doc["chemicals"].size(), res.chemicals.size());
  for (std::size_t k = 0; k < res.chemicals.size(); ++k) {
    const OrderedJson& e = doc["chemicals"][k];
    expect_same(e["chemical"]["TOTC"], res.chemicals[k].TOTC);
    expect_same(e["chemical"]["LOGKOW"], res.chemicals[k].LOGKOW);
#define VORN_CHECK(name, init) expect_same(e["results"][#name], res.results[k].name);
    VORN_RESULT_SLOTS(VORN_CHECK)
#undef VORN_CHECK
    expect_same(e["report"]["RI_SF"], res.report[k].RI_SF);
    expect_same(e["report"]["TC_MAX"], res.report[k].TC_MAX);
    for (std::size_t p = 0; p < 5; ++p) {
      expect_same(e["report"]["SF_ALLOW"][p], res.report[k].SF_ALLOW[p]);
      expect_same(e["report"]["GW_WELL"][p], res.report[k].GW_WELL[p]);
    }
  }
}

TEST(ResultsJson, NanAndInfinitiesAreStrings) {
  Results res;
  res.unit.WU_WMUTYPE = "LF";
  res.unit.WU_RISKFACT = std::nan("");
  res.unit.WU_SUSP = -INFINITY;
  res.DAF_SCALE = INFINITY;
  Chemical c;
  c.TOTC = -std::nan("");  // the sign of a NaN is not kept
  ResultSlots s;
  s.R_GWING = INFINITY;
  ChemicalReport w;
  w.SF_ALLOW[2] = -INFINITY;
  w.DAF_WV = std::nan("");
  res.chemicals = {c};
  res.results = {s};
  res.report = {w};

  const std::string text = results_json(res);
  const OrderedJson doc = OrderedJson::parse(text);  // strict JSON: no bare NaN or Infinity
  EXPECT_EQ(doc["unit"]["WU_RISKFACT"], "NaN");
  EXPECT_EQ(doc["unit"]["WU_SUSP"], "-Infinity");
  EXPECT_EQ(doc["unit"]["DAF_SCALE"], "Infinity");
  const OrderedJson& e = doc["chemicals"][0];
  EXPECT_EQ(e["chemical"]["TOTC"], "NaN");
  EXPECT_EQ(e["results"]["R_GWING"], "Infinity");
  EXPECT_EQ(e["report"]["SF_ALLOW"], OrderedJson::parse(R"([0.0, 0.0, "-Infinity", 0.0, 0.0])"));
  EXPECT_EQ(e["report"]["DAF_WV"], "NaN");
  // No value became null, as a plain dump of NaN would give.
  EXPECT_EQ(text.find("null"), std::string::npos);
}

TEST(ResultsJson, NanFromTheInputReachesTheDocument) {
  InputBuilder in;
  in.properties = {property_line(
      "Benzene", "71-43-2",
      {"0.005",  "0.055", "0.0273", "0.004", "0.03",  "5.2",   "1820",  "0.5",  "5.55e-3",
       "9.8e-6", "0.088", "1750",   "0",     "0",     "0.7",   "0.015", "0.29", "0.051",
       "1",      "-1",    "0.13",   "C",     "78.11", "0.125", "-1",    "2.13"})};
  in.concentrations = {"0.5 N NaN N"};
  in.daf_rows = {"71-43-2 0.001 10.5 10.5 0.001 2.1 2.1"};
  const auto r = run_text(in.text());
  ASSERT_EQ(r.outcome.status, Status::completed);
  const OrderedJson doc = OrderedJson::parse(results_json(r.outcome));
  const OrderedJson& e = doc["chemicals"][0];
  EXPECT_EQ(e["chemical"]["TOTC"], "NaN");
  // NaN waste concentration: no surface exceedance, as Table 9 tests it.
  EXPECT_EQ(e["report"]["SF_EXCEEDED"], false);
  EXPECT_TRUE(e["chemical"]["TCLPCONC"].is_number_float());
}

TEST(ResultsJson, TextsLoseTrailingBlanksOnlyAndBecomeUtf8) {
  Results res;
  res.unit.WU_WMUTYPE = "LF";
  Chemical c;
  c.CHEMNAME = std::string(" Chlorure d'\xE9thyle \xFF\x80");
  c.CHEMNAME.resize(kNameWidth, ' ');
  c.CHEMCAS = "75-00-3";
  c.CHEMCAS.resize(kCasWidth, ' ');
  c.TCLPFLAG = " ";
  c.CARCTYPE = "N";
  res.chemicals = {c};
  res.results = {ResultSlots{}};
  res.report = {ChemicalReport{}};

  const OrderedJson doc = OrderedJson::parse(results_json(res));
  const OrderedJson& chem = doc["chemicals"][0]["chemical"];
  EXPECT_EQ(chem["CHEMNAME"], " Chlorure d'\xC3\xA9thyle \xC3\xBF\xC2\x80");
  EXPECT_EQ(chem["CHEMCAS"], "75-00-3");
  EXPECT_EQ(chem["TCLPFLAG"], "");
  EXPECT_EQ(chem["CARCTYPE"], "N");
  EXPECT_EQ(doc["unit"]["WU_WMUTYPE"], "LF");
  // The landfill's own fields are there, the impoundment's are not.
  EXPECT_TRUE(doc["unit"].contains("WU_SUSP"));
  EXPECT_FALSE(doc["unit"].contains("WU_DIAM"));
  const OrderedJson& rep = doc["chemicals"][0]["report"];
  EXPECT_EQ(rep["GW_PATHWAY"], "GWINGESTION");
  EXPECT_EQ(rep["SF_PATHWAY"], "SWINGESTION");
  EXPECT_TRUE(rep["SF_LIMIT"].is_number_integer());
  EXPECT_TRUE(doc["chemicals"][0]["index"].is_number_integer());
}

}  // namespace
}  // namespace vorn::test
