// Gives the file dialogs their answers: each dialog reads one line from standard input, so the
// host puts a pipe holding the lines, one per dialog in order (and then the end of input), in
// its place.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace standin {

// The most bytes of answers, newlines included: far below a pipe's buffer, so that the write
// never waits for a reader.
constexpr size_t kLongestFeed = 4096;

// False when the lines cannot be fed: a line holding a newline, more than kLongestFeed bytes,
// or no pipe.
bool FeedStandardInput(const std::vector<std::string>& lines);

}  // namespace standin
