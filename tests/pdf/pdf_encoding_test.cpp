// How the PDF comes back from the browser and how its links are made relative: base64 against
// its standard's vectors and coreutils' encoder, file URLs, and link rewriting that keeps
// every byte offset of the PDF.
#include <gtest/gtest.h>

#include "pdf/base64.hpp"
#include "pdf/pdf_links.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

using pdf::base64_decode;

TEST(Base64, DecodesTheVectorsOfItsStandardAndEveryByteAsCoreutilsEncodesIt) {
  // RFC 4648, section 10.
  EXPECT_EQ(base64_decode(""), "");
  EXPECT_EQ(base64_decode("Zg=="), "f");
  EXPECT_EQ(base64_decode("Zm8="), "fo");
  EXPECT_EQ(base64_decode("Zm9v"), "foo");
  EXPECT_EQ(base64_decode("Zm9vYg=="), "foob");
  EXPECT_EQ(base64_decode("Zm9vYmE="), "fooba");
  EXPECT_EQ(base64_decode("Zm9vYmFy"), "foobar");

  std::string bytes;
  for (int round = 0; round < 3; ++round)
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b ^ round * 85);
  bytes += "\xFF\x00";
  ScratchDir dir;
  write_text(dir / "bytes", bytes);
  ASSERT_EQ(std::system(("base64 -w0 '" + (dir / "bytes").string() + "' > '" +
                         (dir / "text").string() + "'")
                            .c_str()),
            0);
  EXPECT_EQ(base64_decode(read_text(dir / "text")), bytes);
}

TEST(Base64, RefusesWhatIsNotBase64) {
  for (const char* bad : {"Zg=", "Z===", "Zm=v", "Zm9v!A==", "Zg==Zg==", "=AAA", "Zm9vYmFy\n"})
    EXPECT_EQ(base64_decode(bad), std::nullopt) << bad;
}

TEST(PdfLinks, FileUrlsPercentEncodeAllButUnreservedCharacters) {
  EXPECT_EQ(pdf::file_url("/tmp/a b/\xC3\xBC(1)#%.html"),
            "file:///tmp/a%20b/%C3%BC%281%29%23%25.html");
  EXPECT_EQ(pdf::file_url("/x/report-1_a.b~c"), "file:///x/report-1_a.b~c");
}

TEST(PdfLinks, RelativeUrlsClimbOnlyAsFarAsTheirCommonDirectory) {
  const std::string base = "file:///data/out/";
  EXPECT_EQ(pdf::relative_url("file:///data/out/report.pdf", base), "report.pdf");
  EXPECT_EQ(pdf::relative_url("file:///data/out/east/report.pdf", base), "east/report.pdf");
  EXPECT_EQ(pdf::relative_url("file:///data/west%20pond/report.pdf", base),
            "../west%20pond/report.pdf");
  EXPECT_EQ(pdf::relative_url("file:///other/report.pdf", base), "../../other/report.pdf");
  // A directory named like the base's, one level up, is not the base.
  EXPECT_EQ(pdf::relative_url("file:///data/outer/r.pdf", base), "../outer/r.pdf");
}

// The link annotations the browser writes, in the layout of its PDFs, with an offset table
// that points at each object.
std::string pdf_with_links(const std::vector<std::string>& uris) {
  std::string pdf = "%PDF-1.4\n";
  std::vector<std::size_t> offsets;
  for (std::size_t k = 0; k < uris.size(); ++k) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(k + 1) +
           " 0 obj\n<</Type /Annot\n/Subtype /Link\n/A <</Type /Action\n"
           "/S /URI\n/URI " +
           uris[k] + ">>\n/StructParent 1>>\nendobj\n";
  }
  pdf += "xref\n";
  for (const std::size_t o : offsets) pdf += std::to_string(o) + " 00000 n\n";
  return pdf + "%%EOF\n";
}

TEST(PdfLinks, LinksNearThePdfBecomeRelativeAndEveryOffsetStays) {
  const std::string base = "file:///data/out/";
  const std::string before = pdf_with_links({
      "(file:///data/out/east/report.pdf)",
      "(file:///data/west%20pond/report.pdf)",
      "(https://example.org/)",
      "(file:///data/out/a\\(1\\).pdf)",
      "(file:///a/b/c/d/e/f/g/h/i/j/k/l/m/n/o/p/q/r/s/t/u/v/w/x.pdf)",
  });
  const std::string base_deep = "file:///z/y/x/w/v/u/t/s/r/q/p/o/n/m/l/k/j/i/h/g/f/e/d/c/b/a/";
  const std::string after = pdf::relative_links(before, base);
  // Each rewritten link is padded with blanks to the length of the one it replaces.
  std::string expected = before;
  const auto rewrite = [&](const std::string& from, const std::string& to) {
    ASSERT_LE(to.size(), from.size());
    expected.replace(expected.find(from), from.size(),
                     to + std::string(from.size() - to.size(), ' '));
  };
  rewrite("(file:///data/out/east/report.pdf)", "(east/report.pdf)");
  rewrite("(file:///data/west%20pond/report.pdf)", "(../west%20pond/report.pdf)");
  rewrite("(file:///data/out/a\\(1\\).pdf)", "(a\\(1\\).pdf)");
  rewrite("(file:///a/b/c/d/e/f/g/h/i/j/k/l/m/n/o/p/q/r/s/t/u/v/w/x.pdf)",
          "(../../a/b/c/d/e/f/g/h/i/j/k/l/m/n/o/p/q/r/s/t/u/v/w/x.pdf)");
  EXPECT_EQ(after, expected);
  // Every object starts where the offset table says.
  for (const std::string& line : lines_of(after)) {
    if (line.size() < 8 || line.substr(line.size() - 8) != " 00000 n") continue;
    const std::size_t offset = std::stoul(line);
    EXPECT_EQ(after.substr(offset, 8).find(" 0 obj\n"), 1u);
  }
  // Where the relative form would be longer, the absolute link stays.
  const std::string deep = pdf::relative_links(before, base_deep);
  EXPECT_NE(deep.find("(file:///a/b/c/d/e/f/g/h/i/j/k/l/m/n/o/p/q/r/s/t/u/v/w/x.pdf)"),
            std::string::npos);
  // A base that is not a directory's file URL changes nothing.
  EXPECT_EQ(pdf::relative_links(before, "file:///data/out"), before);
}

}  // namespace
}  // namespace vorn::test
