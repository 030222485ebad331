#pragma once

#include <stdexcept>
#include <string>

namespace base {

// Every failure the program reports to its user derives from AppError; what() is a complete
// German sentence that can be shown as it stands.
class AppError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A number left the range of the type that has to hold it.
class OverflowError : public AppError {
  public:
    using AppError::AppError;
};

// A text was converted to a number although it is not one.
class ConversionError : public AppError {
  public:
    using AppError::AppError;
};

// The database refused a statement or could not be opened.
class DatabaseError : public AppError {
  public:
    // What kind of failure it was, where the program acts on the kind: a damaged file, a value
    // too big to load, a statement the database rejected as such (a table or column it names is
    // not there), anything else.
    enum class Cause { Other, Damage, TooBig, Rejected };

    explicit DatabaseError(const std::string& message, Cause cause = Cause::Other)
        : AppError(message), mCause(cause) {}

    Cause cause() const { return mCause; }

  private:
    Cause mCause;
};

}  // namespace base
