// The runtime's exception: an integer code and a description.
#pragma once

#include <QString>
#include <exception>

class CVolException : public std::exception {
public:
    CVolException(int code, QString description)
        : code_(code), description_(std::move(description)) {}
    int Code() const { return code_; }
    const QString& Description() const { return description_; }
    const char* what() const noexcept override { return "CVolException"; }

private:
    int code_;
    QString description_;
};
