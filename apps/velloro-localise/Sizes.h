#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace VelloroLocalise {

// "512", "64K", "1.5G", "2T": bytes with an optional K, M, G or T suffix (powers of 1024, either
// case, an optional trailing "B" or "iB"). Nothing for text that is not such a size.
std::optional<std::uint64_t> parseSize(const std::string& text);

// 1536 -> "1.5 KiB"; below 1 KiB the plain byte count.
std::string formatSize(std::uint64_t bytes);

} // namespace VelloroLocalise
