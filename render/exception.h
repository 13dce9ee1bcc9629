#pragma once
// The protocol error object the analyser shows in place of a dump. It is an
// error status that is filled and shown, never thrown.

#include <cstddef>
#include <exception>
#include <mutex>
#include <string>
#include <utility>

namespace Zuno {

class ZunoException : public std::exception {
public:
    int code = 0;
    std::string message;

    ZunoException() = default;
    ZunoException(int errorCode, std::string errorMessage)
        : code(errorCode), message(std::move(errorMessage)) {}
    // Copies take the code and the message; each object keeps its own text.
    ZunoException(const ZunoException& other);
    ZunoException& operator=(const ZunoException& other);
    ~ZunoException() override;

    // The text block; valid while the object lives and is not changed. Calls
    // on an unchanged object, from any thread, return the same text.
    const char* what() const noexcept override;
    std::string toString() const;

    // Default message of a code, or "" when the table has no row for it.
    static std::string messageOf(const int& code);
    static std::size_t messageCount();

private:
    mutable std::mutex whatMutex_;
    mutable std::string whatText_;
};

} // namespace Zuno
