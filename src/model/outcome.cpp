#include "vorn/outcome.hpp"

namespace vorn {

int exit_status(Status status) {
  switch (status) {
    case Status::completed:
      return 0;
    case Status::input_missing:
      return 1;
    case Status::stopped:
      return 2;
    case Status::fatal_input_error:
      return 3;
  }
  return 3;
}

}  // namespace vorn
