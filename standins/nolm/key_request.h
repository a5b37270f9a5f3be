// The key request that KeyGenXCC hands back (layout: README.md).
#pragma once

#include <cstddef>
#include <string>

constexpr std::size_t kKeyRequestSize = 174;

std::string keyRequest(const std::string& keyName, const std::string& random,
                       const std::string& reader);
