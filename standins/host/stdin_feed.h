// Gives the file dialog its answer: the dialog reads one line from standard input, so the host
// puts a pipe holding that line (and then the end of input) in its place.
#pragma once

#include <string>

namespace standin {

bool FeedStandardInput(const std::string& line);

}  // namespace standin
