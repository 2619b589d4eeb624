#pragma once
// A failure raised inside a class: a number, a source and a description, which the
// handler that catches it passes to modMain::LogError.
#include <cstdint>
#include <stdexcept>
#include <string>

struct QlError : std::runtime_error {
    int32_t Number;
    std::string Source;
    std::string Description;

    QlError(int32_t number, std::string source, std::string description)
        : std::runtime_error(description), Number(number), Source(std::move(source)),
          Description(std::move(description)) {}
};
