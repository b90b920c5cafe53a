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

// A bad value of an option of a command (a fit window that is not a date, a warm-up that
// leaves no day): the message starts with the option's name ("--fit-window: 'soon' is not
// a date"), not with a file's.
class OptionError : public InputError {
public:
    using InputError::InputError;
};

// `message` with the path of `file` in front, unless it already starts with it (the core's
// messages about a file start with its path).
inline std::string namingFile(const std::string& file, const std::string& message) {
    return message.rfind(file, 0) == 0 ? message : file + ": " + message;
}

}  // namespace tarn
