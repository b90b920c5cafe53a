#pragma once
// The one error type for expected failures of the core: bad input data, a file that will
// not open, a cell that is not a number. Its message names the file, cell or sub-area and
// is meant to be shown to the user as it stands.
#include <stdexcept>
#include <string>

namespace tarn {

class InputError : public std::runtime_error {
public:
    explicit InputError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tarn
