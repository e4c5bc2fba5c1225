#pragma once
// Exceptions of the framework and the program. Errors nobody handles on purpose travel as these
// up to the event dispatch, where the application's general error handler shows their text.
#include <exception>
#include <string>
#include <utility>

class Exception : public std::exception {
public:
    explicit Exception(std::wstring message) : message_(std::move(message)) {}
    const std::wstring& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return "Exception (see Message())"; }

private:
    std::wstring message_;
};

// Conversion error of the persistent classes: "Cannot assign a %s to a %s".
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Settings store errors: "Invalid data type for '%s'", "Failed to set data for '%s'".
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};
