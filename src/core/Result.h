#pragma once

#include <optional>
#include <string>
#include <utility>

// Why something could not be done, in words for the person running the program.
struct Failure {
    std::string message;
};

// A value, or the failure that kept it from being made. Library code returns these; only the
// programs report a failure and choose the exit status.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Failure failure) : message_(std::move(failure.message)) {}

    explicit operator bool() const { return value_.has_value(); }
    T& value() { return *value_; }
    const T& value() const { return *value_; }
    T take() { return std::move(*value_); }
    // Empty when there is a value.
    const std::string& message() const { return message_; }

private:
    std::optional<T> value_;
    std::string message_;
};

// Success, or the failure that stopped the work.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Failure failure) : message_(std::move(failure.message)), failed_(true) {}

    bool ok() const { return !failed_; }
    const std::string& message() const { return message_; }

private:
    std::string message_;
    bool failed_ = false;
};
