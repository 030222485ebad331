#pragma once

#include <stdexcept>
#include <string>

namespace rules {

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
    using AppError::AppError;
};

}  // namespace rules
