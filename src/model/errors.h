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

// `message` with the path of `file` in front, unless it already starts with it (the core's
// messages about a file start with its path).
inline std::string namingFile(const std::string& file, const std::string& message) {
    return message.rfind(file, 0) == 0 ? message : file + ": " + message;
}

}  // namespace tarn
