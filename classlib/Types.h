// Basic types shared by the whole class library.
#pragma once

#include <cstdint>
#include <string>

// 8-bit, byte-exact text in the system's ANSI code page.
using AnsiString = std::string;

// Days since 30 December 1899; the fraction is the time of day.
using TDateTime = double;

using Byte = std::uint8_t;
using Word = std::uint16_t;
using Cardinal = std::uint32_t;
using Int64 = std::int64_t;
