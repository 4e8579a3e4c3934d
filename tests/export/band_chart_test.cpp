// A percentile that is infinite is drawn off the scale: its band ends at the plot's right
// end and an infinity sign there names it; the finite percentiles keep their places.
#include <gtest/gtest.h>

#include <limits>

#include "export/band_chart.hpp"
#include "export/page_checks.hpp"

namespace vorn::test {
namespace {

TEST(BandChart, AnInfinitePercentileIsAnOffScaleMarkAtTheRightEnd) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  mc::QuantitySummary q;
  q.name = "R_GWING";
  q.kind = mc::QuantityKind::risk;
  q.count = 90;
  q.pos_inf = 10;
  q.min = 1e-7;
  q.max = kInf;
  q.baseline = 1e-6;
  q.percentiles = {{5, 2e-7, 1e-7, 3e-7}, {50, 1e-6, 9e-7, 2e-6}, {95, kInf, kInf, kInf}};
  BandChart chart = pathway_chart_frame(true, 1e-5, 1);
  chart.rows = {{"R_GWING", &q}};
  const std::unique_ptr<XmlNode> svg = parse_xml(band_chart(chart));
  const auto bands = svg->elements("rect", "band");
  ASSERT_EQ(bands.size(), 1u);  // p5 to p95, the median a tick
  EXPECT_NEAR(attr_number(*bands[0], "x") + attr_number(*bands[0], "width"), log_chart::kPlotRight,
              1e-9);
  const auto marks = svg->elements("text", "off-scale");
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0]->first("title")->all_text(),
            "R_GWING (R_GWING), p95: infinite, off the scale");
  EXPECT_NE(svg->first("line", "mid"), nullptr);

  // Every percentile finite: no such mark.
  q.percentiles[2] = {95, 5e-6, 4e-6, 6e-6};
  q.max = 8e-6;
  q.pos_inf = 0;
  EXPECT_TRUE(parse_xml(band_chart(chart))->elements("text", "off-scale").empty());
}

}  // namespace
}  // namespace vorn::test
