#include "input/daf_table.hpp"

#include "core/free_form.hpp"
#include "core/number_field.hpp"

namespace vorn {
namespace {

constexpr std::size_t kLineWidth = 1024;

bool is_blank_line(const std::string& text) {
  return text.find_first_not_of(' ') == std::string::npos;
}

void echo_row(const DafRow& row, std::string& line) {
  line.assign(row.CHEMCAS);
  for (double v : {row.LFCONC, row.LFCAR, row.LFNON, row.SICONC, row.SICAR, row.SINON}) {
    char field[kNumberWidth];
    line += ',';
    line.append(field, write_number_field(field, v));
  }
}

}  // namespace

void DafTable::clear() {
  NDAF = 0;
  for (DafRow& row : rows) {
    row.CHEMCAS.assign(kDafKeyWidth, ' ');
    row.LFCONC = row.LFCAR = row.LFNON = 0.0;
    row.SICONC = row.SICAR = row.SINON = 0.0;
  }
}

void readdaftable(InputFile& in, const LogUnit& debug, DafTable& table) {
  for (DafRow& row : table.rows) {
    row.LFCONC = row.LFCAR = row.LFNON = 0.0;
    row.SICONC = row.SICAR = row.SINON = 0.0;
  }
  skip_line(in, "the heading line of the DAF table");
  write_line(debug.sink(),
             "            CHEMCAS,   LFCONC,     LFCAR,     LFNON,   SICONC,     SICAR,     SINON");
  write_line(debug.sink(), std::string(80, '-'));

  std::string line, echo;
  int r = 1;
  for (;;) {
    if (!in.read_line(kLineWidth, line) || is_blank_line(line)) break;
    if (r > kDafCapacity)
      debug.stop({LogLine() << "Stop, Error: DAF table has more than 500 rows"});
    DafRow& row = table.row(r);
    double v[6] = {row.LFCONC, row.LFCAR, row.LFNON, row.SICONC, row.SICAR, row.SINON};
    read_free(line, in.line_number(),
              {Item::text(row.CHEMCAS, kDafKeyWidth), Item::real(v[0]), Item::real(v[1]),
               Item::real(v[2]), Item::real(v[3]), Item::real(v[4]), Item::real(v[5])});
    row.LFCONC = v[0];
    row.LFCAR = v[1];
    row.LFNON = v[2];
    row.SICONC = v[3];
    row.SICAR = v[4];
    row.SINON = v[5];
    echo_row(row, echo);
    write_line(debug.sink(), echo);
    ++r;
  }
  table.NDAF = r - 1;
}

}  // namespace vorn
